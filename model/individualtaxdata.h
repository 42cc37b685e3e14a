#pragma once

#include <QDate>
#include <list>
#include <optional>
#include <set>

#include "companion/core/cstring.h"
#include "companion/forms/reservedarea.h"
#include "companion/forms/taxtypes.h"
#include "model/MultiProvsTaxMgr.h"
#include "model/TaxDataCalcTypes.h"
#include "model/interviewtransfer.h"
#include "model/personcalculation.h"
#include "model/personitemstore.h"
#include "model/personrecordcodec.h"
#include "model/returnrequestfacts.h"
#include "model/taxdataitems.h"

class CTaxData_Form;
class DataAFR;
class MyDataStream;
class QTextStream;
class TaxData_T1New;
class TemplateValueMap;
struct STRUCT_IMPORT_LASTYEAR_PARAM;
struct TDDTaxDataOnePerson;
struct _STRUCT_FORM_VALIDATE_INFO;
class TaxData_T2209_2036;
class QTextStream;
struct DependantInfoStruct;
struct STRUCT_SLIPDATA_CALCULATION;

using ENUMTYPE_MARITAL_STATUS = int; // 0 married, 1 common-law, 2 widowed, 3 divorced, 4 separated, 5 single

// One person's return: the province, the person record's file data, the
// provincial plug-in host, the reserved area with the read password, and the
// coupled flag, in front of the parts that do the work. The items (forms,
// slips, notes, interview data, their ids and lookups) are the item store's;
// the person owns the store, the store every item and its object; objects a
// plug-in made are freed through the host.
class IndividualTaxData
{
public:
    // Version of a person record this program writes.
    static constexpr int kFileVersion = 66098;
    static constexpr int kFirstItemId = PersonItemStore::kFirstItemId;
    static constexpr int kNoMarkerWord = -100;

    IndividualTaxData(ENUM_MultiProvsTaxMgrMode mode, DependantInfoStruct* dependants);
    virtual ~IndividualTaxData();
    IndividualTaxData(const IndividualTaxData&) = delete;

    // ---- Life cycle ----
    // Frees every item with its object and releases the plug-ins; province,
    // ids and password stay.
    void FreeData();
    void NewData(ENUMTYPE_PROVINCE province, const CString& first, const CString& last, const CString& sin,
                 QDate dob, ENUMTYPE_MARITAL_STATUS marital, const CString& spouseFirst,
                 const CString& spouseLast, const CString& spouseSin, QDate spouseDob, bool coupled);

    // ---- Copy and compare ----
    // Deep copy: every item re-created with the same type, id and shared id.
    IndividualTaxData& operator=(const IndividualTaxData& other);
    // Copies values only when both hold the same items in the same order;
    // otherwise changes nothing and returns false.
    bool softCopy(const IndividualTaxData& other);
    // Same items (forms by type, and id for multiple-instance types; slips by
    // type and id; notes by id; interview data by type) with equal values.
    bool operator==(const IndividualTaxData& other) const;
    bool operator!=(const IndividualTaxData& other) const { return !(*this == other); }

    // ---- Ids ----
    int GetNextUniqueID() { return m_items.GetNextUniqueID(); }
    // The id a new form or slip gets: a drawn one for an id below 1, else
    // the given one, which later draws then pass.
    int takeItemId(int id) { return m_items.takeItemId(id); }

    // ---- Factories ----
    static CTaxData_Form* AllocFedFormData(ENUMTYPE_FORM type);
    static CTaxData_Form* AllocSlipData(ENUMTYPE_SLIP type);
    static CTaxData_Form* AllocNoteData();
    STRUCT_FORMDATA_ITEM_2004* NewFormDataItem(ENUMTYPE_FORM type, int id, bool addToList, int sharedId,
                                               bool init);
    STRUCT_SLIPDATA_ITEM_2004* NewSlipData(ENUMTYPE_SLIP type, int id, int sharedId);
    STRUCT_NOTEDATA_ITEM_2004* NewNoteData(int id);
    STRUCT_WIZDATA_ITEM_2004* NewWizData(ENUMTYPE_TAXWIZARD type);
    void InitNewFormData(CTaxData_Form* form);
    // Fills the return with one of every form, each with test data.
    void CreateTestPrintFile();

