// The filing roads run on the settings snapshot: a host applied the way the
// preferences apply their settings reaches the next filing, and a road made
// by the one builder from a snapshot a caller made files to that snapshot's
// host and writes into that snapshot's run folder, whatever the application
// holds. Two fake agencies tell where each request went.
#include <QtTest>

#include "common/filingoutcomerecorder.h"
#include "common/modalscript.h"
#include "companion/core/appclock.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/federal/mirroring.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingservice.h"
#include "filing/filingwebclient.h"
#include "filing/ui/cformfilingdlg.h"
#include "filing/ui/formfilingwidgets.h"
#include "filingroadsteps.h"
#include "model/individualtaxdata.h"
#include "workspace/featureenvironment.h"
#include "workspace/returnpagefixture.h"

using namespace returnpage;

namespace {

// OK on the form filing dialog, the terms agreed, the result dialog closed.
void sendThrough(ModalScript& script)
{
    script.add([](QWidget* w) {
        auto* dlg = qobject_cast<CFormFilingDlg*>(w);
        if (!dlg)
            return false;
        button(dlg, QDialogButtonBox::Ok)->click();
        return true;
    });
    script.add(termsDialog(true));
    script.add(resultDialog(nullptr));
}

QByteArray fileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestFilingSnapshot : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void appliedHostReachesTheNextFiling_data();
    void appliedHostReachesTheNextFiling();
    void roadFromAHandMadeSnapshot();

private:
    // Jean's return with a T1135, saved to its file, on the real page.
    Form_Return* openJean();
    TaxData_T1135New* statement(Form_Return* page) const;
    int t1135Requests(FakeAgencyServer& agency) const { return agency.recorder().count(AgencyEndpoint::T1135); }

    std::unique_ptr<WindowFixture> m_f;
    std::unique_ptr<FakeAgencyServer> m_held;  // the host the application holds at first
    std::unique_ptr<FakeAgencyServer> m_other; // the host changed to
    FilingOutcomeRecorder m_outcome;
};

void TestFilingSnapshot::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
}

void TestFilingSnapshot::init()
{
    m_f = std::make_unique<WindowFixture>("DireradSoftwareCode=097\nDireradSoftwareDate=2024-12-13\n");
    QVERIFY(m_f->ready);
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    for (auto* agency : {&m_held, &m_other}) {
        *agency = std::make_unique<FakeAgencyServer>();
        QVERIFY2((*agency)->start(), qPrintable((*agency)->errorString()));
        (*agency)->script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Terms, AgencyReply::fixture("terms.xml"));
        (*agency)->script().setDefault(AgencyEndpoint::T1135, AgencyKind::Any,
                                       AgencyReply::fixture("t1135-accepted.xml"));
    }
    m_f->app->m_config.DIRERADSERVER = m_held->hostAndPort();
    QCOMPARE(m_f->app->saveConfigDB(), 0);
    FilingWebClient::setDefaultTimeoutSec(3);
    m_outcome.clear();
}

void TestFilingSnapshot::cleanup()
{
    m_held.reset();
    m_other.reset();
    m_f.reset();
    QWebClient::clearTrustedCaFiles();
    FilingWebClient::setDefaultTimeoutSec(FilingWebClient::DefaultTimeoutSec);
    AppClock::reset();
}

Form_Return* TestFilingSnapshot::openJean()
{
    NewReturnBasicData record = singleRecord();
    record.FirstName = "Jean";
    record.LastName = "Tremblay";
    record.sin = "123456782";
    record.dob = QDate(1975, 6, 15);
    CFamilyTaxData* family = newFamily(record);
    STRUCT_FORMDATA_ITEM_2004* item = family->getTaxpayer()->NewFormDataItem(FORM_T1135, 0, true, 0, true);
    auto* t1135 = item ? qobject_cast<TaxData_T1135New*>(item->data) : nullptr;
    if (!t1135)
        return nullptr;
    t1135->GivenName.m_value = CString("Jean");
    t1135->LastName.m_value = CString("Tremblay");
    t1135->SIN.m_value = CString("123456782");
    t1135->Address.m_value = CString("100 Wellington St");
    t1135->City.m_value = CString("Ottawa");
    t1135->Province.m_value = CString("ON");
    t1135->PostalCode.m_value = CString("K1A 0A6");
    t1135->PeriodStart.m_value = QDate(2024, 1, 1);
    t1135->PeriodEnd.m_value = QDate(2024, 12, 31);
    t1135->FundsHeldAbroad.m_value = 150000.0;
    family->Calculate(-1, nullptr);
    Form_Return* page = present(*m_f, family);
    if (!page)
        return nullptr;
    QFileInfo info(m_f->home.path() + "/Jean_Tremblay.r24");
    page->setFilepath(&info);
    page->saveReturnFile(false);
    page->setFilingRecordSender(m_outcome.recordSender());
    m_f->prompter->clear();
    return page;
}

