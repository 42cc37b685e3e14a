// The person record of the return file: its layout, writing and reading,
// and what reading completes afterwards.
#include "model/personrecordcodec.h"

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/mydatastream.h"
#include "model/individualtaxdata.h"
#include "model/barcodeblock.h"
#include "model/returnfileloadcode.h"
#include "model/returnfileversions.h"

#include <algorithm>

namespace {

constexpr int kWrittenTaxYear = TAX_YEAR;
// The marker text every object of a record is written with.
const char* const kObjectMarker = "5182zed64093371";
constexpr qint8 kMarkerByte = 98; // 'b'
constexpr int kMarkerRun = 8;
// No return comes near these; a larger count is damage.
constexpr qint32 kMaxFormCount = 4096;
constexpr qint32 kMaxSlipCount = 8192;
constexpr qint32 kMaxNoteCount = 4096;
// Ids are drawn one by one from 100; one this high is damage, and a next id
// near the top of the int range would overflow when drawn.
constexpr qint32 kMaxItemId = 0x3FFFFFFF;

// File versions at which a field of the person record first appears.
constexpr int kVersionNotes = returnfileversion::kNotes;
constexpr int kVersionMarkerRuns = returnfileversion::kMarkerRuns;
constexpr int kVersionFormIds = returnfileversion::kFormIds;
constexpr int kVersionSlipSharedIds = returnfileversion::kSlipSharedIds;
constexpr int kVersionMarkerWord = returnfileversion::kMarkerWord;
constexpr int kVersionReservedWord = returnfileversion::kReservedWord;
constexpr int kVersionPassword = returnfileversion::kPassword;

bool streamOk(const MyDataStream& ar) { return ar.status() == QDataStream::Ok; }

// Any malformed or truncated part of a record: the user is told, and 111.
int damaged()
{
    showReturnFileMessage(damagedReturnFileText());
    return RFL_DAMAGED_OR_NEWER;
}

void writeMarkerRun(MyDataStream& ar)
{
    for (int i = 0; i < kMarkerRun; ++i)
        ar << kMarkerByte;
}

bool readMarkerRun(MyDataStream& ar)
{
    // The bytes themselves are not checked; only that they are there.
    qint8 byte = 0;
    for (int i = 0; i < kMarkerRun; ++i)
        ar >> byte;
    return streamOk(ar);
}

int storeRecord(IndividualTaxData& person, MyDataStream& ar)
{
    person.AdjustT1KSToFrontPage();
    person.m_fileVersion = IndividualTaxData::kFileVersion;
    person.m_taxYear = kWrittenTaxYear;
    ar << qint32(person.m_fileVersion) << qint32(person.m_taxYear) << qint32(0) << qint32(person.m_markerWord);

    const CString marker(kObjectMarker);
    person.m_reservedArea.SetString(0, person.m_readPassword);
    person.m_reservedArea.SetString(1, marker);
    if (!person.m_reservedArea.writeToArchive(ar))
        return RFL_WRITE_FAILED;

    ar << qint32(person.m_nextId) << qint32(person.m_province);

    ar << qint32(person.m_formList.size());
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList) {
        if (!item->data)
            return RFL_WRITE_FAILED;
        ar << qint32(item->type) << qint32(item->id) << qint32(item->sharedId);
        if (item->data->Serialize(IndividualTaxData::kFileVersion, marker, ar) != 0 || !streamOk(ar))
            return RFL_WRITE_FAILED;
    }
    ar << qint32(person.m_slipList.size());
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList) {
        if (!item->data)
            return RFL_WRITE_FAILED;
        ar << qint32(item->type) << qint32(item->id) << qint32(item->sharedId);
        if (item->data->Serialize(IndividualTaxData::kFileVersion, marker, ar) != 0 || !streamOk(ar))
            return RFL_WRITE_FAILED;
    }
    ar << qint32(person.m_noteList.size());
    for (const STRUCT_NOTEDATA_ITEM_2004* item : person.m_noteList) {
        if (!item->data)
            return RFL_WRITE_FAILED;
        ar << qint32(1) << qint32(item->id);
        if (item->data->Serialize(IndividualTaxData::kFileVersion, marker, ar) != 0 || !streamOk(ar))
            return RFL_WRITE_FAILED;
    }

    writeMarkerRun(ar);
    if (!person.WriteBarcode(true, ar))
        return RFL_WRITE_FAILED;
    writeMarkerRun(ar);
    return streamOk(ar) ? person.m_fileVersion : RFL_WRITE_FAILED;
}

// Reads a count and checks it against its bound.
bool readCount(MyDataStream& ar, qint32 bound, qint32& count)
{
    ar >> count;
    return streamOk(ar) && count >= 0 && count <= bound;
}