    // ---- Lookups ----
    bool HasForm(ENUMTYPE_FORM type) const { return m_items.HasForm(type); }
    // type 0 counts every form
    int GetCountOfForm(ENUMTYPE_FORM type) const { return m_items.GetCountOfForm(type); }
    int GetCountOfSlip(ENUMTYPE_SLIP type) const { return m_items.GetCountOfSlip(type); }
    // The only item of that type; null when there are several. With create
    // and none present, a new item.
    STRUCT_FORMDATA_ITEM_2004* GetFormDataItem(ENUMTYPE_FORM type, bool create);
    CTaxData_Form* GetFormData(ENUMTYPE_FORM type, bool create)
    {
        // The common case inline (the calculation asks hundreds of times a
        // pass): the one form of the type is there.
        if (STRUCT_FORMDATA_ITEM_2004* item = m_items.onlyFormItem(type))
            return item->data;
        if (!create)
            return nullptr;
        STRUCT_FORMDATA_ITEM_2004* made = GetFormDataItem(type, true);
        return made ? made->data : nullptr;
    }
    CTaxData_Form* GetFormData(ENUMTYPE_FORM type, int id) const { return m_items.GetFormData(type, id); }
    void GetFormDataList(ENUMTYPE_FORM type, std::list<STRUCT_FORMDATA_ITEM_2004*>& out) const
    {
        m_items.GetFormDataList(type, out);
    }
    CTaxData_Form* GetSlipData(ENUMTYPE_SLIP type, int id, bool create);
    CTaxData_Form* GetWizData(ENUMTYPE_TAXWIZARD type, bool create);
    int PrepareT2209List(std::list<TaxData_T2209_2036*>& out) const { return m_items.PrepareT2209List(out); }
    TaxData_T1New* GetT1() const { return m_items.GetT1(); }
    // While held, the lookups by type read a table by type instead of
    // walking the list (PersonItemStore); the family's calculation holds it.
    void holdFormTypeIndex() { m_items.holdFormTypeIndex(); }
    void releaseFormTypeIndex() { m_items.releaseFormTypeIndex(); }

    STRUCT_FORMDATA_ITEM_2004* FindFormItem(const CTaxData_Form* form) const { return m_items.FindFormItem(form); }
    STRUCT_SLIPDATA_ITEM_2004* FindSlipItem(const CTaxData_Form* slip) const { return m_items.FindSlipItem(slip); }
    int GetFormID(const CTaxData_Form* form) const { return m_items.GetFormID(form); }
    int GetSharedFormID(const CTaxData_Form* form) const { return m_items.GetSharedFormID(form); }
    int GetSlipID(const CTaxData_Form* slip) const { return m_items.GetSlipID(slip); }
    int GetSharedSlipID(const CTaxData_Form* slip) const { return m_items.GetSharedSlipID(slip); }
    bool SetSharedForm(const CTaxData_Form* form, int sharedId) { return m_items.SetSharedForm(form, sharedId); }
    bool SetSharedSlip(const CTaxData_Form* slip, int sharedId) { return m_items.SetSharedSlip(slip, sharedId); }
    // Shared ids that no item of the other person carries any more go to 0.
    void ClearDanglingSharedIds(const IndividualTaxData& other) { m_items.ClearDanglingSharedIds(other.m_items); }
    // Every shared id goes to 0 (the person has no partner to link to).
    void ClearAllSharedIds() { m_items.ClearAllSharedIds(); }
    bool HasSharedComponent() const { return m_items.HasSharedComponent(); }
    int GetCountOfSFDForms() const { return m_items.GetCountOfSFDForms(); }
    bool hasS6Dependants() const;

