// Every caption a user reads on a generated page is in the agency's words:
// no field, tab or heading shows an internal name or a bare number.
#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <list>
#include <memory>

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/formfactory.h"
#include "companion/forms/fields.h"
#include "companion/ui/basetaxpage.h"
#include "common/internalcaption.h"

namespace {

const QRegularExpression& internalName()
{
    return internalCaption();
}

} // namespace

class TestPageCaptions : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { BaseTaxPage::installAsPageFactory(); }
    void noInternalNames_data();
    void noInternalNames();
    void slipTabNamesThePayer();
    void flagQuestionStoresZeroOrOne();
    void pagesRender_data();
    void pagesRender();
};

void TestPageCaptions::noInternalNames_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("type");
    for (ENUMTYPE_FROM kind : {FROM_FORM, FROM_SLIP, FROM_TAXWIZARD})
        for (const CFormFactory::Row& row : CFormFactory::rows(kind))
            QTest::newRow(qPrintable(QStringLiteral("%1-%2").arg(int(kind)).arg(row.className))) << int(kind) << row.type;
}

void TestPageCaptions::noInternalNames()
{
    QFETCH(int, kind);
    QFETCH(int, type);
    std::unique_ptr<CTaxData_Form> form(CFormFactory::create(ENUMTYPE_FROM(kind), type));
    if (!form)
        QSKIP("not made in this build");
    QWidget host;
    std::list<BaseTaxPage*> pages;
    QVERIFY(form->CreatePages(pages, &host) > 0 || form->fieldList().empty());
    QStringList bad;
    for (BaseTaxPage* page : pages) {
        if (internalName().match(page->getTitle()).hasMatch())
            bad << QStringLiteral("tab: ") + page->getTitle();
        for (QLabel* label : page->findChildren<QLabel*>())
            if (internalName().match(label->text()).hasMatch())
                bad << label->objectName() + QStringLiteral(": ") + label->text();
    }
    // A line the calculation assigns cannot be typed into and says so.
    for (BaseTaxPage* page : pages)
        for (CField* f : form->fieldList()) {
            QWidget* editor = f->isComputed() ? page->editorFor(f) : nullptr;
            if (!editor)
                continue;
            auto* text = qobject_cast<QLineEdit*>(editor);
            if ((text && !text->isReadOnly()) || (!text && editor->isEnabled()) || editor->focusPolicy() != Qt::NoFocus ||
                editor->toolTip() != QLatin1String("computed"))
                bad << QStringLiteral("computed but editable: ") + f->name();
        }
    // Every yes/no question is the same list, never a typed 0 or 1.
    for (CField* f : form->fieldList()) {
        if (f->isHidden())
            continue;
        if (f->label().contains(QLatin1String("(0 no)")))
            bad << QStringLiteral("typed yes/no: ") + f->label();
        if (f->kind() != FieldKind::Bool)
            continue;
        QComboBox* list = nullptr;
        for (BaseTaxPage* page : pages)
            if (!list)
                list = qobject_cast<QComboBox*>(page->editorFor(f));
        const QStringList answers = {QStringLiteral("Not answered"), QStringLiteral("Yes"), QStringLiteral("No")};
        QStringList shown;
        for (int i = 0; list && i < list->count(); ++i)
            shown << list->itemText(i);
        if (shown != answers)
            bad << QStringLiteral("yes/no not a list: ") + f->name();
    }
    // A coded answer (a kind, a flag, a choice among numbered answers) is a
    // list of the answers in words, never a number to type.
    static const QRegularExpression codesInLabel(QStringLiteral("\\((-?[0-9]+ [a-z]|[0-9]+ or [0-9])"));
    static const QRegularExpression flagName(QStringLiteral("(Mark[0-9]*|Flag|Indicator[0-9]*|Exempt|Disabled|Switch)$"));
    for (CField* f : form->fieldList()) {
        if (f->isHidden() || f->isReadOnly() || f->kind() != FieldKind::Int || !f->choices().isEmpty())
            continue;
        if (codesInLabel.match(f->label()).hasMatch() || flagName.match(f->name()).hasMatch())
            bad << QStringLiteral("coded number typed: ") + f->name() + QStringLiteral(" ") + f->label();
    }
    if (!bad.isEmpty())
        QFAIL(qPrintable(bad.join(QStringLiteral("\n"))));
}