// A provincial form that no plug-in makes here (its library is missing or
// older than the file): every figure on it is the calculation's, so the
// return reads without it, and the plug-in makes it again when it can.
int readPastProvincialForm(ENUMTYPE_FORM type, unsigned fileVersion, const CString& marker, MyDataStream& ar)
{
    CTaxData_Form standIn(FROM_FORM, type);
    if (standIn.Serialize(fileVersion, marker, ar) != 0 || !streamOk(ar))
        return damaged();
    return 0;
}

// One form of the record; 0 when read (kept or dropped), else a code.
int loadForm(IndividualTaxData& person, MyDataStream& ar, const CString& marker, bool& summarySeen)
{
    qint32 type = 0, id = 0, sharedId = 0;
    ar >> type;
    if (person.m_fileVersion > kVersionFormIds)
        ar >> id >> sharedId;
    if (!streamOk(ar) || id > kMaxItemId)
        return damaged();
    if (person.m_fileVersion <= kVersionFormIds) {
        id = person.GetNextUniqueID();
        sharedId = 0;
    }

    bool kept = !person.isDataTypeSerializationSkipped(type);
    if (type == FORM_T1KS) {
        kept = kept && !summarySeen;
        summarySeen = true;
    }

    STRUCT_FORMDATA_ITEM_2004* item = nullptr;
    bool ownItem = false; // an item in no list: read, then dropped
    if (kept && !IsMultipleForm(type))
        item = person.GetFormDataItem(type, false);
    if (!item) {
        item = person.NewFormDataItem(type, id, kept, sharedId, false);
        if (!item && getFormProv(type) > 0)
            return readPastProvincialForm(type, unsigned(person.m_fileVersion), marker, ar);
        if (!item)
            return RFL_UNKNOWN_FORM;
        ownItem = !kept;
    }

    const int read = item->data->Serialize(unsigned(person.m_fileVersion), marker, ar);
    if (read == 0 && streamOk(ar) && type == FORM_T1M)
        if (const auto* t1m = qobject_cast<const TaxData_T1MNew*>(item->data))
            person.m_dT1MAmount = t1m->Claimed.m_value;
    if (ownItem) {
        person.RemoveFormData(item->data, false);
        delete item;
    }
    if (read != 0 || !streamOk(ar))
        return damaged();
    return 0;
}

int loadSlip(IndividualTaxData& person, MyDataStream& ar, const CString& marker)
{
    qint32 type = 0, id = 0, sharedId = 0;
    ar >> type >> id;
    if (person.m_fileVersion > kVersionSlipSharedIds)
        ar >> sharedId;
    if (!streamOk(ar) || id > kMaxItemId)
        return damaged();
    STRUCT_SLIPDATA_ITEM_2004* item = person.NewSlipData(type, id, sharedId);
    if (!item)
        return RFL_UNKNOWN_SLIP;
    if (item->data->Serialize(unsigned(person.m_fileVersion), marker, ar) != 0 || !streamOk(ar))
        return damaged();
    return 0;
}

int loadNote(IndividualTaxData& person, MyDataStream& ar, const CString& marker)
{
    qint32 one = 0, id = 0;
    ar >> one >> id;
    // Every note is written with an id of its own, drawn like any item's: a
    // missing, impossible or repeated id would let the page mistake one note
    // for another.
    if (!streamOk(ar) || id < 1 || id > kMaxItemId)
        return damaged();
    for (const STRUCT_NOTEDATA_ITEM_2004* note : person.m_noteList)
        if (note->id == id)
            return damaged();
    STRUCT_NOTEDATA_ITEM_2004* item = person.NewNoteData(id);
    if (!item)
        return RFL_NOTE_NOT_MADE;
    if (item->data->Serialize(unsigned(person.m_fileVersion), marker, ar) != 0 || !streamOk(ar))
        return damaged();
    return 0;
}

// A stale or damaged next id would hand out ids the items already carry.
void keepNextIdAboveItems(IndividualTaxData& person)
{
    int highest = 0;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        highest = std::max(highest, item->id);
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList)
        highest = std::max(highest, item->id);
    for (const STRUCT_NOTEDATA_ITEM_2004* item : person.m_noteList)
        highest = std::max(highest, item->id);
    // Ids drawn from here on are at least 1, as every drawn id is.
    person.m_nextId = std::max({person.m_nextId, highest + 1, 1});
}

