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
#include "filing/direradfreeformat.h"
#include "model/individualtaxdata.h"

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
    std::printf("document size %d characters\n", int(xml.size()));
    return 0;
}
