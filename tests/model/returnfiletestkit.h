#pragma once

// Helpers shared by the return-file tests: families to write, and a writer
// of person records of any older file version, so that every version rule
// of the reader can be tried on a file laid out as that version wrote it.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>
#include <memory>

#include "companion/core/cstring.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/mydatastream.h"
#include "companion/forms/reservedarea.h"
#include "model/barcodeblock.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"

namespace returnfiletest {

constexpr int kOntario = 9;

// One item as the file lists it and as the reader should give it back.
struct ItemKey
{
    char list; // 'f' form, 's' slip, 'n' note
    int type;
    int id;
    int sharedId;
    bool operator==(const ItemKey& o) const
    {
        return list == o.list && type == o.type && id == o.id && sharedId == o.sharedId;
    }
};

inline QVector<ItemKey> itemKeys(const IndividualTaxData& person)
{
    QVector<ItemKey> keys;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        keys.push_back({'f', item->type, item->id, item->sharedId});
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList)
        keys.push_back({'s', item->type, item->id, item->sharedId});
    for (const STRUCT_NOTEDATA_ITEM_2004* item : person.m_noteList)
        keys.push_back({'n', 0, item->id, 0});
    return keys;
}

inline QString describe(const QVector<ItemKey>& keys)
{
    QStringList parts;
    for (const ItemKey& k : keys)
        parts << QStringLiteral("%1%2#%3/%4").arg(QChar(k.list)).arg(k.type).arg(k.id).arg(k.sharedId);
    return parts.join(QLatin1Char(' '));
}

// A coupled Ontario family with slips, notes, several copies of a
// multiple-instance form, shared ids and the return summary moved to the end.
inline std::unique_ptr<CFamilyTaxData> makeCoupledFamily()
{
    auto family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData record;
    record.FirstName = CString("Ann");
    record.LastName = CString("Lee");
    record.sin = CString("046454286");
    record.TaxPronv = kOntario;
    record.MaritalStatus = 0;
    record.Coupled = true;
    record.FirstNameSpouse = CString("Bob");
    record.LastNameSpouse = CString("Lee");
    record.sinSpouse = CString("193456787");
    record.TaxPronvSpouse = kOntario;
    record.bT2125 = true;
    family->NewData(&record);

    IndividualTaxData* ann = family->getTaxpayer();
    IndividualTaxData* bob = family->getSpouse();
    for (double amount : {51000.25, 1200.5}) {
        auto* t4 = ann->NewSlipData(1, 0, 0);
        if (CField* field = t4->data->findField(QStringLiteral("box14EmploymentIncome")))
            field->setText(QString::number(amount, 'f', 2));
    }
    ann->NewFormDataItem(125, 0, true, 0, true);
    ann->NewFormDataItem(125, 0, true, 0, true);
    auto* note = ann->NewNoteData(ann->GetNextUniqueID());
    if (CField* field = note->data->findField(QStringLiteral("Text")))
        field->setText(QStringLiteral("receipts in the blue folder"));

    // A slip shared between the two.
    auto* mine = ann->NewSlipData(8, 0, 0);
    auto* theirs = bob->NewSlipData(8, 0, mine->id);
    mine->sharedId = theirs->id;
    bob->NewNoteData(0);

    // The summary last: the writer must put it first again.
    for (IndividualTaxData* person : {ann, bob}) {
        auto summary = std::find_if(person->m_formList.begin(), person->m_formList.end(),
                                    [](const STRUCT_FORMDATA_ITEM_2004* i) { return i->type == 93; });
        if (summary != person->m_formList.end())
            person->m_formList.splice(person->m_formList.end(), person->m_formList, summary);
    }
    family->settings().setCurrentForm(1, 1, theirs->id);
    family->settings().setCurrentForm(0, 0, ann->m_formList.front()->id);
    return family;
}

// A single Ontario return.
inline std::unique_ptr<CFamilyTaxData> makeSingleFamily()
{
    auto family = std::make_unique<CFamilyTaxData>();
    NewReturnBasicData record;
    record.FirstName = CString("Cy");
    record.LastName = CString("Orr");
    record.sin = CString("046454286");
    record.TaxPronv = kOntario;
    record.MaritalStatus = 5;
    family->NewData(&record);
    return family;
}

inline QByteArray writeFamily(CFamilyTaxData& family, int* code = nullptr)
{
    QByteArray bytes;
    MyDataStream out(&bytes, QIODevice::WriteOnly);
    const int result = family.serialize(2, out);
    if (code)
        *code = result;
    return bytes;
}

inline std::unique_ptr<CFamilyTaxData> readFamily(const QByteArray& bytes, int& code)
{
    auto family = std::make_unique<CFamilyTaxData>();
    QByteArray copy = bytes;
    MyDataStream in(&copy, QIODevice::ReadOnly);
    code = family->serialize(2, in);
    return family;
}

// One item of a hand-made record: its object writes its own data.
struct RawItem
{
    int type = 0;
    int id = 0;
    int sharedId = 0;
    CTaxData_Form* object = nullptr; // not owned
};

// A person record laid out as the given file version wrote it.
struct RawRecord
{
    int version = IndividualTaxData::kFileVersion;
    int year = 2024;
    int markerWord = 7;
    CString password;
    int nextId = 300;
    int province = kOntario;
    QList<RawItem> forms;
    QList<RawItem> slips;
    QList<RawItem> notes;
    // The barcode block (eligible when the archive is not empty).
    BarcodeBlock barcode;
    // Writes statement blocks whole also for versions that do not read them.
    void write(MyDataStream& out) const
    {
        out << qint32(version) << qint32(year);
        if (version > 65988)
            out << qint32(0);
        if (version > 65865)
            out << qint32(markerWord);
        CReservedArea area;
        area.SetString(0, password);
        area.SetString(1, CString("5182zed64093371"));
        area.writeToArchive(out);
        out << qint32(nextId) << qint32(province);
        out << qint32(forms.size());
        for (const RawItem& item : forms) {
            out << qint32(item.type);
            if (version > 65855)
                out << qint32(item.id) << qint32(item.sharedId);
            item.object->Serialize(unsigned(version), CString("5182zed64093371"), out);
        }
        out << qint32(slips.size());
        for (const RawItem& item : slips) {
            out << qint32(item.type) << qint32(item.id);
            if (version > 65856)
                out << qint32(item.sharedId);
            item.object->Serialize(unsigned(version), CString("5182zed64093371"), out);
        }
        if (version >= 65716) {
            out << qint32(notes.size());
            for (const RawItem& item : notes) {
                out << qint32(1) << qint32(item.id);
                item.object->Serialize(unsigned(version), CString("5182zed64093371"), out);
            }
        }
        if (version > 65776) {
            for (int i = 0; i < 8; ++i)
                out << qint8('b');
            BarcodeBlock::write(out, barcode.t1Archive.isEmpty() ? nullptr : &barcode);
            for (int i = 0; i < 8; ++i)
                out << qint8('b');
        }
    }
};

// A whole file from two hand-made records.
inline QByteArray rawFamilyFile(const RawRecord& taxpayer, const RawRecord& spouse)
{
    QByteArray bytes;
    MyDataStream out(&bytes, QIODevice::WriteOnly);
    taxpayer.write(out);
    spouse.write(out);
    DependantInfoStruct dependants(12);
    dependants.serilize(taxpayer.version, out);
    out << qint32(1) << qint32(0);
    for (int i = 0; i < 6; ++i)
        out << qint32(i == 0 ? 1 : 0);
    return bytes;
}

} // namespace returnfiletest
