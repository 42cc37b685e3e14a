// Every line the field table marks computed, or filled from elsewhere in the
// return, is shown read-only and shaded on its page, on every form, slip and
// interview page of the catalogue and of every province's plug-in: one rule
// of the page, read from the field table, not a list per form.
#include <QtTest>

#include <QComboBox>
#include <QLineEdit>

#include "companion/forms/catalogue.h"
#include "companion/forms/cfield.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/formfactory.h"
#include "companion/ui/basetaxpage.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"

class TestComputedEditors : public QObject
{
    Q_OBJECT
private slots:
    void noComputedLineTakesTyping();
};

namespace {

constexpr int kOntario = 9;

std::unique_ptr<CFamilyTaxData> singleReturn(int province)
{
    auto family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData record;
    record.FirstName = CString("Ann");
    record.LastName = CString("Lee");
    record.TaxPronv = province;
    record.MaritalStatus = 5;
    family->NewData(&record);
    return family;
}

// What is wrong with the editor of a line the user may not change: that it
// takes typing, or does not look unlike the lines one types into.
QString faultOf(QWidget* editor)
{
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        const QString before = line->text();
        line->setFocus();
        line->end(false);
        QTest::keyClicks(line, "97");
        if (line->text() != before)
            return QStringLiteral("takes typing");
        if (!line->isReadOnly())
            return QStringLiteral("not read-only");
    } else if (editor->isEnabled()) {
        return QStringLiteral("can be changed");
    }
    if (editor->focusPolicy() != Qt::NoFocus)
        return QStringLiteral("takes the focus");
    if (editor->palette().color(QPalette::Base) != editor->palette().color(QPalette::Window))
        return QStringLiteral("not shaded");
    return QString();
}

// The faults of one object's pages, as "code: field (fault)".
void checkPages(CTaxData_Form& object, const QString& code, QStringList& faults, int& checked)
{
    QWidget parent;
    std::list<BaseTaxPage*> pages;
    object.CreatePages(pages, &parent);
    for (const CField* field : object.fieldList()) {
        if (!field->isReadOnly() || field->isHidden())
            continue;
        for (BaseTaxPage* page : pages) {
            QWidget* editor = page->editorFor(field);
            if (!editor)
                continue;
            ++checked;
            const QString fault = faultOf(editor);
            if (!fault.isEmpty())
                faults << QStringLiteral("%1: %2 (%3)").arg(code, field->name(), fault);
        }
    }
}

} // namespace

void TestComputedEditors::noComputedLineTakesTyping()
{
    QStringList faults;
    int checked = 0;
    int objects = 0;
    for (int province = 1; province < PROVINCE_COUNT; ++province) {
        if (!IsProvinceSupported(province))
            continue;
        std::unique_ptr<CFamilyTaxData> family = singleReturn(province);
        IndividualTaxData& person = *family->getTaxpayer();
        for (const CFormFactory::Row& row : CFormFactory::formRows()) {
            const int formProvince = getFormProv(ENUMTYPE_FORM(row.type));
            // The federal forms once, in Ontario; each province's own in it.
            if (formProvince != (province == kOntario ? 0 : -2) && formProvince != province)
                continue;
            if (CTaxData_Form* form = person.GetFormData(ENUMTYPE_FORM(row.type), true)) {
                ++objects;
                checkPages(*form, QString::fromUtf8(getFormCode(ENUMTYPE_FORM(row.type))), faults, checked);
            }
        }
        if (province != kOntario)
            continue;
        for (const CFormFactory::Row& row : CFormFactory::slipRows())
            if (STRUCT_SLIPDATA_ITEM_2004* slip = person.NewSlipData(ENUMTYPE_SLIP(row.type), 0, 0); slip && slip->data) {
                ++objects;
                checkPages(*slip->data, QString::fromUtf8(getSlipInfo(ENUMTYPE_SLIP(row.type))->code), faults, checked);
            }
        for (const CFormFactory::Row& row : CFormFactory::wizardRows())
            if (CTaxData_Form* interview = person.GetWizData(ENUMTYPE_TAXWIZARD(row.type), true)) {
                ++objects;
                checkPages(*interview, QString::fromUtf8(getTaxWizardName(ENUMTYPE_TAXWIZARD(row.type))), faults,
                           checked);
            }
    }
    qInfo("%d pages of forms, slips and interviews, %d lines that take no typing", objects, checked);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    // The walk reached the forms: the catalogue's, the slips and the
    // interview pages, with their computed lines.
    QVERIFY2(objects > 100, qPrintable(QString::number(objects)));
    QVERIFY2(checked > 500, qPrintable(QString::number(checked)));
}

QTEST_MAIN(TestComputedEditors)
#include "tst_computededitors.moc"