    // ---- Walks ----
    void EnumTaxForms(CEnumTaxFormObj* visitor, void* param) { m_items.EnumTaxForms(visitor, param); }
    void EnumTaxSlips(CEnumTaxSlipObj* visitor, void* param) { m_items.EnumTaxSlips(visitor, param); }
    void EnumTaxNotes(CEnumTaxNoteObj* visitor, void* param) { m_items.EnumTaxNotes(visitor, param); }
    void EnumTaxWizards(CEnumTaxWizardObj* visitor, void* param) { m_items.EnumTaxWizards(visitor, param); }

    // ---- Removing items ----
    void RemoveSlipData(CTaxData_Form* slip) { m_items.RemoveSlipData(slip); }
    void RemoveNoteData(CTaxData_Form* note) { m_items.RemoveNoteData(note); }
    // withItem false: frees only the object (one held by no list); true:
    // the form and its tied form go with their items.
    void RemoveFormData(CTaxData_Form* form, bool withItem);

    // ---- Coupled flag ----
    void SetCoupledReturn(bool coupled);
    bool IsCoupledReturn() const { return m_coupled; }

    // ---- Income predicates ----
    bool HaveRentalIncome() const;
    bool HaveBusinessIncome() const;
    bool HaveProfessionalIncome() const;
    bool HaveCommissionIncome() const;
    bool HaveFishIncome() const;
    bool HaveFarmIncome() const;
    bool HaveSelfBusiness() const;
    double CalculatedSelfEmpIncomeForF5532() const;
    bool isSpouseRelated() const;
    // Whether Schedule 6 may be worth adding to this person's single return.
    bool MaySchedule6Needed() const;
    // Adjusted net income for Schedule 6 (net income with its add-backs and
    // deductions) and working income.
    double AdjustedNetIncomeForS6() const;
    double WorkingIncomeForS6() const;

    // ---- Form-set rules ----
    void MakeSureSomeFormsExist(unsigned char purpose, ENUMTYPE_PROVINCE province);
    ENUMTYPE_FORM FindExtraFormToBeAdded(ENUMTYPE_FORM type);
    CTaxData_Form* _FindExtraFormToBeRemoved(CTaxData_Form* form);
    void ChangeProvince(ENUMTYPE_PROVINCE from, ENUMTYPE_PROVINCE to);
    void SetTaxReturnDefaultValues();
    bool IsNonrefundableCreditAllUsed();
    // The T1's federal income thresholds, then the province's.
    void GetIncomeThresholds(std::list<double>& thresholds);
    bool IsFormNeeded(ENUMTYPE_FORM type);
    // The same with the forms the slips call for summed by the caller
    // (slipsSummed), or summed into neededBySlips here.
    bool isFormNeeded(ENUMTYPE_FORM type, std::set<ENUMTYPE_FORM>& neededBySlips, bool slipsSummed);
    void GetS11FormData();
    void GetS2FormData();

    // ---- Amounts, texts and flags by code ----
    bool getFedAmountClaimed(int code, double& value) const;
    bool getFedAmountClaimed(int code, int& value) const;
    bool getFedStringClaimed(int code, CString& text) const;
    bool setFedAmount(int code, int flag, double amount);
    // Keeps the agency's answer to a filing in the form of that type (1 T1,
    // 101 T1135, 117 T1013, 181 T185): result 1 accepted, -1 refused, text
    // the confirmation or what went wrong. A later failure never undoes an
    // acceptance.
    void updateFilingStatus(ENUMTYPE_FORM type, int result, const CString& text);
    void UnsetReFile();

