#include "companion/ui/ct1combobox.h"

#include "companion/forms/catalogue.h"

#include <algorithm>
#include <vector>

const char* const CT1ComboBox::kNoProvinceText = "(Choose a province or territory)";

CT1ComboBox::CT1ComboBox(QWidget* parent)
    : QComboBox(parent)
{
}

void CT1ComboBox::LoadProvs()
{
    clear();
    addItem(tr(kNoProvinceText), 0);
    for (int province = 1; province < PROVINCE_COUNT; ++province) {
        if (IsProvinceSupported(province))
            addItem(QString::fromUtf8(getProvName(province)), province);
    }
    setCurrentIndex(0);
}

namespace {

bool offeredFor(const STRUCT_FORM_INFO& row, unsigned char edition, const std::list<unsigned int>& provinces)
{
    if (!row.addable || IsFormExpired(row.type, 0))
        return false;
    if (edition != 0 && !(row.editions & edition))
        return false;
    if (row.province == 0)
        return true;
    return std::find(provinces.begin(), provinces.end(), unsigned(row.province)) != provinces.end();
}

bool matchesFilter(const STRUCT_FORM_INFO& row, const QString& filter)
{
    if (filter.isEmpty())
        return true;
    for (const char* text : {row.code, row.name, row.description}) {
        if (QString::fromUtf8(text).contains(filter, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

void CT1ComboBox::LoadTaxForms(unsigned char edition, std::list<unsigned int> provinces, const CString& filter)
{
    clear();
    const QString wanted = filter.trimmed();
    std::vector<const STRUCT_FORM_INFO*> rows;
    for (int type = 1; type <= FORMTYPE_LAST; ++type) {
        const STRUCT_FORM_INFO* row = getFormInfo(type);
        if (row && offeredFor(*row, edition, provinces) && matchesFilter(*row, wanted))
            rows.push_back(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const STRUCT_FORM_INFO* a, const STRUCT_FORM_INFO* b) {
        return QString::fromUtf8(a->name).compare(QString::fromUtf8(b->name), Qt::CaseInsensitive) < 0;
    });
    for (const STRUCT_FORM_INFO* row : rows)
        addItem(QString::fromUtf8(row->name), row->type);
}

bool CT1ComboBox::SetCurSelData(int data)
{
    const int index = findData(data);
    if (index >= 0) {
        setCurrentIndex(index);
        return true;
    }
    setCurrentIndex(findData(0));
    return false;
}
