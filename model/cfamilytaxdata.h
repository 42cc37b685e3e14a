#pragma once

#include <memory>

#include <QString>
#include <list>

#include "companion/core/cstring.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/taxtypes.h"
#include "model/cpersonalsettings.h"
#include "model/dialogrecords.h"
#include "model/optimize_splitsearch.h"
#include "model/individualtaxdata.h"

class CTaxData_Form;
class DataAFR;
class MyDataStream;
class QComboBox;
class QTextStream;
class TemplateValueMap;
struct TDDTaxDataOnePerson;
struct _STRUCT_FORM_VALIDATE_INFO;

// One open return file: the taxpayer's return, the spouse's (which counts
// only when it holds a T1), the family's dependant table, the view state and
// the person the user works on. What concerns both spouses happens here;
// most other operations act on the current person.
class ReturnChangeNotifier;

class CFamilyTaxData
{
public:
    // Current-person values.
    static constexpr int kTaxpayer = -2;
    static constexpr int kSpouse = -1;
    static constexpr int kDependantSlots = 12;

    explicit CFamilyTaxData(ENUM_MultiProvsTaxMgrMode mode = MULTIPROVS_MODE_RESIDENCE);
    ~CFamilyTaxData();
    CFamilyTaxData(const CFamilyTaxData&) = delete;

    // ---- Life cycle and copies ----
    void FreeData();
    // Deep copy of both persons (with their coupled flags), the current
    // person and the dependant table; the view state is not copied.
    CFamilyTaxData& operator=(const CFamilyTaxData& other);
    // Refreshes this copy from other: values only where both persons hold the
    // same items, else a full copy of that person. True when no full copy
    // was needed.
    bool softCopy(const CFamilyTaxData& other);
    bool operator!=(const CFamilyTaxData& other) const;
    bool operator==(const CFamilyTaxData& other) const { return !(*this != other); }

    // What this return announces when it changes (model/returnchanges.h):
    // whoever shows it listens there. A copy has a notifier of its own.
    ReturnChangeNotifier& changes() const { return *m_changes; }

    // ---- Persons ----
    int getCurIndv() const { return m_curIndv; }
    // Only the taxpayer (-2) and the spouse (-1) can be chosen: the dependant
    // slots never hold a return. Other values leave the choice unchanged.
    int setCurIndv(int index);
    IndividualTaxData* getCurIndvTaxData() const;
    IndividualTaxData* getNonCurIndvTaxData() const;
    IndividualTaxData* getTaxpayer() const { return m_pTaxpayer; }
    IndividualTaxData* getSpouse() const { return m_pSpouse; }
    bool IsCoupledReturn() const;
    DependantInfoStruct& dependants() { return m_dependants; }
    const DependantInfoStruct& dependants() const { return m_dependants; }
    CPersonalSettings& settings() { return m_settings; }
    ENUM_MultiProvsTaxMgrMode mode() const { return m_mode; }

    // ---- Names and lists ----
    void getFamilyFullName(CString& taxpayer, CString& spouse) const;
    // Defined in model/ui (the model's widget part, target model_ui).
    int fillComboBox(QComboBox* combo, bool spouseCurrent);
    QString GetReturnFileNameWithoutSuffix() const;
    void GetActiveProvinces(std::list<unsigned int>& provinces) const;
    int GetCountOfForm(ENUMTYPE_FORM type) const;

    // ---- Results and status texts ----
    void getFamilyResult(CString& taxpayer, CString& spouse, CString& family) const;
    void GetFamilyReturnStatus(double& taxpayer, double& spouse, double& total) const;
    CString GetFamilyReturnStatusString() const;
    void getReport(int unused, QString& out) const;
    bool MaySchedule6Needed() const;

