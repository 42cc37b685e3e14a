// Figures for building the electronic return (XML) and the free-format line
// map of a return with the common statements: median, min and max over
// many builds.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "companion/forms/dependantinfostruct.h"
#include "companion/forms/federal/others.h"
#include "companion/forms/federal/statements.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "filing/GenerateElectronicFile.h"
#include "filing/barcodearchive.h"
#include "filing/barcodeitems.h"
#include "filing/direradfreeformat.h"
#include "companion/forms/mydatastream.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/slips/slips_investment.h"
#include "model/barcodeblock.h"
#include "model/cfamilytaxdata.h"

#include <QTemporaryDir>
#include "model/individualtaxdata.h"

#include "benchstats.h"

namespace {

template <typename F>
void report(const char* what, int runs, F&& f)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    std::printf("%-34s median %.3f ms  min %.3f  max %.3f  (%d runs)\n", what, t[t.size() / 2], t.front(), t.back(), runs);
}

// The typical coupled return: 30 slips each, the common forms and two
// statements each, both persons barcode-eligible.
void fillTypicalPerson(IndividualTaxData& person)
{
    for (int i = 0; i < 30; ++i) {
        switch (i % 3) {
        case 0: {
            auto& t4 = static_cast<TaxData_Slip_T4&>(*person.NewSlipData(1, 0, 0)->data);
            t4.Province.m_value = 9;
            t4.box14EmploymentIncome.m_value = 20000 + i;
            t4.box22IncomeTaxDeducted.m_value = 3000;
            break;
        }
        case 1: static_cast<TaxData_Slip_T5&>(*person.NewSlipData(8, 0, 0)->data).box13Interest.m_value = 100 + i; break;
        default: static_cast<TaxData_Slip_T3&>(*person.NewSlipData(9, 0, 0)->data).box49ActualEligible.m_value = 50; break;
        }
    }
    person.GetFormData(7, true);
    person.GetFormData(9, true);
    auto* rental = static_cast<TaxData_T776New*>(person.NewFormDataItem(FORM_T776, 0, true, 0, true)->data);
    rental->line8141GrossRents.m_value = 12000;
    auto* business = static_cast<TaxData_T2125_New*>(person.NewFormDataItem(FORM_T2125, 0, true, 0, true)->data);
    business->GrossIncome.m_value = 30000;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    DependantInfoStruct dependants{12};
    IndividualTaxData person{0, &dependants};
    person.NewData(9, CString("Jean"), CString("Tremblay"), CString("123456782"), QDate(1975, 6, 15), 0,
                   CString("Marie"), CString("Tremblay"), CString("130692544"), QDate(1977, 2, 3), false);
    TaxData_T1New& t1 = *person.GetT1();
    t1.InitPrintTestData();
    t1.MaritalStatus.m_value = 0;
    t1.BankruptcyDate.m_value = QDate();
    t1.DateOfDeath.m_value = QDate();
    for (int type : {FORM_T2125, FORM_T2125, FORM_T776, FORM_T777, FORM_T2091, FORM_T5013, FORM_T778})
        if (STRUCT_FORMDATA_ITEM_2004* item = person.NewFormDataItem(ENUMTYPE_FORM(type), 0, true, 0, true))
            item->data->InitPrintTestData();

    CString xml;
    report("electronic return (DIRERAD)", 2000, [&] {
        xml.clear();
        CreateElectronicFile(person, xml, 2);
    });
    report("electronic return (EFILE)", 2000, [&] {
        xml.clear();
        CreateElectronicFile(person, xml, 1);
    });
    report("free-format line map", 2000, [&] {
        DireradFreeFormatMap data;
        DireradGenObjParamStru param;
        param.outputKind = DireradGenObjParamStru::OutputFreeFormatOnly;
        param.data = &data;
        WriteDireradFreeFormatData(person, 2, param);
    });
    // The person above has more statements than the barcode keeps; this one
    // has two, so both statement blocks are built.
    DependantInfoStruct twoDependants{12};
    IndividualTaxData two{0, &twoDependants};
    two.NewData(9, CString("Jean"), CString("Tremblay"), CString("123456782"), QDate(1975, 6, 15), 5, CString(),
                CString(), CString(), QDate(), false);
    fillTypicalPerson(two);
    report("barcode archive, two statements", 2000, [&] {
        BarcodeBlock block;
        buildBarcodeArchive(two, block);
    });
    benchstats::Figure both = benchstats::measure("Electronic return and barcode", 5.0, 2000, [&] {
        xml.clear();
        CreateElectronicFile(two, xml, 2);
        BarcodeBlock block;
        buildBarcodeArchive(two, block);
    });
    benchstats::print(both);

    installBarcodeBuilder();
    CFamilyTaxData couple;
    NewReturnBasicData basics;
    basics.FirstName = CString("Ann");
    basics.LastName = CString("Lee");
    basics.sin = CString("123456782");
    basics.TaxPronv = 9;
    basics.MaritalStatus = 0;
    basics.FirstNameSpouse = CString("Ben");
    basics.LastNameSpouse = CString("Lee");
    basics.sinSpouse = CString("130692544");
    basics.TaxPronvSpouse = 9;
    basics.Coupled = true;
    couple.NewData(&basics);
    fillTypicalPerson(*couple.getTaxpayer());
    fillTypicalPerson(*couple.getSpouse());
    couple.Calculate(0, nullptr);
    QByteArray bytes;
    report("coupled return written (memory)", 500, [&] {
        bytes.clear();
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        couple.serialize(2, out);
    });
    QTemporaryDir dir;
    const CString path(dir.filePath(QStringLiteral("lee.r24")));
    report("coupled return saved (file)", 200, [&] { couple.saveToFile(path, 2); });
    std::printf("barcode blocks in the coupled return file: %d\n", int(bytes.count("-EOD")));
    std::printf("document size %d characters, coupled return file %d bytes\n", int(xml.size()), int(bytes.size()));
    return 0;
}
