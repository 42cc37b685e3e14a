// The terms step against the fake agency: the user's answer, the box told
// on failure, and exactly one request per step.
#include <QtTest>

#include "companion/core/prompter.h"
#include "companion/core/qwebclient.h"
#include "companion/core/quietprompter.h"
#include "companion/ui/styledwidgets.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingexchangesettings.h"
#include "filing/ui/DlgFilingTerm.h"
#include "filing/ui/direradtermsstep.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class RecordingPrompter : public QuietPrompter
{
public:
    Prompt::StandardButton messageBox(QWidget* parent, const MessageBoxRequest& request) override
    {
        texts << request.text;
        return QuietPrompter::messageBox(parent, request);
    }
    QStringList texts;
};

} // namespace

class TestDireradTermsStep : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void answers_data();
    void answers();
    void failures_data();
    void failures();

private:
    FilingExchangeSettings settings(const QString& host);
    FakeAgencyServer m_agency;
    QTemporaryDir m_dir;
    RecordingPrompter m_prompter;
    Prompter* m_before = nullptr;
};

void TestDireradTermsStep::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    QVERIFY2(m_agency.start(), qPrintable(m_agency.errorString()));
    m_before = Prompter::install(&m_prompter);
}

void TestDireradTermsStep::cleanupTestCase()
{
    Prompter::install(m_before);
}

FilingExchangeSettings TestDireradTermsStep::settings(const QString& host)
{
    FilingExchangeSettings s;
    s.direradHost = host;
    s.resultFilePath = m_dir.filePath("netfileresult.txt");
    return s;
}

void TestDireradTermsStep::answers_data()
{
    QTest::addColumn<bool>("refile");
    QTest::addColumn<bool>("agree");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("dialogResult");
    QTest::newRow("agreed") << false << true << 0 << 1;
    QTest::newRow("declined") << false << false << 10 << 2;
    QTest::newRow("refile agreed") << true << true << 0 << 1;
}

void TestDireradTermsStep::answers()
{
    QFETCH(bool, refile);
    QFETCH(bool, agree);
    QFETCH(int, result);
    QFETCH(int, dialogResult);
    m_agency.script().clear();
    m_agency.recorder().clear();
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, AgencyReply::fixture("terms.xml"));

    QString title, link;
    // The dialog opens after the reply: answer it once it is there.
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* dlg = qobject_cast<DlgFilingTerm*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        poll.stop();
        title = dlg->windowTitle();
        link = dlg->ui()->lblLink->text();
        if (agree) {
            dlg->ui()->fld_bAgree->setChecked(true);
            dlg->ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
        } else {
            dlg->ui()->buttonBox->button(QDialogButtonBox::Cancel)->click();
        }
    });
    poll.start(10);
    int answer = 0;
    QCOMPARE(DireradSOAP_request1(answer, refile, nullptr, settings(m_agency.hostAndPort())), result);
    QCOMPARE(answer, dialogResult);
    QCOMPARE(m_agency.recorder().count(), 1);
    QVERIFY(m_agency.recorder().requests().first().hasElement(refile ? "RefileTermsAndConditionsRequest"
                                                                     : "TermsAndConditionsRequest"));
    QVERIFY(!title.isEmpty());
    QVERIFY(title != "PpgAT1Filing_Term");
    if (refile)
        QVERIFY(link.contains("refile-terms-conditions-privacy-notice.html"));
}

void TestDireradTermsStep::failures_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QString>("told");
    QTest::newRow("busy page") << true << "Msg: unknown response error parses Direrad Term failed.\n; Code: 51.";
    QTest::newRow("nothing listening") << false
                                       << "Msg:  read Direrad Term failed or network interruption.\n; Code: -50.";
}

void TestDireradTermsStep::failures()
{
    QFETCH(bool, listening);
    QFETCH(QString, told);
    m_agency.script().clear();
    m_agency.recorder().clear();
    m_agency.script().setDefault(AgencyEndpoint::Direrad, AgencyKind::Any, AgencyReply::fixture("busy.html"));
    m_prompter.texts.clear();
    int answer = 7;
    const int result = DireradSOAP_request1(answer, false, nullptr,
                                            settings(listening ? m_agency.hostAndPort() : "127.0.0.1:1"));
    QCOMPARE(result, listening ? 51 : -50);
    QCOMPARE(answer, 7);
    QCOMPARE(m_prompter.texts, QStringList{told});
}

QTEST_MAIN(TestDireradTermsStep)
#include "tst_direradtermsstep.moc"
