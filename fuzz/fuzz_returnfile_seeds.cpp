// Writes valid return files for the reader's fuzz corpus: a single return,
// and a coupled one with slips, notes and several copies of a form.
#include "companion/core/quietprompter.h"
#include "model/cfamilytaxdata.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

NewReturnBasicData person(const char* first, ENUMTYPE_PROVINCE province, int marital, bool coupled)
{
    NewReturnBasicData record;
    record.FirstName = CString(first);
    record.LastName = CString("Seed");
    record.TaxPronv = province;
    record.TaxPronvSpouse = province;
    record.MaritalStatus = marital;
    record.Coupled = coupled;
    record.FirstNameSpouse = CString("Partner");
    record.bT2125 = coupled;
    return record;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QuietPrompter quiet;
    const ScopedPrompter installed(&quiet);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    int failures = 0;

    CFamilyTaxData single;
    const NewReturnBasicData alone = person("Single", 9, 5, false);
    single.NewData(&alone);
    failures += single.saveToFile(CString(folder.filePath("single.r24")), EDITION_DIRERAD) != 0;

    CFamilyTaxData coupled;
    const NewReturnBasicData pair = person("Coupled", 2, 0, true);
    coupled.NewData(&pair);
    IndividualTaxData* taxpayer = coupled.getTaxpayer();
    taxpayer->NewSlipData(1, 0, 0);
    taxpayer->NewSlipData(8, 0, 0);
    taxpayer->NewNoteData(taxpayer->GetNextUniqueID());
    coupled.getSpouse()->NewSlipData(1, 0, 0);
    failures += coupled.saveToFile(CString(folder.filePath("coupled.r24")), EDITION_DIRERAD) != 0;
    return failures ? 1 : 0;
}
