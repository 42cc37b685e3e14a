// Family return: the whole return file.
#include "model/cfamilytaxdata.h"

#include "companion/core/filemodes.h"
#include "companion/core/messages.h"
#include "companion/core/passwordseal.h"
#include "companion/core/regularfile.h"
#include "companion/core/savecopies.h"
#include "companion/forms/mydatastream.h"
#include "companion/forms/t1/taxdata_t1ksnew.h"
#include "model/returnfileedition.h"
#include "model/returnfileloadcode.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>

namespace {

constexpr int kVersionPassword = 66034;
constexpr ENUMTYPE_FORM kReturnSummaryType = 93;
// Returns are tens of kilobytes; past this a file is read as a stream.
constexpr qint64 kWholeReadBytes = 16 << 20;

bool streamOk(const MyDataStream& ar) { return ar.status() == QDataStream::Ok; }

int damaged()
{
    showReturnFileMessage(damagedReturnFileText());
    return RFL_DAMAGED_OR_NEWER;
}

// The read password prompt; false when cancelled.
bool askReadPassword(QString& entered)
{
    const QStringList lines{QStringLiteral("Please enter the password for this return file"),
                            QStringLiteral("This return file is protected by a password"), QString(),
                            QStringLiteral("Press 'Cancel' button to cancel")};
    return askForText(nullptr, QStringLiteral("Enter password to open file"), lines, entered, true);
}

// The read password guards opening in this program only; the file is not
// encrypted, so whoever reads the file must not read the password, which
// people use elsewhere too. Every copy of it that is written (each person's
// and the return summary's field where it is typed) becomes a seal; a seal
// read from a file stays as it is, so a password is sealed once.
void sealReadPasswords(IndividualTaxData& taxpayer, IndividualTaxData& spouse)
{
    QHash<QString, QString> seals; // one slow hash per password and save
    const auto sealed = [&seals](const QString& text) -> QString {
        if (text.isEmpty() || PasswordSeal::isSeal(text))
            return text;
        auto found = seals.constFind(text);
        if (found == seals.constEnd())
            found = seals.insert(text, PasswordSeal::seal(text));
        return found.value();
    };
    for (IndividualTaxData* person : {&taxpayer, &spouse}) {
        person->m_readPassword = CString(sealed(person->m_readPassword));
        if (STRUCT_FORMDATA_ITEM_2004* item = person->GetFormDataItem(kReturnSummaryType, false))
            if (auto* summary = qobject_cast<TaxData_T1KSNew*>(item->data))
                summary->Password.m_value = CString(sealed(summary->Password.m_value));
    }
}

} // namespace

int CFamilyTaxData::serialize(unsigned char purpose, MyDataStream& ar)
{
    const bool storing = ar.IsStoring();
    // A person that lost forms on reading is never written: the file on disk
    // still holds them.
    if (storing && (m_pTaxpayer->m_lostFormsOnReading || m_pSpouse->m_lostFormsOnReading))
        return RFL_FORMS_LOST_ON_READING;
    // The reader refuses a record with forms and no province (it would have
    // to drop them all): such a file must never be made.
    if (storing && m_pSpouse->m_province == 0 && !m_pSpouse->m_formList.empty())
        return RFL_SPOUSE_NO_PROVINCE;

    if (storing)
        sealReadPasswords(*m_pTaxpayer, *m_pSpouse);
    const int taxpayer = m_pTaxpayer->serialize(purpose, ar);
    if (!isPersonRecordVersion(taxpayer))
        return taxpayer;
    if (m_pTaxpayer->m_province == 0)
        return RFL_TAXPAYER_NO_PROVINCE;

    const int spouse = m_pSpouse->serialize(purpose, ar);
    if (!isPersonRecordVersion(spouse))
        return spouse;
    if (!m_dependants.serilize(m_pTaxpayer->m_fileVersion, ar))
        return storing ? int(RFL_WRITE_FAILED) : damaged();

    if (!storing) {
        if (shouldCheckReadPassword()) {
            QString entered;
            if (!askReadPassword(entered) || !checkReadPassword(CString(entered)))
                return RFL_PASSWORD_REFUSED;
        }
        m_pTaxpayer->DoSthAfterReading(purpose);
        m_pSpouse->DoSthAfterReading(purpose);
        if (m_dependants.GetCount() < kDependantSlots)
            m_dependants.AllocData(kDependantSlots);
    }

    bool coupled = IsCoupledReturn();
    CSetCoupledFlagObj setCoupled;
    m_pTaxpayer->EnumTaxForms(&setCoupled, &coupled);
    m_pSpouse->EnumTaxForms(&setCoupled, &coupled);
    m_pTaxpayer->m_coupled = coupled;
    m_pSpouse->m_coupled = coupled;

    if (const int extra = _extraSerialize(purpose, ar))
        return storing ? int(RFL_WRITE_FAILED) : extra;
    return streamOk(ar) ? int(RFL_SUCCESS) : int(storing ? RFL_WRITE_FAILED : damaged());
}

