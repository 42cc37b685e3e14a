#include <QtTest>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include "common/scriptedprompter.h"
#include "common/testplugins.h"
#include "companion/core/oslibname.h"
#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/provincialt1amounts.h"
#include "model/MultiProvsTaxMgr.h"

namespace {

constexpr int kOntario = 9;
constexpr int kBritishColumbia = 2;
constexpr int kSaskatchewan = 12;
constexpr int kTestFormType = 24;

// Just the T1 amounts the provincial calculation owns.
class StandInT1 : public CTaxData_Form
{
public:
    StandInT1() : CTaxData_Form(FROM_FORM, 1) {}
    CFloatField provincialTaxTotal{this, 269, ProvincialT1Amounts::kTaxTotalField, "", "Provincial tax total"};
    CFloatField provincialCreditTotal{this, 270, ProvincialT1Amounts::kCreditTotalField, "", "Provincial credit total"};
};

QString builtPluginFolder()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/plugins"));
}

QString testPluginFolder(const QString& variant)
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../lib/testplugins/") + variant);
}

// One full provincial calculation as the person's steps 4 and 5 make it.
void calculate(CMultiProvsTaxMgr& host, StandInT1& t1)
{
    const CMultiProvsTaxMgr::T2209List none;
    host.setTaxFormInfo(&t1, nullptr);
    host.ExchangeDataBeforeCalc(false, 0, &t1);
    host.CalcLoggingCredit(&t1);
    host.CalcProvTax_BeforeExchData(&t1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, none,
                                    nullptr, nullptr);
    host.CalcProvTax_AfterExchData(&t1, nullptr, nullptr, nullptr, nullptr, nullptr, none, nullptr, nullptr,
                                   nullptr);
    host.beforeCalcFormData(173, nullptr);
    host.afterCalcFormData(173, nullptr);
    host.CalcProvCredit(&t1, nullptr, nullptr, none);
    host.CalcBenefit(false, &t1, nullptr);
}

std::list<CString> validate(CMultiProvsTaxMgr& host)
{
    std::list<CString> messages;
    host.Validate(messages, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    return messages;
}

} // namespace

