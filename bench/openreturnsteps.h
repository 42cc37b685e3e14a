#pragma once
// The steps a user waits on in the window, shared by the benchmark that
// times them (bench_openreturn) and the test that checks what they show: a
// coupled Ontario return saved by this program, opened from its file to the
// painted T1 page; a switch between two forms to the painted page; an edit
// of a slip to the repainted page, tree and status bar. Each step ends when
// the page it shows has been painted and the event loop has nothing left to
// do, so a step that showed an empty page or nothing would not end early
// unnoticed: the page's form is handed back for the caller to check.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLineEdit>
#include <QObject>
#include <QString>

#include "benchreturns.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/taxtypes.h"
#include "companion/ui/basetaxpage.h"
#include "model/cfamilytaxdata.h"
#include "workspace/folderview.h"
#include "workspace/form_return.h"
#include "workspace/mainwindow.h"

namespace openreturnsteps {

constexpr int kStepTimeoutMs = 10000;

// Writes the benchmark's return: the coupled Ontario return of benchreturns,
// calculated once so that it holds the forms the calculation adds (the
// provincial ones among them), saved by the program's own writer. 0 when saved.
inline int saveCoupledReturn(const QString& path)
{
    std::unique_ptr<CFamilyTaxData> family = benchreturns::coupledReturn();
    family->Calculate(-1, nullptr);
    return family->saveToFile(CString(path), 2);
}

// True when the person holds a form of a province (the plug-in's forms).
inline bool holdsProvincialForm(const IndividualTaxData& person)
{
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList) {
        const STRUCT_FORM_INFO* info = getFormInfo(item->type);
        if (info && info->province != 0)
            return true;
    }
    return false;
}

// Notes the first tax page painted after arm(): the page of the step.
class PaintWatch : public QObject
{
public:
    PaintWatch() { qApp->installEventFilter(this); }
    ~PaintWatch() override
    {
        // The application object may have gone first.
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeEventFilter(this);
    }

    void arm() { m_painted = nullptr; }
    BaseTaxPage* painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_painted)
            if (auto* page = qobject_cast<BaseTaxPage*>(watched))
                m_painted = page;
        return false;
    }

private:
    BaseTaxPage* m_painted = nullptr;
};

// Runs the event loop until a tax page has been painted (its paint event
// was filtered before it was delivered: the pass that delivered it also
// flushed the window to the screen) and no event is left; the painted page
// or null when none was painted in time.
// One turn of the event loop as the program's runs it: the events, then the
// widgets given up with deleteLater (the pages a switch replaced), which
// processEvents alone leaves for a loop that is not running here.
inline void turnEventLoop()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline BaseTaxPage* untilPainted(PaintWatch& watch)
{
    QElapsedTimer timer;
    timer.start();
    while (!watch.painted() && timer.elapsed() < kStepTimeoutMs)
        turnEventLoop();
    turnEventLoop();
    return watch.painted();
}

inline Form_Return* shownReturn(MainWindow* window)
{
    return dynamic_cast<Form_Return*>(window->currentReturnPage());
}

// Opens the file as File > Open does and waits for its first page painted.
inline BaseTaxPage* openToPaintedPage(MainWindow* window, PaintWatch& watch, const QString& path)
{
    watch.arm();
    window->openReturnFile(path);
    return untilPainted(watch);
}

// Closes the shown return (asked nothing: it was not changed).
inline void closeShownReturn(MainWindow* window)
{
    window->actionCloseReturn();
    turnEventLoop();
}

// Picks the form's row in the return tree, as a click does, and waits for
// its page painted.
inline BaseTaxPage* switchToForm(Form_Return* page, PaintWatch& watch, ENUMTYPE_FORM type)
{
    auto* tree = page->findChild<FolderView*>();
    CFamilyTaxData* family = tree ? tree->familyData() : nullptr;
    STRUCT_FORMDATA_ITEM_2004* item = family ? family->GetFormDataItem(type, false) : nullptr;
    TreeItem* row = item ? tree->findItem(FROM_FORM, item->id) : nullptr;
    if (!row)
        return nullptr;
    watch.arm();
    tree->setCurrentItem(row);
    return untilPainted(watch);
}

// Picks the current person's first slip of the type and waits for its page.
inline BaseTaxPage* switchToSlip(Form_Return* page, PaintWatch& watch, int type)
{
    auto* tree = page->findChild<FolderView*>();
    CFamilyTaxData* family = tree ? tree->familyData() : nullptr;
    IndividualTaxData* person = family ? family->getCurIndvTaxData() : nullptr;
    if (!person)
        return nullptr;
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person->m_slipList) {
        if (item->type != type)
            continue;
        TreeItem* row = tree->findItem(FROM_SLIP, item->id);
        if (!row)
            return nullptr;
        watch.arm();
        tree->setCurrentItem(row);
        return untilPainted(watch);
    }
    return nullptr;
}

// Types the text into the field's editor on the shown page and finishes the
// edit as Enter does; waits for the page repainted with the recalculated
// return. The page painted, or null.
inline BaseTaxPage* editToRepaintedPage(BaseTaxPage* page, PaintWatch& watch, const char* fieldName,
                                        const QString& text)
{
    CField* field = page->getFormData() ? page->getFormData()->findField(fieldName) : nullptr;
    auto* editor = qobject_cast<QLineEdit*>(page->editorFor(field));
    if (!editor)
        return nullptr;
    watch.arm();
    editor->setText(text);
    emit editor->editingFinished();
    return untilPainted(watch);
}

} // namespace openreturnsteps
