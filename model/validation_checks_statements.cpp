// Whole-return checks of one person, last group: the minimum-tax supporting
// fields, RESP and tax-shelter forms, rental, fishing, employment expenses,
// the business and farm statements with their postcodes, the agricultural
// programme form of the province and the statement a T1204 slip needs.
#include "companion/forms/catalogue.h"
#include "companion/forms/federal/credits.h"
#include "companion/forms/federal/minimumtax_split.h"
#include "companion/forms/federal/statements.h"
#include "model/postcodeinfo.h"
#include "model/validation_checks.h"

namespace validation {

namespace {

constexpr int kSlipT4 = 1;
constexpr ENUMTYPE_FORM kT1163 = 15;
constexpr ENUMTYPE_FORM kT1273 = 109;

void checkMinimumTaxSupport(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    const bool noCarrying = !taxrules::isPresentAmount(t1.line22100CarryingCharges.m_value);
    const bool noOther = !taxrules::isPresentAmount(t1.line23200OtherDeductions.m_value);
    const bool noPartnership = !taxrules::isPresentAmount(t1.line12200PartnershipIncome.m_value);
    const bool noExploration = !taxrules::isPresentAmount(t1.line22400ExplorationExpenses.m_value);
    auto* t691 = c.form<TaxData_T691New>(31);
    if (!t691) {
        if (taxrules::isPresentAmount(t1.support67820.m_value) && noCarrying && noOther)
            c.add("Claiming supporting field 67820 requires an amount at field 22100 or 23200 of form T1.");
        if (taxrules::isPresentAmount(t1.support67830.m_value) && !c.person.HaveRentalIncome())
            c.add("Claiming supporting field 67830 requires an amount at line 12600 of T1.");
        if (taxrules::isPresentAmount(t1.support67840.m_value) && noPartnership && noCarrying && noOther)
            c.add("Claiming supporting field 67840 requires an amount at line 12200, 22100 or 23200 of T1.");
        if (taxrules::isPresentAmount(t1.support67860.m_value) && noCarrying && noExploration && noOther)
            c.add("Claiming supporting field 67860 requires an amount at line 22100, 22400 or 23200 of T1.");
        return;
    }
    if (taxrules::isPresentAmount(t691->line6782.m_value) && noCarrying && noOther)
        c.add("Field 67820 of form T691 requires an entry at field 22100 or 23200 of T1.");
    if (taxrules::isPresentAmount(t691->line6783.m_value) && !c.person.HaveRentalIncome())
        c.add("You cannot enter an amount at line 6783 in T691 while there is no amount claimed at line 12600 in "
              "T1.");
    if (taxrules::isPresentAmount(t691->line6784.m_value) && noPartnership && noCarrying && noOther)
        c.add("You cannot enter an amount at line 6784 in T691 while there is no amount claimed at field 12200, "
              "22100 or 23200 in T1.");
    if (taxrules::isPresentAmount(t691->line6786.m_value) && noCarrying && noExploration && noOther)
        c.add("You cannot enter an amount at line 6786 in T691 while there is no amount claimed at line 22100, "
              "22400 or 23200 in T1.");
    if (exceeds(t1.support67820.m_value, t691->line6782.m_value))
        c.add("Supporting field 67820 for field 22100 or 23200 of T1 is entered, however the full amount of field "
              "6782 is NOT entered in Alternative Minimum Tax form T691.");
    if (exceeds(t1.support67830.m_value, t691->line6783.m_value))
        c.add("Supporting field 67830 for field 12600 of T1 is entered, however the full amount of field 6783 is "
              "NOT entered in Alternative Minimum Tax form T691.");
    if (exceeds(t1.support67840.m_value, t691->line6784.m_value))
        c.add("Supporting field 67840 for field 12200, 22100 or 23200 of T1 is entered, however the full amount of "
              "field 6784 is NOT entered in Alternative Minimum Tax form T691.");
    if (exceeds(t1.support67860.m_value, t691->line6786.m_value))
        c.add("Supporting field 6786 for field 221, 224 or 232 is entered in T1 return, however the full amount of "
              "field 6786 is NOT entered in Alternative Minimum Tax form T691.");
}

void checkIncomeStatements(PersonCheckContext& c)
{
    TaxData_T1New& t1 = c.t1;
    if (auto* t1172 = c.form<TaxData_T1172New>(17);
        t1172 && exceeds(t1172->line68270.m_value + t1172->line68280.m_value, t1.line13000OtherIncome.m_value))
        c.add("Field 68270 and field 68280 in form T1172 cannot be greater than field 13000 of T1.");
    if (auto* t5004 = c.form<TaxData_T5004>(55); t5004 && exceeds(t1.support67650.m_value, t5004->line6765.m_value))
        c.add("The supporting field 67650 is claimed for box 11 of T5003 slip, or for field 22400, 23200 of form "
              "T1, or in form T5013, T776, T1163, T2042, T2124, T2121. Please also enter the full amount of field "
              "6765 in form T5004.");

    // A rental loss of a cent is rounding, not a loss the CCA created.
    constexpr double kRentalLossFloor = -0.01;
    if (exceeds(kRentalLossFloor, t1.line12600NetRental.m_value)) {
        bool told = false;
        calcsteps::forEachForm<TaxData_T776New>(c.person, 12, [&](TaxData_T776New& t776) {
            if (!told && exceeds(kRentalLossFloor, t776.NetResult.m_value) && positive(t776.line9936CCA.m_value)) {
                c.add("Please lower CCA claim amount (Field 9936) in Rental form T776, CCA claim cannot "
                      "create/increase a rental loss.");
                told = true;
            }
        });
    }

    if (c.totals.t4FishingBox14Taxed > 0 && c.person.GetCountOfForm(51) > 0) {
        double withheld = 0;
        calcsteps::forEachForm<TaxData_T2121New>(
            c.person, 51, [&](TaxData_T2121New& t2121) { withheld += t2121.line5345IncomeTaxWithheld.m_value; });
        if (!taxrules::isPresentAmount(withheld))
            c.add("You reported income tax deducted in T4F tax slip, however, you didn't enter box 14 of the T4F slip "
                  "as supporting field 5345 income with tax withheld at the bottom on page 1 of form T2121.");
    }
    if (t1.FishingT4Flag.m_value != 0 && t1.FishingFormIndicator.m_value == 0)
        c.add("You added fishing related T4 slip in tax return, you also need to add form T2121 to report the "
              "details of fishing activity.");
    if (c.has(14) && t1.Line316Claim.m_value == 0)
        c.add("Form T929 can be included in the tax return only when disability amount is claimed on field 316 of "
              "Schedule 1.");
    if (!taxrules::isPresentAmount(t1.line22900EmploymentExpenses.m_value) &&
        c.person.GetCountOfForm(59) + c.person.GetCountOfForm(179) + c.person.GetCountOfForm(92) > 0)
        c.add("Please remove form T777/T777S or TL2 from the tax return, because there is no work expense claimed on "
              "line 22900 of T1.");
}

bool postcodeOutside(const CString& postcode, ENUMTYPE_PROVINCE province)
{
    const QByteArray prefix = postcode.left(3).toUtf8();
    return !CPostCodeInfo::GetInstance().IsPostCodeFromProv(prefix.constData(), province);
}

void checkBusinessStatements(PersonCheckContext& c)
{
    const ENUMTYPE_PROVINCE province = c.person.m_province;
    int placementAgencyForms = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : c.person.m_formList) {
        if (!item->data)
            continue;
        switch (item->type) {
        case kT1163:
            if (auto* t1163 = qobject_cast<TaxData_T1163New*>(item->data)) {
                if (t1163->MainFarmsteadProvince.m_value != c.t1.getMainTaxProvince())
                    c.add("The province of main farmstead is not same as residence province on Dec. 31.");
                if (postcodeOutside(t1163->FarmsteadPostalCode.m_value, province))
                    c.add("Postcode in form T1163 indicates you are NOT doing business in the tax province. Please "
                          "correct the postcode or the tax return is NOT eligible for DIRERAD/EFILE service.");
            }
            break;
        case 21:
            if (auto* t2042 = qobject_cast<TaxData_T2042New*>(item->data);
                t2042 && postcodeOutside(t2042->PostalCode.m_value, province))
                c.add("Postcode in form T2042 indicates you are NOT doing business in the tax province. Please correct "
                      "the postcode or the tax return is NOT eligible for DIRERAD/EFILE service.");
            break;
        case 125:
        case 131:
            if (auto* t2125 = qobject_cast<TaxData_T2125_New*>(item->data)) {
                if (t2125->PlacementAgency.m_value != 0)
                    ++placementAgencyForms;
                if (postcodeOutside(t2125->PostalCode.m_value, province))
                    c.add(item->type == 125
                              ? "Postcode in form T2125 indicates you are NOT doing business in the tax province. "
                                "Please correct the postcode or the tax return is NOT eligible for DIRERAD/EFILE "
                                "service."
                              : "Postcode in Commission form indicates you are NOT doing business in the tax "
                                "province. Please correct the postcode or the tax return is NOT eligible for "
                                "DIRERAD/EFILE service.");
            }
            break;
        default: break;
        }
    }
    if (placementAgencyForms == 0 && c.totals.t4HasPlacementAgency)
        c.add("You claimed placement agency income in T4 slip; however, you didn't report the income in any "
              "self-employment business form.");
    if (placementAgencyForms > 0 && c.person.GetCountOfSlip(kSlipT4) == 0)
        c.record.insertMsg1("There is no [%s] tax slip in the return.", "T4");
    if (c.person.HasForm(kT1163) && GetCAISFormTypeFromProv(province) != kT1163)
        c.add("Remove form T1163 since it's not allowed in this tax province.");
    if (c.person.HasForm(kT1273) && GetCAISFormTypeFromProv(province) != kT1273)
        c.add("Remove form T1273 since it's not allowed in this tax province.");
    if (c.person.GetCountOfForm(125) == 0 && c.totals.t1204Count > 0)
        c.record.insertMsg2("Tax form %s is needed because %s.", "T2125", "tax slip T1204 is entered into tax return");
}

} // namespace

void checkMinimumTaxAndStatements(PersonCheckContext& c)
{
    checkMinimumTaxSupport(c);
    checkIncomeStatements(c);
    checkBusinessStatements(c);
}

} // namespace validation
