#pragma once

#include <QHash>
#include <QWidget>
#include <vector>

class CField;
class CTaxData_Form;
class QGridLayout;
class QLabel;
class QPushButton;

// One page of a form, slip, note or interview-data object, generated from
// its field table: section headings, the line or box number column, labels,
// right-aligned amounts, check boxes, text and date editors; computed and
// read-only values are shown but not editable. Each editor is named
// "fld_" + the field's name.
//
// An edit is stored into its field when the editor finishes (focus leaves,
// Return, a tick, a date pick); when the value changed, signalCalc is
// emitted. store() stores only editors whose text differs from what the page
// last showed, so storing an untouched page never rounds a value.
// Property of a "Go to" button: the name of the field whose line it belongs to.
constexpr const char* kGoToLineProperty = "goToFromField";

class BaseTaxPage : public QWidget
{
    Q_OBJECT
public:
    // Makes every form's pages BaseTaxPages (CTaxData_Form::CreatePages).
    // Loading this library does it once; a page that makes forms' pages calls
    // it too, so that no linker setting can leave a form without pages.
    static void installAsPageFactory();
    BaseTaxPage(CTaxData_Form* form, const std::vector<CField*>& fields, const QString& title,
                QWidget* parent = nullptr);
    ~BaseTaxPage() override;

    QString getTitle() const { return m_title; }
    CTaxData_Form* getFormData() const { return m_form; }

    // Shows the object's current values; called once after the page is
    // placed in its tab (the constructor has already shown them).
    virtual void syncData() { reload(); }
    // Every editor from its field.
    virtual void reload();
    // Every edited editor into its field; emits nothing (the caller recalculates).
    virtual void store();

    // The editor of a field, null when the field is not on this page.
    QWidget* editorFor(const CField* field) const;
    int fieldCount() const { return int(m_bindings.size()); }

    // Notes shown beside the lines they name (line number -> note), such as
    // an amount this program does not take into account; lines not named
    // lose their note. The note's tool tip holds the whole text.
    void setLineNotes(const QHash<QString, QString>& notesByLine);
    // The note beside a field, null when it has none.
    QLabel* lineNoteFor(const CField* field) const { return m_lineNotes.value(field); }

signals:
    void signalCalc(CTaxData_Form* pData, CField* pField);

private:
    struct Binding {
        CField* field;
        QWidget* editor;
        QString shown;  // the text the editor showed after the last reload or store
    };

    QWidget* makeEditor(CField* field);
    QPushButton* makeActionButton(const QString& text, const QString& objectName, int eventType, int formType);
    void showValue(Binding& b);
    QString editorText(const Binding& b) const;
    // Stores one editor if it was edited; true when the field's value changed.
    bool storeOne(Binding& b);
    void onEdited(int index);

    CTaxData_Form* m_form;
    QString m_title;
    std::vector<Binding> m_bindings;
    QGridLayout* m_grid = nullptr;
    QHash<const CField*, QLabel*> m_lineNotes;
};