void TestPageCaptions::slipTabNamesThePayer()
{
    std::unique_ptr<CTaxData_Form> slip(CFormFactory::AllocSlipData(ENUMTYPE_SLIP(1)));
    QVERIFY(slip);
    QWidget host;
    std::list<BaseTaxPage*> pages;
    QVERIFY(slip->CreatePages(pages, &host) > 0);
    QCOMPARE(pages.front()->getTitle(), QStringLiteral("T4 Statement of Remuneration Paid"));

    for (CField* f : slip->fieldList())
        if (f->hasFlag(FieldCaption))
            QVERIFY(f->setText(QStringLiteral("Acme Ltd")));
    pages.clear();
    QVERIFY(slip->CreatePages(pages, &host) > 0);
    QCOMPARE(pages.front()->getTitle(), QStringLiteral("T4 - Acme Ltd"));
}

void TestPageCaptions::flagQuestionStoresZeroOrOne()
{
    std::unique_ptr<CTaxData_Form> t1(CFormFactory::AllocFedFormData(FORM_T1));
    QVERIFY(t1);
    QWidget host;
    std::list<BaseTaxPage*> pages;
    QVERIFY(t1->CreatePages(pages, &host) > 0);
    CField* flag = t1->findField(QStringLiteral("ForeignMailingAddress"));
    QVERIFY(flag);
    QComboBox* list = nullptr;
    for (BaseTaxPage* page : pages)
        if (!list)
            list = qobject_cast<QComboBox*>(page->editorFor(flag));
    QVERIFY(list);
    QCOMPARE(list->currentText(), QStringLiteral("No"));
    list->setCurrentIndex(list->findText(QStringLiteral("Yes")));
    QCOMPARE(flag->text(), QStringLiteral("1"));
    // Readers test the flag for zero: taking the answer back must not leave a
    // value that reads as yes.
    list->setCurrentIndex(list->findText(QStringLiteral("Not answered")));
    QCOMPARE(flag->text(), QStringLiteral("0"));
    QCOMPARE(list->currentText(), QStringLiteral("No"));
}

void TestPageCaptions::pagesRender_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("type");
    QTest::newRow("t1") << int(FROM_FORM) << int(FORM_T1);
    QTest::newRow("t4") << int(FROM_SLIP) << 1;
}

// Renders the first page of a form; with PAGE_SHOTS set, keeps it as a picture
// for a person to look at.
void TestPageCaptions::pagesRender()
{
    QFETCH(int, kind);
    QFETCH(int, type);
    std::unique_ptr<CTaxData_Form> form(kind == FROM_FORM ? CFormFactory::AllocFedFormData(ENUMTYPE_FORM(type))
                                                          : CFormFactory::AllocSlipData(ENUMTYPE_SLIP(type)));
    QVERIFY(form);
    QWidget host;
    std::list<BaseTaxPage*> pages;
    QVERIFY(form->CreatePages(pages, &host) > 0);
    BaseTaxPage* page = pages.front();
    page->resize(760, page->sizeHint().height());
    const QPixmap shot = page->grab();
    QVERIFY(!shot.isNull());
    const QByteArray folder = qgetenv("PAGE_SHOTS");
    if (!folder.isEmpty())
        QVERIFY(shot.save(QString::fromLocal8Bit(folder) + QStringLiteral("/%1.png").arg(QTest::currentDataTag())));
}

QTEST_MAIN(TestPageCaptions)
#include "tst_pagecaptions.moc"