    // ---- Online filing rules (efileeligibility.cpp, refile.cpp) ----
    // Appends every refusal that applies to filing this return online in the
    // mode (bit 0 set: EFILE, else DIRERAD), in rule order; an empty list
    // means the return may go on. What the user should read although it
    // refuses nothing (a test run skipping a form) goes to notes. Returns
    // the provincial plug-ins' answer, which the filing does not act on.
    int IsEligibleForElectronicFile(unsigned char mode, std::list<CString>& messages,
                                    std::list<CString>* notes = nullptr);
    // Keeps a copy of the return summary as it is now, sets the return for
    // ReFILE and records it as amended: 0, or -1 (nothing changed) when the
    // return has no summary to keep.
    int prepareForReFile();
    // At most one refusal of a ReFILE in the mode; the size of messages.
    int IsEligibleForReFile(unsigned char mode, std::list<CString>& messages);
    // The amounts a ReFILE may not change, against the copy kept when the
    // return was prepared; the size of messages.
    int DoSurveyBeforeReFile(std::list<CString>& messages);
    // The T1135 statement's own checks as one record appended to records
    // (only when they found anything; the caller owns it). Returns the
    // form's answer; 0 without a T1135.
    int ValidateT1135(unsigned char edition, std::list<_STRUCT_FORM_VALIDATE_INFO*>& records);
    // style 0: amounts as files keep them ("1234.50"); kStatusOnScreen:
    // with thousands separators ("1,234.50"), for the status bar.
    static constexpr int kStatusOnScreen = 1;
    CString GetReturnStatusString(int style = 0) const;
    CString GetDireradNameWithoutSuffix() const;
    CString GetReturnFileNameWithoutSuffix() const { return GetDireradNameWithoutSuffix(); }
    void GetPersonalBasicInfo(CString& sin, CString& givenName, CString& secondName, CString& familyName,
                              CString& email, QDate& dob, double& balance) const;
    CString GetFirstName() const;
    CString GetLastName() const;
    void GetFirstName(CString& given, CString& initial) const;
    CString GetSIN() const;
    QDate GetDOB() const;
    CString GetSpouseSIN() const;
    CString GetSpouseFirstName() const;
    CString GetSpouseLastName() const;
    QDate GetSpouseDOB() const;
    ENUMTYPE_MARITAL_STATUS GetMaritalStatus() const;
    void SetMaritalStatus(ENUMTYPE_MARITAL_STATUS status);
    bool IsDisabled() const;
    int CopyTaxPreparerInfo();

    // ---- Return file (one person record) ----
    // Writes or reads the record; on success the file version, else a
    // ReturnFileLoadCode. A failed read leaves a person the caller discards.
    int serialize(unsigned char purpose, MyDataStream& ar) { return m_record.serialize(purpose, ar); }
    // Form types that reading drops (retired or expired forms).
    bool isDataTypeSerializationSkipped(ENUMTYPE_FORM type) const
    {
        return m_record.isDataTypeSerializationSkipped(type);
    }
    // The return summary (type 93) becomes the first form.
    void AdjustT1KSToFrontPage() { m_items.moveFormToFront(FORM_T1KS); }
    // Completes a person after reading: the forms every return holds and the
    // interview data. Nothing without a T1.
    void DoSthAfterReading(unsigned char purpose) { m_record.DoSthAfterReading(purpose); }
    // The barcode block between the two marker runs; false when the stream
    // failed (writing) or the block is damaged (reading); forFile makes no
    // difference to the block.
    bool WriteBarcode(bool /*forFile*/, MyDataStream& ar) { return m_record.WriteBarcode(ar); }
    bool ReadBarcode(MyDataStream& ar) { return m_record.ReadBarcode(ar); }
    // Set when reading had to drop forms that the return needs (their
    // plug-in did not load): such a person is never written back.
    bool m_lostFormsOnReading = false;

    // Takes the interview answers of one kind (1 to 6) into the forms
    // (kind 2: last year's amounts).
    void ReadDataFromWizards(int kind) { m_interview.readFromWizards(kind); }
    // Copies the forms' values back into every interview-data object (the
    // same for either spouse).
    void WriteDataToWizards(bool /*isSpouse*/) { m_interview.writeToWizards(); }

    // ---- Slips ----
    // Sums the slips into totals and lists the forms they make necessary.
    // Only the calculation passes createForms (it adds the missing forms).
    void PrepareSlipsBeforeCalculate(STRUCT_SLIPDATA_CALCULATION& totals, std::set<ENUMTYPE_FORM>& needed,
                                     bool createForms = false);
    // HTML summary of the person's slips; always 0.
    int getSlipSummary(QTextStream& out);
    // What the calculation could not use and the user should know about.
    void ValidateCalculationInputs(std::list<CString>& messages);