int CFamilyTaxData::_extraSerialize(unsigned char, MyDataStream& ar)
{
    if (ar.IsStoring()) {
        ar << qint32(1) << qint32(0);
    } else {
        qint32 one = 0, zero = 0;
        ar >> one >> zero;
    }
    if (!streamOk(ar) || !m_settings.Serialize(ar))
        return ar.IsStoring() ? int(RFL_WRITE_FAILED) : damaged();
    return 0;
}

bool CFamilyTaxData::shouldCheckReadPassword() const
{
    return m_pTaxpayer->m_fileVersion >= kVersionPassword && !m_pTaxpayer->m_readPassword.isEmpty();
}

bool CFamilyTaxData::checkReadPassword(const CString& text) const
{
    const CString& stored = m_pTaxpayer->m_readPassword;
    if (PasswordSeal::isSeal(stored))
        return PasswordSeal::matches(stored, text);
    // A file written before passwords were sealed opens as it always did.
    return text.CompareNoCase(stored) == 0;
}

CFamilyTaxData* CFamilyTaxData::serializeFromFile(const CString& path, int& code)
{
    return serializeFromNativePath(QFile::encodeName(path), code);
}

CFamilyTaxData* CFamilyTaxData::serializeFromNativePath(const QByteArray& nativePath, int& code)
{
    // Every reader of return files comes through here: anything but a
    // regular file is refused before a byte is read.
    QFile file;
    if (!openRegularFileForReading(file, nativePath)) {
        code = RFL_FILE_NOT_OPENED;
        return nullptr;
    }
    auto* family = new CFamilyTaxData(MULTIPROVS_MODE_RESIDENCE);
    if (file.size() <= kWholeReadBytes) {
        // A return is read whole, in one call, and parsed from memory: the
        // hundreds of small reads of its items and objects then take no
        // trip through the file's buffer each, and an object's bytes are
        // parsed where they lie. A short read leaves fewer bytes, which
        // the parse refuses as it refuses a cut file.
        QByteArray bytes = file.readAll();
        file.close();
        MyDataStream stream(&bytes, QIODevice::ReadOnly);
        code = family->serialize(returnFileEdition(), stream);
        return family;
    }
    // Far larger than any return: read through the file, so that what lies
    // behind a damaged length is never held in memory at once.
    MyDataStream stream(&file);
    code = family->serialize(returnFileEdition(), stream);
    file.close();
    return family;
}

int CFamilyTaxData::saveToFile(const CString& path, unsigned char purpose, QString* error)
{
    // A save killed before its rename leaves a whole copy of the return
    // beside it; the next save takes such copies away.
    removeLeftoverSaveCopies(path);
    QSaveFile file(path);
    // A return holds S.I.N.s: only its owner may read it, wherever it is.
    if (!file.open(QIODevice::WriteOnly) || !keepToOwner(file)) {
        if (error)
            *error = file.errorString();
        return RFL_WRITE_FAILED;
    }
    MyDataStream stream(&file);
    const int code = serialize(purpose, stream);
    if (code != RFL_SUCCESS) {
        file.cancelWriting();
        if (error)
            *error = code == RFL_TAXPAYER_NO_PROVINCE
                         ? QStringLiteral("The taxpayer's return has no province and cannot be saved.")
                     : code == RFL_SPOUSE_NO_PROVINCE
                         ? QStringLiteral("The spouse's return has no province and cannot be saved.")
                         : returnFileLoadMessage(code == RFL_FORMS_LOST_ON_READING ? code : int(RFL_WRITE_FAILED));
        return code;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return RFL_WRITE_FAILED;
    }
    syncFolderOf(path);
    return RFL_SUCCESS;
}
