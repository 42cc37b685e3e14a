// The confirmations asked before a return is filed: situations that are not
// errors but deserve a second look. Each is a yes/no question through the
// program's prompter; the first one declined stops the filing. Nothing here
// changes the return (the slip totals are taken in the read-only mode).
#include <set>

#include "companion/forms/federal/credits.h"
#include "companion/forms/schedules/taxdata_sch13_15.h"
#include "companion/forms/schedules/taxdata_sch5.h"
#include "companion/forms/schedules/taxdata_sch7.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/core/messages.h"
#include "companion/core/prompter.h"
#include "model/cfamilytaxdata.h"
#include "model/slipcalc.h"
#include "model/validation_checks.h"
#include "model/validationrecord.h"

using validation::exceeds;

namespace {

const QString kTitle = QStringLiteral("voDarevivo Warning Message");
const QSize kAccessCodeBoxSize(700, 400);
const QSize kForeignPropertyBoxSize(700, 500);
// The Government of Canada page that offers the direct deposit enrolment form
// to print, sign and mail with a void cheque (Receiver General for Canada).
const QString kDirectDepositFormLink =
    QStringLiteral("https://www.tpsgc-pwgsc.gc.ca/recgen/form/inscription-enrolment-eng.html");
// A farming loss beyond this may be a restricted farm loss.
constexpr double kRestrictedFarmThreshold = -2500;

constexpr int kSlipT4AP = 3;
constexpr int kSlipT4AOAS = 6;

// The main window parents every box; the model does not know it, and the
// prompter places a parentless box over the active window.
QWidget* const kParent = nullptr;

bool confirm(const QString& text) { return warnYesNo(kParent, kTitle, text); }

bool confirmAll(const std::list<CString>& texts)
{
    for (const CString& text : texts)
        if (!confirm(text))
            return false;
    return true;
}

// A box of up to four lines; false when the user does not accept.
bool confirmLines(std::initializer_list<std::pair<int, QString>> lines, QSize size = QSize(), int linkLine = 0)
{
    PromptContent content = continueQuestion(kTitle);
    for (const auto& [line, text] : lines)
        content.setLine(line, text, line == linkLine);
    content.size = size;
    return askToContinue(kParent, content);
}

const char* const kQuestion4Direrad =
    "You cannot change your name or direct deposit information using DIRERAD. Your name or direct deposit "
    "information will not be transmitted with your return. Please visit the CRA Web site or contact CRA by phone at "
    "1-800-959-8281 prior to using DIRERAD.\n\nYou cannot change your address or phone number using DIRERAD. Your "
    "address will not be transmitted with your return. To change your address and phone number, please visit the "
    "CRA Web site or contact CRA by phone at 1-800-714-7257 prior to using DIRERAD.";

bool confirmResidencyAndIdentity(IndividualTaxData& person, TaxData_T1New& t1, unsigned char purpose)
{
    const bool direrad = isDireradPurpose(purpose);
    if (!confirmLines({{2, QStringLiteral("Please confirm tax residency of the tax payer. You can use this online "
                                          "filing if you were, in the tax year, a Resident or Immigrant of Canada. If "
                                          "you were a factual resident, please specify it in form T1248 Schedule D "
                                          "and do the online filing.")},
                       {3, direrad ? QStringLiteral("Non-resident, deemed resident return should be prepared by "
                                                    "another software, voDarevivo Special Version.")
                                   : QStringLiteral("For EFile purpose, emigrant of Canda in the tax year would be "
                                                    "allowed for online filing.")}}))
        return false;

    if (t1.IsEmmigrant()) {
        MessageBoxRequest question;
        question.icon = Prompt::Question;
        question.title = QStringLiteral("Emigrant Return Note");
        question.text = QStringLiteral("Does the tax payer's tax situation require submission of any of the following "
                                       "forms: T1243, T1244, and/or T1161? Please select Yes or No. If 'Yes' is "
                                       "selected, a paper return must be filed.");
        question.buttons = Prompt::Yes | Prompt::No;
        if (Prompter::instance().messageBox(kParent, question) == Prompt::Yes)
            return false;
    }

    if (t1.PersonalInfoChanged.m_value != 0 &&
        !confirmLines({{2, QStringLiteral("According to the answer to question 4 on page 1 of T1, tax payer's name, "
                                          "address, phone number or direct deposit information have changed.")},
                       {3, direrad ? QString::fromUtf8(kQuestion4Direrad)
                                   : QStringLiteral("Please make sure that tax payer's new address, and/or direct "
                                                    "deposit information are updated in form T183 and T1DD.")}}))
        return false;

    if (direrad && t1.DireradAccessCode.IsEmptyIfRemoveBlank()) {
        if (!confirmLines(
                {{1, QStringLiteral("DirErad Access Code")},
                 {2, QStringLiteral("Your unique Access code can be found on your Notice of Assessment (NOA) for a "
                                    "previous tax year. This eight-character Access code is made up of numbers and "
                                    "letters.")},
                 {3, QStringLiteral("Are you sure you want to file your tax return without entering your Access "
                                    "code? If you do not enter your Access code, you will not be able to use "
                                    "information from your 2023 tax return when confirming your identity with the "
                                    "CRA.")},
                 {4, QStringLiteral("You can enter DirErad Access Code on page 1 of T1, under tax payer's name.")}},
                kAccessCodeBoxSize))
            return false;
    } else if (!direrad && isEfilePurpose(purpose) && !person.GetFormData(52, false)) {
        if (!confirmLines(
                {{1, kTitle},
                 {2, QStringLiteral("Direct Deposit enrolment is available to be transmitted by EFile. Taxpayers will "
                                    "still be able to register through the following methods;")},
                 {3, QStringLiteral("My Account online, My CRA mobile application, by phone, select financial "
                                    "institution, or by completing and mailing a direct deposit enrolment form from "
                                    "the following link. If the Direct Deposit form is printed from the link, the "
                                    "form needs to be signed, and a void cheque should be attached.")},
                 {4, kDirectDepositFormLink}},
                kAccessCodeBoxSize, 4))
            return false;
    }

    if (t1.answeredYesToForeignProperty() &&
        !confirmLines(
            {{1, kTitle},
             {2, QStringLiteral("You answered 'Yes' to the question 'Did you own or hold specified foreign property "
                                "where the total cost amount of all such property, at any time in the year, was more "
                                "than CAN$100,000?' Therefore, you are required to file form T1135, Foreign Income "
                                "Verification Statement, if you have not already done so.")},
             {3, QStringLiteral("There are substantial penalties for not completing and filing Form T1135 by the due "
                                "date. If you have provided incomplete information, omitted information, or have not "
                                "filed form T1135 in prior years, the Canada Revenue Agency (CRA) encourages you to "
                                "come forward and correct your tax affairs through the Voluntary Disclosures Program "
                                "(VDP).")},
             {4, QStringLiteral("For more information, see Form T1135.")}},
            kForeignPropertyBoxSize))
        return false;
    return true;
}

// The rows of situations worth a second look, in the order they are asked.
bool confirmReturnRows(IndividualTaxData& person, TaxData_T1New& t1)
{
    auto has = [&](ENUMTYPE_FORM type) { return person.GetFormData(type, false) != nullptr; };
    std::list<CString> rows;
    auto ask = [&](bool when, const char* text) {
        if (when)
            rows.push_back(CString(text));
    };
    // No answer changes what a later row asks, so the rows are collected
    // first and then asked in order.
    ask(has(207), "Please make sure to select the correct Residency Type for the tax payer in form T1248 Schedule D.");
    ask(t1.IsAgeNotUnder65() && !taxrules::isPresentAmount(t1.line11300OldAgeSecurity.m_value),
        "Please confirm that you did not receive the old age security (OAS) pension.");
    // The Universal Child Care Benefit ended in 2016: a 2024 return is not
    // asked whether it was received or repaid.
    ask((exceeds(0, t1.line12200PartnershipIncome.m_value) || exceeds(0, t1.line12600NetRental.m_value)) &&
            !taxrules::isPresentAmount(t1.support5354.m_value),
        "You reported an amount at field 12200/12600 in T1. If you have any limited partnership loss carry forward "
        "amount as supporting field 5354, please enter it in box 31 of T5013 slip; or supporting fields in form T776 "
        "or form T5013.");
    // The farming result before the restricted-farm-loss rule.
    const double farmingLoss = -t1.line54950FarmingLoss.m_value;
    const bool restrictedClaim = t1.RestrictedFarmFlag.m_value != 0;
    ask(exceeds(kRestrictedFarmThreshold, farmingLoss) && !restrictedClaim,
        "Please confirm you don't want to claim restricted farm loss (section 31) on page 2 of form T1.");
    ask(restrictedClaim && !taxrules::isPresentAmount(t1.line14100FarmingNet.m_value - farmingLoss),
        "You made a claim of restricted farm loss (section 31) on page 2 of form T1. However it doesn't make "
        "difference if you don't claim it.");
    ask(!taxrules::isPresentAmount(t1.line15000TotalIncome.m_value), "Please confirm that you reported no income in tax return.");
    const bool spouseRelated = person.isSpouseRelated();
    ask(spouseRelated && !taxrules::isPresentAmount(t1.SpouseNetIncome.m_value),
        "Please confirm that there is no income reported from your spouse or common-law partner. Spouse net-income "
        "should be entered on page 1 of form T1.");
    ask(spouseRelated && taxrules::isPresentAmount(t1.SpouseNetIncome.m_value) && !taxrules::isPresentAmount(t1.SpouseTaxableIncome.m_value),
        "Please confirm spouse's taxable income is zero. Click spouse's income field on page 1 of T1, there are both "
        "spouse's net income and taxable income fields.");
    auto* schedule5 = qobject_cast<TaxData_Sch5*>(person.GetFormData(6, false));
    ask(t1.HasSpouse() && (!schedule5 || (schedule5->ClaimSpouseAmount.m_value == 0 &&
                                          schedule5->ClaimEligibleDependant.m_value == 0)),
        "You have a spouse, however not claiming spouse amount at field 30300, maybe you choose to claim the \n"
        "equivalent-to-spouse amount at field 30400, or your spouse already claimed this amount for you.");
    ask(taxrules::isPresentAmount(t1.line20700RppDeduction.m_value) && !taxrules::isPresentAmount(t1.line20600PensionAdjustment.m_value),
        "Please confirm you have claimed RPP deduction at field 20700 of T1, however there is no pension adjustment "
        "amount at field 206. It comes from box 52 of T4 slip.");
    ask(taxrules::isPresentAmount(t1.line21000SplitPensionDeduction.m_value) &&
            (person.GetCountOfSlip(kSlipT4AP) > 0 || person.GetCountOfSlip(kSlipT4AOAS) > 0),
        "Please confirm Old Age Security Pension from T4A(OAS) slip and CPP/QPP benefits from T4A(P) slip are not "
        "included for pension split purpose, e.g. in field 11500, 12900 of T1 and Field 68020 of T1032.");
    auto* t936 = qobject_cast<TaxData_T936New*>(person.GetFormData(32, false));
    ask(t936 && taxrules::isPresentAmount(t936->Result.m_value) && !taxrules::isPresentAmount(t1.line25300NetCapitalLosses.m_value),
        "You might be able to claim capital loss at line 25300 on page 3 of T1, since you have accumulated capital "
        "loss in form T936, and you have capital gain in this year.");
    ask(true,
        "If you or your spouse receive an RC210 slip with an amount in Box 10, the person, who is claiming the basic "
        "CWB, must report the spouse's Box 10 amount in Schedule 6. if neither spouse is claiming the basic CWB, "
        "they can choose who reports the amounts of Box 10 of RC210 slip.");
    ask(!has(3) && t1.HasSpouse(),
        "You don't have Schedule 2 Amounts Transferred From Your Spouse in tax return. You might want to include it "
        "to optimize your tax return result.");
    ask(has(133) && t1.GetAge() < 18 && t1.HasSpouse() && t1.GetSpouseAge() < 65,
        "Please confirm that spouse is eligible for disability amount, so that Schedule 12 multigenerational home "
        "renovation tax credit can be claimed.");
    auto* schedule15 = qobject_cast<TaxData_Sch15*>(person.GetFormData(205, false));
    ask(person.isFHSAEligible() && (!schedule15 || !taxrules::isPresentAmount(schedule15->F68930.m_value)),
        "If the taxpayer opened an FHSA account in the tax year, please tick the box at F68930 on the Schedule 15.");
    if (!confirmAll(rows))
        return false;
    rows.clear();

    for (STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        if (item->data)
            item->data->AnyMsgBeforeDirerad(rows);
    ask(!has(119) && person.MaySchedule6Needed_v2(),
        "According to your work income, you may qualify CWB (Canada Workers Benefit) by adding schedule 6 into "
        "return; otherwise confirm schedule 6 is not needed.");
    auto* schedule7 = qobject_cast<TaxData_Sch7*>(person.GetFormData(7, false));
    ask(schedule7 && !taxrules::isPresentAmount(schedule7->line24600HbpRepayment.m_value) &&
            !taxrules::isPresentAmount(schedule7->line24620LlpRepayment.m_value) && !taxrules::isPresentAmount(t1.line12900HbpPart.m_value) &&
            !taxrules::isPresentAmount(t1.line12900LlpPart.m_value),
        "Please confirm that there is no requirement for HBP or LLP repayment. If you withdrew RRSP for HBP or LLP in "
        "prior year, you need to check and verify.");
    ask(!has(31) && (taxrules::isPresentAmount(t1.support67820.m_value) || taxrules::isPresentAmount(t1.support67830.m_value) ||
                     taxrules::isPresentAmount(t1.support67840.m_value) || taxrules::isPresentAmount(t1.support67860.m_value)),
        "Alternative minimum tax may apply since supporting field 67820, 67830, 67840 and 67860 are being claimed in "
        "the tax return. Please add form T691 to calculate minimum tax.");
    return confirmAll(rows);
}

} // namespace

bool IndividualTaxData::AnyMsgBeforeDirerad(unsigned char edition, bool isReFile)
{
    Q_UNUSED(isReFile);
    TaxData_T1New* t1 = GetT1();
    if (!t1)
        return false; // nothing to file

    STRUCT_SLIPDATA_CALCULATION totals;
    std::set<ENUMTYPE_FORM> unused;
    PrepareSlipsBeforeCalculate(totals, unused, false);

    for (STRUCT_SLIPDATA_ITEM_2004* item : m_slipList) {
        if (!item->data)
            continue;
        std::list<CString> texts;
        item->data->AnyMsgBeforeDirerad(texts);
        if (!confirmAll(texts))
            return false;
    }
    if (!confirmResidencyAndIdentity(*this, *t1, edition))
        return false;
    if (!confirmReturnRows(*this, *t1))
        return false;
    if (!m_provMgr.AnyMsgBeforeDirerad(t1, GetFormData(11, false), kParent))
        return false;
    auto* cpt20 = qobject_cast<TaxData_CPT20_New*>(GetFormData(57, false));
    if (cpt20 && !cpt20->hadElectedIncomeToPayCPP() &&
        !confirm(QStringLiteral("Please remove form CPT20 if you don't elect any income to make CPP contribution at "
                                "line 11 or 12 on page 1 of the form.")))
        return false;
    std::list<CString> slipChecks;
    if (taxrules::isPresentAmount(totals.t4Box85))
        slipChecks.push_back(CString("Please confirm that medical expense is claimed for box 85 of T4 slip."));
    if (taxrules::isPresentAmount(totals.t4aBox135))
        slipChecks.push_back(CString("Please confirm that medical expense is claimed for box 135 of T4A slip."));
    if (totals.t1204Count > 0)
        slipChecks.push_back(CString("Can you confirm that T2125 is completed properly to report government contract "
                                     "income from T1204 tax slip?"));
    return confirmAll(slipChecks);
}

bool CFamilyTaxData::AnyMsgBeforeDirerad(unsigned char edition, bool isReFile)
{
    IndividualTaxData* taxpayer = m_pTaxpayer;
    if (!taxpayer)
        return false;
    const bool coupled = IsCoupledReturn();
    if (!coupled && taxpayer->HasSharedComponent() &&
        !confirm(QStringLiteral("This single return file has shared tax slips or tax forms. Make sure other returns "
                                "claim the rest of the shared part.")))
        return false;

    double unused = 0;
    const bool taxpayerClaims30500 = taxpayer->getFedAmountClaimed(367, unused);
    const QString onlyOneClaims = QStringLiteral(
        "As married or common-law, each child eligible for field 30500 can only be claimed by one person.");
    if (coupled) {
        if (taxpayerClaims30500 && m_pSpouse->getFedAmountClaimed(367, unused) && !confirm(onlyOneClaims))
            return false;
    } else {
        const int marital = taxpayer->GetMaritalStatus();
        if (marital == 0 || marital == 1) {
            if (taxpayerClaims30500 && !confirm(onlyOneClaims))
                return false;
        } else if (!taxpayerClaims30500 && m_dependants.GetDepChildrenNumberBetweenAges_Infirm(0, 17, true) > 0 &&
                   !confirm(QStringLiteral("You may be eligible to claim Canada caregiver amount for infirm children "
                                           "under age 18 at field 30500."))) {
            return false;
        }
    }
    if (MaySchedule6Needed()) {
        // The text asks for an 'OK' the box does not have: its buttons say
        // what each does instead.
        PromptContent content = continueQuestion(kTitle);
        content.setLine(2, QStringLiteral("You may want to include Schedule 6 to calculate Canada Workers Benefit. "
                                          "Press 'OK' button to skip Schedule 6."));
        content.continueText = QStringLiteral("Skip Schedule 6");
        content.stopText = QStringLiteral("Stop to add Schedule 6");
        if (!askToContinue(kParent, content))
            return false;
    }
    // A couple is asked about the person on screen; the other spouse answers
    // when filed from that spouse's page.
    IndividualTaxData* current = getCurIndvTaxData();
    return current ? current->AnyMsgBeforeDirerad(edition, isReFile) : false;
}