TaxData_T1135New* TestFilingSnapshot::statement(Form_Return* page) const
{
    IndividualTaxData* person = page->familyData()->getCurIndvTaxData();
    return qobject_cast<TaxData_T1135New*>(person->GetFormData(FORM_T1135, false));
}

void TestFilingSnapshot::appliedHostReachesTheNextFiling_data()
{
    QTest::addColumn<bool>("applied");
    QTest::newRow("applied") << true;
    QTest::newRow("changed, not applied") << false;
}

// The window's command after the DIRERAD host was changed: applied (the
// preferences end their apply with saveConfigDB), the filing goes to the new
// host; only changed in the configuration, the command still runs on the
// snapshot it was given, with the old host.
void TestFilingSnapshot::appliedHostReachesTheNextFiling()
{
    QFETCH(bool, applied);
    Form_Return* page = openJean();
    QVERIFY(page);
    m_f->app->m_config.DIRERADSERVER = m_other->hostAndPort();
    if (applied)
        QCOMPARE(m_f->app->saveConfigDB(), 0);
    ModalScript script;
    sendThrough(script);
    m_f->action("actionFile_T1135_Online")->trigger();
    QCOMPARE(script.pending(), 0);
    QCOMPARE(t1135Requests(*m_other), applied ? 1 : 0);
    QCOMPARE(t1135Requests(*m_held), applied ? 0 : 1);
    QCOMPARE(statement(page)->FilingStatus.m_value, 1);
    QCOMPARE(QString(statement(page)->Confirmation.m_value), QStringLiteral("T1135-778"));
}

// The T1135 road built from a context whose snapshot names the other host
// and another run folder: the statement goes there, the accepted filing is
// logged in that folder, and nothing reaches the host or the run folder the
// application holds.
void TestFilingSnapshot::roadFromAHandMadeSnapshot()
{
    Form_Return* page = openJean();
    QVERIFY(page);
    QTemporaryDir run;
    QVERIFY(run.isValid());
    FeatureContext context = page->featureContext();
    QCOMPARE(context.settings.filing.direradHost, m_held->hostAndPort()); // the application's, as it stands
    context.settings.filing.direradHost = m_other->hostAndPort();
    context.settings.runFolder = run.path();
    context.settings.filing.logPath = run.filePath("filings.txt");
    context.settings.filing.resultFilePath = run.filePath("result.ws");

    const T1135RoadEnvironment environment = t1135RoadEnvironment(context, page);
    ModalScript script;
    sendThrough(script);
    FormFilingWidgets windows;
    QCOMPARE(FilingService(context).fileT1135(environment, windows), 0);
    QCOMPARE(script.pending(), 0);

    QCOMPARE(t1135Requests(*m_other), 1);
    QCOMPARE(m_held->recorder().count(), 0);
    const QByteArray log = fileText(run.filePath("filings.txt"));
    QVERIFY2(log.contains("Name: Jean Tremblay\n"), log.constData());
    QVERIFY2(log.contains("Confirmation: T1135-778\n"), log.constData());
    QVERIFY(!QFile::exists(m_f->runPath() + "/netfilelog.txt"));
    QCOMPARE(m_outcome.records.size(), 1);
    QVERIFY(m_outcome.records[0].accepted);
}

QTEST_APPLESS_MAIN(TestFilingSnapshot)
#include "tst_filingsnapshot.moc"