    // ---- Coupling, province and shared items ----
    // Joins another family's taxpayer as this family's spouse. Dependants of
    // the other family that this table lacks are added where there is room;
    // links to items that no longer exist are cleared. Always true.
    bool CoupleTaxReturn(CFamilyTaxData* other);
    // Makes a single return of a coupled one: the taxpayer stays (false) or
    // the spouse becomes the taxpayer (true); the other person's data go,
    // the dependant table stays the family's, and the taxpayer becomes
    // current.
    void DecoupleReturn(bool keepSpouse);
    // Each person changes from that person's own province; from is the
    // current person's and is checked against it.
    void ChangeProvince(ENUMTYPE_PROVINCE from, ENUMTYPE_PROVINCE to, int both);
    bool IsTaxFormSharedWithSpouse(const CTaxData_Form* form) const;
    bool IsTaxSlipSharedWithSpouse(const CTaxData_Form* slip) const;
    // False when nothing was shared (not coupled, not sharable, not in the
    // current person's list, or the spouse holds the type more than once).
    bool ShareTaxFormWithSpouse(CTaxData_Form* form, int existingId);
    bool ShareTaxSlipWithSpouse(CTaxData_Form* slip, int existingId);
    void UnShareTaxFormWithSpouse(CTaxData_Form* form);
    void UnShareTaxSlipWithSpouse(CTaxData_Form* slip);
    bool SyncMailingAddrToSpouseReturn();
    int CopyTaxPreparerInfo();
    void CreateTestPrintFile();

    // ---- Construction from outside data ----
    // A new family from the new-return wizard's choices.
    void NewData(const NewReturnBasicData* record);
    // The wizard's own record (DataNewReturnBasic), read field by field.
    template <typename Record>
    void NewData(const Record* record)
    {
        if (record) {
            const NewReturnBasicData data = newReturnBasicDataFrom(*record);
            NewData(&data);
        }
    }

    // Agency data for the current person (IndividualTaxData::AutoFillReturn),
    // then a recalculation; the person's result (nothing applied and no
    // recalculation when it is not 0).
    int AutoFillReturn(TDDTaxDataOnePerson& person, DataAFR* options, std::list<CString>* notes = nullptr);
    // ---- Return file ----
    // Writes or reads the whole family; a ReturnFileLoadCode (0 success).
    int serialize(unsigned char purpose, MyDataStream& ar);
    // Reads a family from a file. Null with code 107 when the file cannot be
    // opened; otherwise a new family and the read's code (the caller deletes
    // the family, also when the code is not 0).
    static CFamilyTaxData* serializeFromFile(const CString& path, int& code);
    // The same for a path as the file system's bytes (a list's name that is
    // not valid in the locale's encoding is still found).
    static CFamilyTaxData* serializeFromNativePath(const QByteArray& nativePath, int& code);
    // Writes the family to path through a save file: the file is replaced
    // only when everything was written; otherwise an earlier file stays as it
    // was. A ReturnFileLoadCode (0 success); error receives the reason.
    int saveToFile(const CString& path, unsigned char purpose, QString* error = nullptr);
    bool shouldCheckReadPassword() const;
    // Compared without regard to case.
    bool checkReadPassword(const CString& text) const;
    // The two words after the dependant table and the view state; 0, or 111
    // when reading them failed.
    int _extraSerialize(unsigned char purpose, MyDataStream& ar);

    // ---- Calculation ----
    // Recalculates the whole family; the number of forms the calculation
    // added or removed by itself.
    int Calculate(int kind, CTaxData_Form* changed);
    // Moves the figures one spouse's next steps need from the other after
    // both ran the given step (steps 0 to 5 of a coupled return). The
    // direction is fixed (taxpayer, then spouse), never the person on
    // screen, so the figures do not depend on who is shown.
    void ExchangeCoupledTaxData(IndividualTaxData::EnumCalculateStep step);

