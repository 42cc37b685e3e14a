#include <QtTest>

#include <QDir>
#include <QLibrary>
#include <QSet>
#include <memory>

#include "companion/core/oslibname.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/provincialt1amounts.h"
#include "companion/forms/provincialtaxmanager.h"
#include "model/MultiProvsTaxMgr.h"

namespace {

class StandInT1 : public CTaxData_Form
{
public:
    StandInT1() : CTaxData_Form(FROM_FORM, 1) {}
    CFloatField provincialTaxTotal{this, 269, ProvincialT1Amounts::kTaxTotalField, "", "Provincial tax total"};
    CFloatField provincialCreditTotal{this, 270, ProvincialT1Amounts::kCreditTotalField, "", "Provincial credit total"};
};

// A library loaded straight from the plug-in folder, as the print-type
// export and the test return load every province.
struct DirectPlugin
{
    QLibrary library;
    std::unique_ptr<CProvincialTaxManager> manager;

    explicit DirectPlugin(const QString& path) : library(path) {}
    ~DirectPlugin()
    {
        manager.reset();
        library.unload();
    }
};

} // namespace

class TestProvincePlugins : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        qunsetenv("VODAREVIVO_PROVINCE_TESTFILE");
        CMultiProvsTaxMgr::setPluginFolder(QString());
    }

    // The build makes exactly one library per province the catalogue names.
    void builtLibrariesAreTheCataloguesNames()
    {
        QSet<QString> expected;
        for (const STRUCT_PROVINCE_INFO& row : Global_Provs_Info) {
            if (row.libName && *row.libName)
                expected.insert(osLibFilename(QString::fromUtf8(row.libName)));
        }
        QVERIFY(!expected.isEmpty());

        const QDir folder(CMultiProvsTaxMgr::pluginFolder());
        const QStringList built = folder.entryList({osLibFilename(QStringLiteral("*"))}, QDir::Files);
        QCOMPARE(QSet<QString>(built.begin(), built.end()), expected);
    }

    void eachLibraryServesItsOwnProvince_data()
    {
        QTest::addColumn<int>("province");
        for (const STRUCT_PROVINCE_INFO& row : Global_Provs_Info) {
            if (row.libName && *row.libName && IsProvinceSupported(row.province))
                QTest::addRow("%s", row.libName) << int(row.province);
        }
    }

    void eachLibraryServesItsOwnProvince()
    {
        QFETCH(int, province);
        QString path;
        QCOMPARE(CMultiProvsTaxMgr::getProvLibFilePath(province, path), 1);
        DirectPlugin plugin(path);
        QVERIFY2(plugin.library.load(), qPrintable(plugin.library.errorString()));

        auto version =
            reinterpret_cast<PFN_ProvincialTaxManagerVersion>(plugin.library.resolve(PROVINCIAL_ENTRY_VERSION));
        auto entry = reinterpret_cast<PFN_GetTaxManager>(plugin.library.resolve(PROVINCIAL_ENTRY_GET_MANAGER));
        QVERIFY(version);
        QVERIFY(entry);
        QCOMPARE(version(), PROVINCIAL_TAX_MANAGER_VERSION);
        plugin.manager.reset(entry());
        QVERIFY(plugin.manager);
        QCOMPARE(plugin.manager->getProvince(), province);
    }

    // What a shipped plug-in does before its province's arithmetic exists.
    void neutralPluginAssignsZeroAndRefusesFiling()
    {
        QString path;
        QVERIFY(CMultiProvsTaxMgr::getProvLibFilePath(9, path));
        DirectPlugin plugin(path);
        QVERIFY(plugin.library.load());
        auto entry = reinterpret_cast<PFN_GetTaxManager>(plugin.library.resolve(PROVINCIAL_ENTRY_GET_MANAGER));
        QVERIFY(entry);
        plugin.manager.reset(entry());
        CProvincialTaxManager& manager = *plugin.manager;

        const unsigned int offered = manager.offeredOperations();
        QVERIFY(offered & CProvincialTaxManager::OpIsEligibleForElectronicFile);
        QVERIFY(offered & CProvincialTaxManager::OpNewWizardData);
        QVERIFY(offered & CProvincialTaxManager::OpFreeWizardData);
        QVERIFY(!(offered & CProvincialTaxManager::OpNewFormData));
        QVERIFY(manager.IsEligibleForElectronicFile() != 0);

        StandInT1 t1;
        t1.provincialTaxTotal.m_value = 250.0;
        t1.provincialCreditTotal.m_value = 30.0;
        const std::list<TaxData_T2209_2036*> none;
        manager.CalcProvTax_AfterExchData(&t1, nullptr, nullptr, nullptr, nullptr, nullptr, none, nullptr, nullptr,
                                          nullptr);
        manager.CalcProvCredit(&t1, nullptr, nullptr, none);
        QCOMPARE(t1.provincialTaxTotal.m_value, 0.0);
        QCOMPARE(t1.provincialCreditTotal.m_value, 0.0);

        // Interview data: one object, of kind 6, freed by the plug-in.
        QPointer<CTaxData_Form> data = manager.NewWizardData();
        QVERIFY(data);
        QCOMPARE(manager.NewWizardData(), data.data());
        QCOMPARE(data->getKind(), FROM_TAXWIZARD);
        QCOMPARE(data->getType(), 6);
        QString problem;
        QVERIFY2(data->checkFieldTable(&problem), qPrintable(problem));
        QVERIFY(manager.FreeWizardData());
        QVERIFY(data.isNull());
    }
};

QTEST_MAIN(TestProvincePlugins)
#include "tst_provinceplugins.moc"
