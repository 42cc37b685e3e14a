// Figures for the field-table engine on a T1-sized object (300 fields):
// building its page, writing and reading it, copying and comparing.
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <list>
#include <memory>
#include <vector>

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/mydatastream.h"
#include "companion/ui/basetaxpage.h"

namespace {

class BigForm : public CTaxData_Form
{
public:
    BigForm() : CTaxData_Form(FROM_FORM, 1)
    {
        names.reserve(300);
        for (int i = 0; i < 300; ++i)
            names.push_back("field" + QByteArray::number(i));
        for (int i = 0; i < 300; ++i) {
            const char* name = names[size_t(i)].constData();
            const FieldOpts opts = FieldOpts().section(i % 25 == 0 ? "Section" : nullptr);
            switch (i % 10) {
            case 0: owned.emplace_back(new CStringField(this, i + 1, name, "", "Text", opts)); break;
            case 1: owned.emplace_back(new CBoolField(this, i + 1, name, "", "Flag", opts)); break;
            case 2: owned.emplace_back(new CDateField(this, i + 1, name, "", "Date", opts)); break;
            default: owned.emplace_back(new CFloatField(this, i + 1, name, "10100", "An amount", opts)); break;
            }
        }
    }
    std::vector<QByteArray> names;
    std::vector<std::unique_ptr<CField>> owned;
};

template <typename F>
double medianMs(int runs, F&& f)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        t.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    BigForm form;
    form.InitPrintTestData();

    const double pages = medianMs(20, [&] {
        std::list<BaseTaxPage*> list;
        form.CreatePages(list, nullptr);
        qDeleteAll(list);
    });
    QByteArray bytes;
    const double write = medianMs(200, [&] {
        bytes.clear();
        MyDataStream out(&bytes, QIODevice::WriteOnly);
        form.Serialize(66098, CString(), out);
    });
    BigForm back;
    const double read = medianMs(200, [&] {
        MyDataStream in(&bytes, QIODevice::ReadOnly);
        back.Serialize(66098, CString(), in);
    });
    const double copyCompare = medianMs(200, [&] {
        back.CopyData(&form);
        (void)back.CompareData(&form);
    });
    std::printf("300-field object: pages %.2f ms, write %.3f ms (%d bytes), read %.3f ms, copy+compare %.3f ms\n",
                pages, write, int(bytes.size()), read, copyCompare);
    return 0;
}