    // ---- Forwarders to the current person ----
    bool HasForm(ENUMTYPE_FORM type) const;
    CTaxData_Form* GetFormData(ENUMTYPE_FORM type, bool create);
    STRUCT_FORMDATA_ITEM_2004* GetFormDataItem(ENUMTYPE_FORM type, bool create);
    // For a T1032 in a coupled return the other spouse gets one too.
    STRUCT_FORMDATA_ITEM_2004* NewFormDataItem(ENUMTYPE_FORM type, int id, bool addToList, int sharedId,
                                               bool init);
    STRUCT_SLIPDATA_ITEM_2004* NewSlipData(ENUMTYPE_SLIP type, int id, int sharedId);
    STRUCT_NOTEDATA_ITEM_2004* NewNoteData(int id);
    void RemoveNoteData(CTaxData_Form* note);
    void RemoveSlipData(CTaxData_Form* slip);
    // The tied form always goes too.
    void RemoveFormData(CTaxData_Form* form, bool withTied = true);
    ENUMTYPE_FORM FindExtraFormToBeAdded(ENUMTYPE_FORM type);
    // The current person's status line (IndividualTaxData::GetReturnStatusString).
    CString GetReturnStatusString(int style = 0) const;
    bool getFedStringClaimed(int code, CString& text) const;
    bool getFedAmountClaimed(int code, double& value) const;
    bool getFedAmountClaimed(int code, int& value) const;
    bool setFedAmount(int code, int flag, double amount);
    // Stores a text of the current person's forms by code: 10002 the T183's
    // e-signature request id, 10005 the RC71's. False for another code or
    // when the person has no such form.
    bool setFedString(int code, const CString& text);
    CString GetDireradNameWithoutSuffix() const;
    void updateFilingStatus(ENUMTYPE_FORM type, int result, const CString& text);
    void UnsetReFile();
    int IsEligibleForElectronicFile(unsigned char mode, std::list<CString>& messages,
                                    std::list<CString>* notes = nullptr);
    int prepareForReFile();
    int IsEligibleForReFile(unsigned char mode, std::list<CString>& messages);
    int DoSurveyBeforeReFile(std::list<CString>& messages);
    // The current person's request records (IndividualTaxData's); absent
    // without a current person or a T1.
    std::optional<DireradReturnFacts> direradReturnFacts(int agreement, int testCaseId) const;
    std::optional<EfileReturnFacts> efileReturnFacts(ENUMTYPE_FORM form, int testCaseId);
    void getDireradDataInfo(TemplateValueMap& values, int agreement, CString& email, double& balance,
                            int testCaseId);
    void getEfileDataInfo(TemplateValueMap& values, ENUMTYPE_FORM form);
    int getSlipSummary(QTextStream& out);

    // ---- Defined with the validation, import and optimiser code ----
    // Validates the taxpayer, or the spouse of a coupled return, into out;
    // name receives the person's full name. With withCoupledChecks a
    // coupled return also gets the record of checks between the spouses
    // (only when it holds messages). The number of records, counting the
    // between-spouses record by its messages.
    quint64 ValidateTaxReturn(unsigned char edition, std::list<_STRUCT_FORM_VALIDATE_INFO*>& out, CString& name,
                              bool spouse, bool withCoupledChecks);
    // The checks between the spouses from one side; 0 for a single return.
    int ValidateWithCoupled(unsigned char edition, std::list<CString>& messages, bool spouse);
    int ValidateT1135(unsigned char edition, std::list<_STRUCT_FORM_VALIDATE_INFO*>& out);
    bool AnyMsgBeforeDirerad(unsigned char edition, bool isReFile);
    // Last year's return carried into this one, person by person
    // (cfamilytaxdata_services.cpp).
    void Build2003DataTo2004(STRUCT_IMPORT_LASTYEAR_PARAM* param);

    // ---- Coupled-return optimisation (run it on a scratch copy) ----
    // Splits the shareable interest, capital gains, pension and donations
    // for the lowest family balance; nothing for a single return. The run,
    // when given, hears of every recalculation and may stop the work: the
    // best split found so far is then left in place and the result is false.
    void DoCoupledReturnOptimize(DataShareAmtDlg* amounts);
    bool DoCoupledReturnOptimize(DataShareAmtDlg* amounts, OptimizeRun* run);
    // Search of the pension split in [0, maxSplit] and of the taxpayer's
    // donation share in [low, high] (the spouse taking pool minus it); best
    // holds the starting value on entry and the best value on return. The
    // candidate fields are left at the last value tried.
    void DoPensionSplitOpt(double maxSplit, double& best, OptimizeRun* run = nullptr);
    void DoDonationSplitOpt(double low, double high, double pool, double& best, OptimizeRun* run = nullptr);

private:
    ENUM_MultiProvsTaxMgrMode m_mode;
    CPersonalSettings m_settings;
    IndividualTaxData* m_pTaxpayer = nullptr;
    IndividualTaxData* m_pSpouse = nullptr;
    IndividualTaxData* m_dependantSlots[kDependantSlots] = {};
    DependantInfoStruct m_dependants;
    int m_curIndv = kTaxpayer;
    std::unique_ptr<ReturnChangeNotifier> m_changes;

    void mergeDependantsFrom(const DependantInfoStruct& other);
    // After items went: links whose partner no longer names them back go.
    void clearLinksToRemovedItems();
    // Share of a form (FROM_FORM) or slip (FROM_SLIP) of the current person.
    bool shareWithSpouse(CTaxData_Form* data, int existingId, ENUMTYPE_FROM kind);
};

// "name [Bal. Due: x]" for a positive balance, else "name [Refund: x]".
void getShortResult(const CString& name, double balance, CString& out);