class TestMultiProvsTaxMgr : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_sideDir;

    // The plug-ins' test settings for the libraries loaded from now on: the
    // steerable test plug-ins, since the shipped ones ignore the side file.
    void useSideFile(const QStringList& lines)
    {
        CMultiProvsTaxMgr::setPluginFolder(steerablePluginFolder());
        const QString path = m_sideDir.filePath(QStringLiteral("province-test.ini"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join(QLatin1Char('\n')).toUtf8());
        file.close();
        qputenv("VODAREVIVO_PROVINCE_TESTFILE", path.toUtf8());
    }

    // A host of one person living in the province, its plug-in loaded.
    static void settle(CMultiProvsTaxMgr& host, int province)
    {
        host.setMainProvince(province);
        host.getProvMgr(province, true);
    }

private slots:
    void init()
    {
        qunsetenv("VODAREVIVO_PROVINCE_TESTFILE");
        CMultiProvsTaxMgr::setPluginFolder(QString());
    }

    void defaultFolderIsBesideTheProgram()
    {
        QCOMPARE(CMultiProvsTaxMgr::pluginFolder(), builtPluginFolder());
        QString path;
        QCOMPARE(CMultiProvsTaxMgr::getProvLibFilePath(kOntario, path), 1);
        QVERIFY(QDir::isAbsolutePath(path));
        QCOMPARE(path, QDir(builtPluginFolder()).filePath(osLibFilename(QStringLiteral("provtax_on"))));
        QCOMPARE(CMultiProvsTaxMgr::getProvLibFilePath(0, path), 0);
        QCOMPARE(CMultiProvsTaxMgr::getProvLibFilePath(14, path), 0);
    }

    void loadsThePluginOfEachProvince_data()
    {
        QTest::addColumn<int>("province");
        for (int province = 1; province <= 13; ++province)
            QTest::addRow("province %d", province) << province;
    }

    void loadsThePluginOfEachProvince()
    {
        QFETCH(int, province);
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        host.setMainProvince(province);
        CProvincialTaxManager* manager = host.getProvMgr(province, true);
        QVERIFY2(manager, qPrintable(host.lastLoadError()));
        QCOMPARE(manager->getProvince(), province);
        QCOMPARE(host.mainProvMgr(), manager);
        QCOMPARE(host.getModeOneProvMgr(), manager);
        QCOMPARE(host.provincialState(), CMultiProvsTaxMgr::ProvincialState::Ready);
        QVERIFY(host.unavailableMessage().isEmpty());
        std::list<unsigned int> active;
        host.GetActiveProvinces(active);
        QCOMPARE(active, std::list<unsigned int>{unsigned(province)});
        // Asking again gives the same manager, not a second load.
        QCOMPARE(host.getProvMgr(province, false), manager);
    }

    void missingLibraryMakesTheCalculationUnavailable()
    {
        QTemporaryDir empty;
        CMultiProvsTaxMgr::setPluginFolder(empty.path());
        ScriptedPrompter prompter;
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        host.setMainProvince(kOntario);

        QVERIFY(!host.getProvMgr(kOntario, true));
        QCOMPARE(host.provincialState(), CMultiProvsTaxMgr::ProvincialState::Unavailable);
        QVERIFY(host.lastLoadError().contains(empty.path()));
        QVERIFY(host.unavailableMessage().contains(QStringLiteral("Ontario")));

        // Every operation answers for "no plug-in" and nothing is asked.
        StandInT1 t1;
        t1.provincialTaxTotal.m_value = 700.0;
        t1.provincialCreditTotal.m_value = 80.0;
        calculate(host, t1);
        QCOMPARE(t1.provincialTaxTotal.m_value, 0.0);
        QCOMPARE(t1.provincialCreditTotal.m_value, 0.0);
        QVERIFY(!host.IsNonRefTaxCreditAllUsed());
        QVERIFY(host.FreeWizardData());
        QCOMPARE(host.FindRelatedForm1(6), 0);
        QVERIFY(!host.NewWizardData());
        QVERIFY(!host.NewFormData(kTestFormType, true));
        double amount = 42.0;
        QCOMPARE(host.getProvAmountClaimed(PROVAMT_TUITION_CARRY_FORWARD, amount), 0);
        QCOMPARE(amount, 42.0);
        QCOMPARE(host.setProvAmountClaimed(PROVAMT_TUITION_CARRY_FORWARD, 5.0), 0);
        std::list<double> thresholds{1.0};
        host.GetIncomeThresholds(thresholds);
        QCOMPARE(thresholds, std::list<double>{1.0});

        // Validation reports it and filing refuses it.
        const std::list<CString> messages = validate(host);
        QCOMPARE(messages.size(), size_t(1));
        QCOMPARE(messages.front(), host.unavailableMessage());
        QCOMPARE(host.IsEligibleForElectronicFile(), CMultiProvsTaxMgr::kNotEligibleUnavailable);
        QVERIFY(!host.AnyMsgBeforeDirerad(&t1, nullptr));
        QVERIFY(prompter.records().isEmpty());

        // A later load from a folder that has the library succeeds.
        CMultiProvsTaxMgr::setPluginFolder(builtPluginFolder());
        QVERIFY(host.getProvMgr(kOntario, true));
        QVERIFY(host.isProvincialCalculationAvailable());
        QVERIFY(host.lastLoadError().isEmpty());
    }

    void noProvinceIsNotCalculated()
    {
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        QVERIFY(!host.getProvMgr(0, true));
        QVERIFY(!host.getProvMgr(14, true));
        QVERIFY(!host.getProvMgr(-3, true));
        QCOMPARE(host.provincialState(), CMultiProvsTaxMgr::ProvincialState::NoProvince);
        QVERIFY(!host.isProvincialCalculationAvailable());
        QCOMPARE(validate(host).size(), size_t(1));
        QVERIFY(host.IsEligibleForElectronicFile() != 0);
    }

    void refusesABrokenLibrary_data()
    {
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("reason");
        QTest::newRow("other interface version") << "badversion" << "interface version";
        QTest::newRow("no entry") << "noentry" << "GetTaxManager";
        QTest::newRow("serves another province") << "wrongprovince" << "serves province 2";
    }

    void refusesABrokenLibrary()
    {
        QFETCH(QString, variant);
        QFETCH(QString, reason);
        const QString folder = testPluginFolder(variant);
        QVERIFY2(QFile::exists(QDir(folder).filePath(osLibFilename(QStringLiteral("provtax_on")))),
                 "the test libraries are built with the plug-ins");
        CMultiProvsTaxMgr::setPluginFolder(folder);
        ScriptedPrompter prompter;
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        host.setMainProvince(kOntario);

        QVERIFY(!host.getProvMgr(kOntario, true));
        QVERIFY2(host.lastLoadError().contains(reason), qPrintable(host.lastLoadError()));
        QCOMPARE(host.provincialState(), CMultiProvsTaxMgr::ProvincialState::Unavailable);
        std::list<unsigned int> active;
        host.GetActiveProvinces(active);
        QVERIFY(active.empty());
        QVERIFY(prompter.records().isEmpty());
    }

    void provinceChangeFreesWhatThePluginMadeFirst()
    {
        useSideFile({QStringLiteral("form=%1").arg(kTestFormType)});
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(host, kOntario);

        QPointer<CTaxData_Form> interview = host.NewWizardData();
        QPointer<CTaxData_Form> form = host.NewFormData(kTestFormType, true);
        QVERIFY(interview);
        QVERIFY(form);
        QCOMPARE(interview->getKind(), FROM_TAXWIZARD);
        QCOMPARE(interview->getType(), 6);
        QCOMPARE(host.liveObjectCount(), 2);

        // The holder is told while each object still exists, before any is freed.
        QList<CTaxData_Form*> released;
        int aliveWhenTold = 0;
        host.setObjectReleaseHook([&](CTaxData_Form* object) {
            released << object;
            if (!interview.isNull() && !form.isNull())
                ++aliveWhenTold;
        });

        host.setMainProvince(kBritishColumbia);
        QVERIFY(host.getProvMgr(kBritishColumbia, true));
        QCOMPARE(released.size(), 2);
        QCOMPARE(aliveWhenTold, 2);
        QVERIFY(interview.isNull());
        QVERIFY(form.isNull());
        QCOMPARE(host.liveObjectCount(), 0);
        std::list<unsigned int> active;
        host.GetActiveProvinces(active);
        QCOMPARE(active, std::list<unsigned int>{unsigned(kBritishColumbia)});

        // The new province calculates and makes its own interview data.
        StandInT1 t1;
        calculate(host, t1);
        QVERIFY(host.isProvincialCalculationAvailable());
        QPointer<CTaxData_Form> newInterview = host.NewWizardData();
        QVERIFY(newInterview);
        QCOMPARE(host.liveObjectCount(), 1);
        QVERIFY(host.FreeWizardData());
        QVERIFY(newInterview.isNull());
        QCOMPARE(host.liveObjectCount(), 0);
    }

    void freeingTheHostFreesWhatThePluginMade()
    {
        QPointer<CTaxData_Form> interview;
        int released = 0;
        {
            CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
            settle(host, kOntario);
            host.setObjectReleaseHook([&](CTaxData_Form*) { ++released; });
            interview = host.NewWizardData();
            QVERIFY(interview);
        }
        QVERIFY(interview.isNull());
        QCOMPARE(released, 0); // the holder goes with its host; FreeData tells it
    }

    void freeDataTellsTheHolderAndUnloads()
    {
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(host, kOntario);
        QList<CTaxData_Form*> released;
        host.setObjectReleaseHook([&](CTaxData_Form* object) { released << object; });
        QPointer<CTaxData_Form> interview = host.NewWizardData();
        QVERIFY(interview);
        CTaxData_Form* const made = interview.data();
        host.FreeData();
        QCOMPARE(released, QList<CTaxData_Form*>{made});
        QVERIFY(interview.isNull());
        QVERIFY(!host.getModeOneProvMgr());
        QCOMPARE(host.provincialState(), CMultiProvsTaxMgr::ProvincialState::Unavailable);
    }

    void freeFormDataHandsTheFormBackToItsPlugin()
    {
        useSideFile({QStringLiteral("form=%1").arg(kTestFormType)});
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(host, kOntario);
        QPointer<CTaxData_Form> form = host.NewFormData(kTestFormType, true);
        QVERIFY(form);
        QVERIFY(!host.NewFormData(kTestFormType + 1, true));
        QVERIFY(host.FreeFormData(form, true));
        QVERIFY(form.isNull());
        QCOMPARE(host.liveObjectCount(), 0);

        // A form the plug-in did not make stays the caller's to delete.
        StandInT1 other;
        QVERIFY(!host.FreeFormData(&other, false));
    }

    void taxIsAssignedNotAdded()
    {
        useSideFile({QStringLiteral("tax=321.50"), QStringLiteral("credits=12.25")});
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(host, kOntario);
        StandInT1 t1;
        t1.provincialTaxTotal.m_value = 999.0;
        t1.provincialCreditTotal.m_value = 999.0;

        calculate(host, t1);
        QCOMPARE(t1.provincialTaxTotal.m_value, 321.50);
        QCOMPARE(t1.provincialCreditTotal.m_value, 12.25);
        calculate(host, t1);
        QCOMPARE(t1.provincialTaxTotal.m_value, 321.50);
        QCOMPARE(t1.provincialCreditTotal.m_value, 12.25);

        // The instalment worksheet reads the same figures by code.
        double amount = 0.0;
        QCOMPARE(host.getProvAmountClaimed(PROVAMT_INSTALMENT_TAX, amount), 1);
        QCOMPARE(amount, 321.50);
        QCOMPARE(host.getProvAmountClaimed(PROVAMT_INSTALMENT_CREDITS, amount), 1);
        QCOMPARE(amount, 12.25);
    }

    void shippedPluginAssignsNoTaxWithoutIncomeAndCannotBeFiled()
    {
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(host, kOntario);
        StandInT1 t1;
        t1.provincialTaxTotal.m_value = 450.0;
        calculate(host, t1);
        QCOMPARE(t1.provincialTaxTotal.m_value, 0.0);
        QVERIFY(host.IsEligibleForElectronicFile() != 0);
        QVERIFY(validate(host).empty());
        QVERIFY(host.IsNonRefTaxCreditAllUsed());
        QCOMPARE(host.FindRelatedForm1(6), 0);
    }

    void onlyTheMainProvinceCalculates()
    {
        useSideFile({QStringLiteral("9.tax=100"), QStringLiteral("12.tax=1000"),
                     QStringLiteral("12.validate=from the other province"), QStringLiteral("12.threshold=5")});
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(host, kOntario);
        // The dependant synchronisation loads a second province beside it.
        host.SyncDepInfo(kSaskatchewan, 81);
        std::list<unsigned int> active;
        host.GetActiveProvinces(active);
        QCOMPARE(active, (std::list<unsigned int>{unsigned(kOntario), unsigned(kSaskatchewan)}));

        StandInT1 t1;
        calculate(host, t1);
        QCOMPARE(t1.provincialTaxTotal.m_value, 100.0);
        QVERIFY(validate(host).empty());
        // Ontario's own rate thresholds, none of the other province's.
        std::list<double> thresholds;
        host.GetIncomeThresholds(thresholds);
        QCOMPARE(thresholds, (std::list<double>{51446.0, 102894.0, 150000.0, 220000.0}));
        QCOMPARE(host.mainProvMgr()->getProvince(), kOntario);
    }

    void amountCodesRoundTrip_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("known");
        QTest::newRow("provincial tuition carry-forward") << int(PROVAMT_TUITION_CARRY_FORWARD) << true;
        QTest::newRow("instalment tax") << int(PROVAMT_INSTALMENT_TAX) << true;
        QTest::newRow("instalment credits") << int(PROVAMT_INSTALMENT_CREDITS) << true;
        QTest::newRow("unused low-income reduction") << int(PROVAMT_UNUSED_LOW_INCOME_REDUCTION) << true;
        QTest::newRow("unknown") << 12345 << false;
        QTest::newRow("zero") << 0 << false;
    }

    void amountCodesRoundTrip()
    {
        QFETCH(int, code);
        QFETCH(bool, known);
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(host, kOntario);

        QCOMPARE(host.setProvAmountClaimed(code, 1234.56), known ? 1 : 0);
        double value = -1.0;
        QCOMPARE(host.getProvAmountClaimed(code, value), known ? 1 : 0);
        QCOMPARE(value, known ? 1234.56 : -1.0);

        CProvincialTaxManager* manager = host.mainProvMgr();
        int whole = -1;
        CString text("unchanged");
        QCOMPARE(manager->getProvAmountClaimed(code, whole), known ? 1 : 0);
        QCOMPARE(manager->getProvAmountClaimed(code, text), known ? 1 : 0);
        QCOMPARE(whole, known ? 1235 : -1);
        QCOMPARE(text, CString(known ? "1234.56" : "unchanged"));
    }

    void preFilingQuestionsStopAtTheFirstNo_data()
    {
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("asked");
        QTest::newRow("no to the first") << QList<bool>{false} << false << 1;
        QTest::newRow("yes then no") << QList<bool>{true, false} << false << 2;
        QTest::newRow("yes to both") << QList<bool>{true, true} << true << 2;
    }

    void preFilingQuestionsStopAtTheFirstNo()
    {
        QFETCH(QList<bool>, answers);
        QFETCH(bool, result);
        QFETCH(int, asked);
        useSideFile({QStringLiteral("prefiling=First question"), QStringLiteral("prefiling=Second question")});
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(host, kOntario);
        ScriptedPrompter prompter;
        for (bool answer : answers)
            prompter.queueYes(answer);

        QCOMPARE(host.AnyMsgBeforeDirerad(nullptr, nullptr), result);
        QCOMPARE(prompter.records().size(), asked);
        QCOMPARE(prompter.records().first().title, QStringLiteral("voDarevivo Warning Message"));
        QVERIFY(prompter.records().first().texts.contains(QStringLiteral("First question")));
    }

    void scriptedAnswersReachTheHost()
    {
        useSideFile({QStringLiteral("validate=Check the provincial credits"), QStringLiteral("threshold=51446"),
                     QStringLiteral("threshold=102894"), QStringLiteral("related=6:24"), QStringLiteral("eligible=0"),
                     QStringLiteral("interviewData=0")});
        CMultiProvsTaxMgr host(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(host, kOntario);
        QCOMPARE(validate(host), std::list<CString>{CString("Check the provincial credits")});
        std::list<double> thresholds{1.0};
        host.GetIncomeThresholds(thresholds);
        QCOMPARE(thresholds, (std::list<double>{1.0, 51446.0, 102894.0}));
        QCOMPARE(host.FindRelatedForm1(6), 24);
        QCOMPARE(host.FindRelatedForm1(7), 0);
        QCOMPARE(host.IsEligibleForElectronicFile(), 0);
        // Without interview data offered, none is made and freeing it cannot succeed.
        QVERIFY(!host.NewWizardData());
        QVERIFY(!host.FreeWizardData());
    }

    void coupledOperationsNeedBothSpouses()
    {
        useSideFile({QStringLiteral("coupled=Check the spouse's provincial amounts")});
        CMultiProvsTaxMgr taxpayer(MULTIPROVS_MODE_RESIDENCE, nullptr);
        CMultiProvsTaxMgr spouse(MULTIPROVS_MODE_RESIDENCE, nullptr);
        settle(taxpayer, kOntario);
        spouse.setMainProvince(kOntario);

        std::list<CString> messages;
        taxpayer.ValidateWithCoupled(messages, &spouse);
        taxpayer.ValidateWithCoupled(messages, nullptr);
        taxpayer.ExchangeCoupledInfoAfterCalcTaxableIncome(&spouse);
        QVERIFY(messages.empty());

        spouse.getProvMgr(kOntario, true);
        taxpayer.ExchangeCoupledInfoAfterCalcTaxableIncome(&spouse);
        taxpayer.ExchangeCoupledInfoForProvTax_MainlyS2(&spouse);
        taxpayer.ExchangeCoupledInfoForProvTax_MainlyUnusedLowIncCredit_MXOption(&spouse);
        taxpayer.ValidateWithCoupled(messages, &spouse);
        QCOMPARE(messages, std::list<CString>{CString("Check the spouse's provincial amounts")});
    }
};

QTEST_GUILESS_MAIN(TestMultiProvsTaxMgr)
#include "tst_multiprovstaxmgr.moc"