    // ---- Over the records shared with the agency-data, filing and import
    // code (individualtaxdata_services.cpp); Validate and AnyMsgBeforeDirerad
    // come with the validation code ----
    // What the person's DIRERAD request (also the T1135 statement's) carries,
    // with the e-mail and balance the after-filing page offers; absent
    // without a T1. testCaseId 0 or below: none.
    std::optional<DireradReturnFacts> direradReturnFacts(int agreement, int testCaseId) const;
    // What the person's EFILE request carries for form (the signatures only
    // for FORM_T1); absent without a T1. The test case only in test mode.
    std::optional<EfileReturnFacts> efileReturnFacts(ENUMTYPE_FORM form, int testCaseId);
    // The same as template values (model/requestfields.h names the keys).
    // The EFILE form reads the test case as text the caller put in the map
    // (efileTestCaseTextIn).
    void getDireradDataInfo(TemplateValueMap& values, int agreement, CString& email, double& balance,
                            int testCaseId);
    void getEfileDataInfo(TemplateValueMap& values, ENUMTYPE_FORM form);
    // Applies an Auto-fill record to this return under the options
    // (model/autofillapply.h); it neither recalculates nor saves. notes
    // (may be null) receive what the user should check. 0 when applied;
    // kAutoFillNoOptions or kAutoFillNoReturn (no T1) when nothing was.
    static constexpr int kAutoFillNoOptions = -1;
    static constexpr int kAutoFillNoReturn = -2;
    int AutoFillReturn(TDDTaxDataOnePerson& person, DataAFR* options, std::list<CString>* notes = nullptr);
    // Validation never changes the return. Appends a record for each slip
    // and form with messages, then one record of the whole-return checks
    // when they found anything; returns the size of out (earlier records
    // counted too).
    int Validate(unsigned char edition, std::list<_STRUCT_FORM_VALIDATE_INFO*>& out);
    // Checks between this spouse and the other; appends to messages and
    // returns their number (earlier messages counted too).
    int ValidateWithCoupled(unsigned char edition, std::list<CString>& messages, IndividualTaxData& other);
    // The confirmations before filing, asked through the prompter; false
    // when the user declines one (do not file).
    bool AnyMsgBeforeDirerad(unsigned char edition, bool isReFile);
    void Build2003DataTo2004(STRUCT_IMPORT_LASTYEAR_PARAM* param);

    // ---- Calculation (TaxDataCalc*.cpp) ----
    // The seven steps of one person's calculation, run in this order for
    // every person of the family, twice per recalculation.
    enum EnumCalculateStep {
        CalcStepPrepare = 0,      // automatic forms, preparer and filing data
        CalcStepSlipsAndIncome = 1,
        CalcStepTaxableIncome = 2,
        CalcStepSpouseAmounts = 3,
        CalcStepFederalTax = 4,
        CalcStepCreditsAndBalance = 5,
        CalcStepAdjustment = 6,   // adjustment, automatic removals, instalments
    };
    // Runs one step. The changed item carries its kind with its type, so a
    // slip and a form of the same type number are never taken for each
    // other. Returns the number of forms the step added or removed by itself
    // (steps 0, 1 and 6); a step outside 0 to 6 does nothing and returns 0.
    int Calculate(const CalcChange& changed, EnumCalculateStep step, bool isSpouse)
    {
        return m_calculation.run(changed, step, isSpouse);
    }
    // Steps 1 to 5: slips and statements into income, taxable income, the
    // spouse-related amounts, federal and provincial tax, the balance.
    int CalculateStep1(const CalcChange& changed) { return m_calculation.step1(changed); }
    int CalculateStep2() { return m_calculation.step2(); }
    int CalculateStep3() { return m_calculation.step3(); }
    int CalculateStep4() { return m_calculation.step4(); }
    int CalculateStep5(bool isSpouse) { return m_calculation.step5(isSpouse); }
    // Refreshes the return summary (type 93); primary is the person on
    // screen (or the only person), other the spouse's return or null.
    void UpdateT1KS(bool primary, IndividualTaxData* other);
    // The day counts of the year for this person (all 0 without a T1).
    CalcDays calcDays() const;

