#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"
#include "model/MultiProvsTaxMgr.h"

#include "common/testplugins.h"

// Helpers shared by the return-model tests.
namespace modelfixture {

constexpr int kOntario = 9;
constexpr int kBritishColumbia = 2;
constexpr int kSaskatchewan = 12;

// Makes the provincial plug-ins loaded from now on offer the given settings
// (one "key=value" per line): the steerable test plug-ins are loaded in
// place of the shipped ones. An empty list restores the shipped plug-ins.
class PluginSettings
{
public:
    void use(const QStringList& lines)
    {
        if (lines.isEmpty()) {
            restoreShipped();
            return;
        }
        CMultiProvsTaxMgr::setPluginFolder(steerablePluginFolder());
        const QString path = m_dir.filePath(QStringLiteral("province-test.ini"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(lines.join(QLatin1Char('\n')).toUtf8());
        qputenv("VODAREVIVO_PROVINCE_TESTFILE", path.toUtf8());
    }
    ~PluginSettings() { restoreShipped(); }

private:
    static void restoreShipped()
    {
        qunsetenv("VODAREVIVO_PROVINCE_TESTFILE");
        CMultiProvsTaxMgr::setPluginFolder(QString());
    }

    QTemporaryDir m_dir;
};

// Every provincial form type of a province, as "form=N" settings lines, so
// that the plug-in makes them.
inline QStringList provincialFormLines()
{
    QStringList lines;
    for (int type = 1; type <= FORMTYPE_LAST; ++type)
        if (getFormProv(type) > 0)
            lines << QStringLiteral("form=%1").arg(type);
    return lines;
}

inline std::vector<int> formTypes(const IndividualTaxData& person)
{
    std::vector<int> types;
    for (const STRUCT_FORMDATA_ITEM_2004* item : person.m_formList)
        types.push_back(item->type);
    std::sort(types.begin(), types.end());
    return types;
}

inline NewReturnBasicData newReturn(int marital, bool coupled, int province = kOntario,
                                    int spouseProvince = kOntario)
{
    NewReturnBasicData data;
    data.FirstName = CString("Ann");
    data.LastName = CString("Lee");
    data.sin = CString("046454286");
    data.dob = QDate(1980, 1, 1);
    data.TaxPronv = province;
    data.MaritalStatus = marital;
    data.FirstNameSpouse = CString("Ben");
    data.LastNameSpouse = CString("Lee");
    data.sinSpouse = CString("130692544");
    data.dobSpouse = QDate(1981, 2, 3);
    data.TaxPronvSpouse = spouseProvince;
    data.Coupled = coupled;
    return data;
}

inline TaxData_T1New* t1Of(const IndividualTaxData* person) { return person ? person->GetT1() : nullptr; }

} // namespace modelfixture
