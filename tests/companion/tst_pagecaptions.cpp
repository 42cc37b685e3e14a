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

namespace {

const QRegularExpression& internalName()
{
    static const QRegularExpression re(
        QStringLiteral("Supporting|Further answer|field [0-9]|Form [0-9]|Interview [0-9]|Slip [0-9]"));
    return re;
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

QTEST_MAIN(TestPageCaptions)
#include "tst_pagecaptions.moc"