    // Foreign tax credit; each returns 0.
    int CalculateT2209Adjust15Percent();
    int CalculateT2209FedPart();
    int CalculateT2209FromFedToProv();

    // Pension splitting and small person routines.
    void _calculateT1032_step1();
    void _calculateT1032_step2();
    double CalculatedEarnedIncomeForT778() const;
    double CalculateF5530ForT778() const;
    double CalcF5532ForSch6OrRefMedSupp(double selfEmploymentIncome) const;
    bool isFHSAEligible() const;
    bool MaySchedule6Needed_v2() const;
    void CalculateAdjustment();

    // Benefits and pension-plan months.
    bool isBenefitEligible(IndividualTaxData* other) const;
    void CalculateOtherBenefits(bool gstCreditComputed, IndividualTaxData* other);
    int GetCPPMonths(int retirementMonths, int disabilityMonths) const;
    int GetQPPMonths(int retirementMonths, int disabilityMonths) const;
    double getF50329(double cap) const;
    double getF50339(double cap) const;
    // Whether this person was calculated as the spouse of a coupled family
    // (set by step 0; the GST/HST applicant rule needs a fixed order).
    bool calculatedAsSpouse() const { return m_calculation.asSpouse(); }

    // ---- Data (read directly by the file, filing and print code) ----
    double m_dT1MAmount = 0.0;
    CMultiProvsTaxMgr m_provMgr;

private:
    // The parts. The store comes after the host it frees plug-in objects
    // through; the others work on the person as a whole.
    PersonItemStore m_items{m_provMgr};
    InterviewTransfer m_interview{*this};
    PersonRecordCodec m_record{*this};
    PersonCalculation m_calculation{*this};
    // The calculation runs the person's private steps 0 and 6 and adds the
    // forms its blocks call for.
    friend class PersonCalculation;

public:
    ENUMTYPE_PROVINCE m_province = 0;
    int m_fileVersion = kFileVersion;
    int m_taxYear = TAX_YEAR;
    int m_markerWord = kNoMarkerWord;
    // The item store's ids and lists under the names every caller uses.
    int& m_nextId = m_items.m_nextId;
    std::list<STRUCT_FORMDATA_ITEM_2004*>& m_formList = m_items.m_formList;
    std::list<STRUCT_SLIPDATA_ITEM_2004*>& m_slipList = m_items.m_slipList;
    std::list<STRUCT_NOTEDATA_ITEM_2004*>& m_noteList = m_items.m_noteList;
    std::list<STRUCT_WIZDATA_ITEM_2004*>& m_wizList = m_items.m_wizList;
    CReservedArea m_reservedArea;
    CString m_readPassword;
    DependantInfoStruct* m_pDependants = nullptr;
    bool m_coupled = false;

private:
    void createFlaggedProvinceForms(ENUMTYPE_PROVINCE province);
    void copyItemsFrom(const IndividualTaxData& other);
    // Forms the slips make necessary; filled by the slip totals.
    void collectFormsNeededBySlips(std::set<ENUMTYPE_FORM>& needed);

    // Calculation helpers (TaxDataCalc*.cpp).
    int _autoAddOneRelatedForm(ENUMTYPE_FORM type);
    int _autoAddSomeForms();
    int _autoCreateSch8RC381(int selector);
    int _autoRemoveSomeForms();
    void ExchangeDataBeforeCalc(const CalcChange& changed);
    void calculateStep0(const CalcChange& changed);
    int calculateStep6();

};

// Assigns value to target only when value is not empty.
void setStringValueIfNotEmpty(CString& target, const CString& value);

// Display name of a form item for the return tree and the form-order list.
void formDisplayName(bool sharedPrefix, const STRUCT_FORMDATA_ITEM_2004* item, CString& out);