int loadRecord(IndividualTaxData& person, MyDataStream& ar)
{
    qint32 version = 0, year = 0;
    ar >> version >> year;
    if (!streamOk(ar) || (quint32(version) & 0xFFFF0000u) != 0x10000u)
        return damaged();
    if (version > IndividualTaxData::kFileVersion) {
        showReturnFileMessage(laterVersionReturnFileText());
        return RFL_DAMAGED_OR_NEWER;
    }
    person.m_fileVersion = version;
    person.m_taxYear = year;

    if (version > kVersionReservedWord) {
        qint32 reserved = 0;
        ar >> reserved;
    }
    person.m_markerWord = IndividualTaxData::kNoMarkerWord;
    if (version > kVersionMarkerWord) {
        qint32 markerWord = 0;
        ar >> markerWord;
        person.m_markerWord = markerWord;
    }
    if (!streamOk(ar) || !person.m_reservedArea.readFromArchive(ar))
        return damaged();
    person.m_readPassword = version >= kVersionPassword ? person.m_reservedArea.GetString(0) : CString();
    const CString marker = person.m_reservedArea.GetString(1);

    qint32 nextId = 0, province = 0;
    ar >> nextId >> province;
    if (!streamOk(ar) || province < 0 || nextId > kMaxItemId)
        return damaged();
    if (province >= PROVINCE_COUNT)
        return RFL_PROVINCE_OUT_OF_RANGE;
    person.m_nextId = std::max(nextId, qint32(1));
    person.m_province = province;
    person.m_provMgr.setMainProvince(province);
    const bool pluginLoaded = province > 0 && person.m_provMgr.getProvMgr(province, true) != nullptr;

    qint32 count = 0;
    if (!readCount(ar, kMaxFormCount, count))
        return damaged();
    if (count > 0 && !pluginLoaded) {
        // Every form would be dropped, the T1 included, and a later save
        // would destroy the return: refuse it instead.
        person.m_lostFormsOnReading = true;
        showReturnFileMessage(missingPluginReturnFileText(province));
        return RFL_PROVINCE_PLUGIN_MISSING;
    }
    bool summarySeen = false;
    for (qint32 i = 0; i < count; ++i)
        if (const int code = loadForm(person, ar, marker, summarySeen))
            return code;

    if (!readCount(ar, kMaxSlipCount, count))
        return damaged();
    for (qint32 i = 0; i < count; ++i)
        if (const int code = loadSlip(person, ar, marker))
            return code;

    if (version >= kVersionNotes) {
        if (!readCount(ar, kMaxNoteCount, count))
            return damaged();
        for (qint32 i = 0; i < count; ++i)
            if (const int code = loadNote(person, ar, marker))
                return code;
    }

    if (version > kVersionMarkerRuns) {
        if (!readMarkerRun(ar) || !person.ReadBarcode(ar) || !readMarkerRun(ar))
            return damaged();
    }
    keepNextIdAboveItems(person);
    // The forms every return holds and the interview records are added by
    // the family once both records and the dependants are read
    // (DoSthAfterReading), not here a first time as well.
    return version;
}

} // namespace

int PersonRecordCodec::serialize(unsigned char, MyDataStream& ar)
{
    return ar.IsStoring() ? storeRecord(m_person, ar) : loadRecord(m_person, ar);
}

bool PersonRecordCodec::isDataTypeSerializationSkipped(ENUMTYPE_FORM type) const
{
    static constexpr ENUMTYPE_FORM kRetired[] = {FORM_RC201, FORM_T2036_OLD, FORM_T581, FORM_SCH12_2009, FORM_T1OVPS, FORM_SCH14_2007};
    static constexpr ENUMTYPE_FORM kRetiredAfter2007[] = {FORM_T2032, FORM_T2124, FORM_T2124_COMMISSION};
    if (std::find(std::begin(kRetired), std::end(kRetired), type) != std::end(kRetired))
        return true;
    if (m_person.m_taxYear > 2007
        && std::find(std::begin(kRetiredAfter2007), std::end(kRetiredAfter2007), type) != std::end(kRetiredAfter2007))
        return true;
    return IsFormExpired(type, 0);
}

void PersonRecordCodec::DoSthAfterReading(unsigned char purpose)
{
    if (!m_person.GetT1())
        return;
    m_person.MakeSureSomeFormsExist(purpose, m_person.m_province);
    for (ENUMTYPE_TAXWIZARD type = TAXWIZARD_GENERAL; type <= TAXWIZARD_LAST; ++type)
        if (const STRUCT_TAXWIZARD_INFO* row = getTaxWizardInfo(type))
            m_person.GetWizData(type, row->create);
}

bool PersonRecordCodec::WriteBarcode(MyDataStream& ar)
{
    BarcodeBlock block;
    const bool eligible = BarcodeBlock::build(m_person, block);
    return BarcodeBlock::write(ar, eligible ? &block : nullptr);
}

bool PersonRecordCodec::ReadBarcode(MyDataStream& ar) { return BarcodeBlock::skip(ar, m_person.m_fileVersion); }
