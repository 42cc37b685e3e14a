// The state of a form's e-signature request, asked from the T183 and RC71
// pages of the real window against the e-signature service's stand-in, and
// the request id a signature request leaves in the T183. The test sets its
// own zone, Eastern Standard Time (TZ=EST5), so that a UTC time moves five
// hours back wherever it runs.
#include <QtTest>

#include "companion/core/qwebclient.h"
#include "companion/forms/federal/mirroring.h"
#include "fakes/esignfake.h"
#include "returnpagefixture.h"

#include <QComboBox>

#include <ctime>
#include <QPushButton>
#include <QScrollArea>

namespace {

const QString kEmail = QStringLiteral("agent@exemple.ca");
const QString kPassword = QStringLiteral("mdp-agent");
const QString kClient = QStringLiteral("client@example.ca");
const QString kNotInitiated = QStringLiteral("E-Signature request has not been initiated!");
const QString kNoAccount =
    QStringLiteral("Enter Quillor points email/password in preference, they are used for Quillor purpose.");
const QString kCompletedReply =
    QStringLiteral(R"({"sr_id":123,"status":"COMPLETED","completed_at_utc":"2025-03-01T12:00:00Z"})");
constexpr int kT183Status = 1832;
constexpr int kRC71Status = 1872;

QString artefact(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

// The window pointed at the stand-in, with its account applied, and a return
// holding a T183 and an RC71.
struct StatusPage
{
    explicit StatusPage(const EsignFake& fake, bool withAccount = true) : window(fake.configLines())
    {
        if (withAccount) {
            window.app->m_config.QuillorEmail = kEmail;
            window.app->m_config.QuillorPswd = kPassword;
            window.app->refreshFeatureSettings();
        }
        NewReturnBasicData record = returnpage::singleRecord();
        record.FirstName = "Jean";
        record.LastName = "Tremblay";
        record.sin = "046 454 286";
        CFamilyTaxData* family = returnpage::newFamily(record);
        t183 = dynamic_cast<TaxData_T183New*>(family->GetFormData(FORM_T183, true));
        rc71 = dynamic_cast<CTaxData_RC71*>(family->GetFormData(FORM_RC71, true));
        family->Calculate(-1, nullptr);
        page = returnpage::present(window, family);
    }

    // Shows the form's pages as a page's "go to form" does: the T183 has
    // no row in the tree.
    bool show(int type)
    {
        page->forwardTaxFormThere(type);
        QApplication::processEvents();
        return page->shownType() == type;
    }

    void askStatus(int event)
    {
        QEvent status{QEvent::Type(event)};
        QApplication::sendEvent(page, &status);
    }

    QString shownText(const QString& field) const
    {
        for (BaseTaxPage* p : page->allPages()) {
            if (auto* e = p->findChild<QLineEdit*>("fld_" + field))
                return e->text();
            if (auto* c = p->findChild<QComboBox*>("fld_" + field))
                return c->currentData().toString();
        }
        return QStringLiteral("<no editor>");
    }

    WindowFixture window;
    Form_Return* page = nullptr;
    TaxData_T183New* t183 = nullptr;
    CTaxData_RC71* rc71 = nullptr;
};

// Holds back one event type sent to the object it watches, counting it.
class EventCatcher : public QObject
{
public:
    explicit EventCatcher(int type) : m_type(type) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (int(event->type()) != m_type)
            return false;
        ++caught;
        return true;
    }
    int caught = 0;

private:
    int m_type;
};

QStringList paths(const EsignFake& fake)
{
    QStringList out;
    for (const QJsonObject& record : fake.records())
        out << record.value("path").toString();
    return out;
}

// A copy of a form's values, to tell afterwards whether any changed.
template <typename Form>
std::unique_ptr<Form> snapshot(const Form& form)
{
    auto copy = std::make_unique<Form>();
    copy->copyFieldsFrom(form);
    return copy;
}

} // namespace

class TestEsignStatus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        QVERIFY2(EsignFake::makeCertificates(why), qPrintable(why));
        QWebClient::setDefaultTimeoutMs(5000);
        // The expected local times below are Eastern Standard Time, UTC-5.
        const QDateTime noon(QDate(2025, 3, 1), QTime(12, 0), Qt::UTC);
        QVERIFY2(noon.toLocalTime().time() == QTime(7, 0), "the zone was not set to EST5");
    }

    // A completed request: the time the service gives, as local time, with
    // the flag, on the form and on its visible page.
    void completedT183_data()
    {
        QTest::addColumn<QString>("completedAt");
        QTest::addColumn<QString>("local");
        QTest::newRow("UTC with Z") << "2025-03-01T12:00:00Z" << "2025-03-01 07:00:00";
        QTest::newRow("no designator is UTC") << "2025-03-01T12:00:00" << "2025-03-01 07:00:00";
        QTest::newRow("an offset") << "2025-03-01T12:00:00+01:00" << "2025-03-01 06:00:00";
        QTest::newRow("fraction, day before") << "2025-03-01T03:30:15.250Z" << "2025-02-28 22:30:15";
    }
    void completedT183()
    {
        QFETCH(QString, completedAt);
        QFETCH(QString, local);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        const QString body =
            QStringLiteral(R"({"sr_id":123,"status":"COMPLETED","completed_at_utc":"%1"})").arg(completedAt);
        fake.script("/api/signature-requests/123", QJsonArray{EsignFake::reply(200, body.toUtf8())});
        StatusPage p(fake);
        QVERIFY(p.page && p.t183);
        p.t183->ESignRequestId.m_value = "123";
        QVERIFY(p.show(FORM_T183));
        QCOMPARE(p.shownText("ESigned"), QString("0"));

        p.askStatus(kT183Status);

        QCOMPARE(p.window.promptTexts(), QStringList{"Status: COMPLETED Signed time: " + completedAt});
        QVERIFY(p.window.prompter->records().first().hadParent);
        QCOMPARE(p.t183->ESigned.m_value, 1);
        QCOMPARE(p.t183->ESignedTime.m_value, local);
        QCOMPARE(p.shownText("ESigned"), QString("1"));
        QCOMPARE(p.shownText("ESignedTime"), local);
        QCOMPARE(p.t183->ESignRequestId.m_value, QString("123"));
        const QList<QJsonObject> records = fake.records();
        QCOMPARE(paths(fake), QStringList({"/api/user/login", "/api/signature-requests/123"}));
        QCOMPARE(records[1].value("method").toString(), QString("POST"));
        QCOMPARE(records[1].value("authKind").toString(), QString("Bearer"));
        QVERIFY(records[1].value("authValue").toString().startsWith("tok-"));
        QVERIFY(EsignFake::items(records[1]).isEmpty());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(p.window.window->isEnabled());
    }

    // The RC71 keeps no time: the same reply shows the same box and no form
    // of the return changes.
    void completedRC71ChangesNoForm()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        fake.script("/api/signature-requests/123", QJsonArray{EsignFake::reply(200, kCompletedReply.toUtf8())});
        StatusPage p(fake);
        QVERIFY(p.page && p.t183 && p.rc71);
        p.rc71->ESignRequestId.m_value = "123";
        p.t183->ESignRequestId.m_value = "9";
        const auto t183Before = snapshot(*p.t183);
        const auto rc71Before = snapshot(*p.rc71);
        QVERIFY(p.show(FORM_RC71));

        p.askStatus(kRC71Status);

        QCOMPARE(p.window.promptTexts(), QStringList{"Status: COMPLETED Signed time: 2025-03-01T12:00:00Z"});
        QVERIFY(!p.t183->anyFieldDiffers(*t183Before));
        QVERIFY(!p.rc71->anyFieldDiffers(*rc71Before));
        QCOMPARE(paths(fake), QStringList({"/api/user/login", "/api/signature-requests/123"}));
    }

    // Every other answer: the message, and the T183 as it was.
    void repliesThatSignNothing_data()
    {
        QTest::addColumn<QJsonObject>("reply");
        QTest::addColumn<QString>("message");
        QTest::newRow("pending") << EsignFake::reply(200, R"({"sr_id":123,"status":"pending"})")
                                 << "Status: pending Signature time is not available.";
        QTest::newRow("no status") << EsignFake::reply(200, R"({"sr_id":123})")
                                   << "Status:  Signature time is not available.";
        QTest::newRow("completed without a time") << EsignFake::reply(200, R"({"sr_id":123,"status":"completed"})")
                                                  << "Status: completed No signed time is returned.";
        QTest::newRow("no sr_id") << EsignFake::reply(200, R"({"status":"completed"})")
                                  << R"(Invalid result returned.{"status":"completed"})";
        QTest::newRow("not JSON") << EsignFake::reply(500, "<html>busy</html>")
                                  << "Invalid result returned.<html>busy</html>";
        QTest::newRow("no reply") << EsignFake::closed() << "Network query failed, check firewall settings.";
        QTest::newRow("time not a time")
            << EsignFake::reply(200, R"({"sr_id":123,"status":"COMPLETED","completed_at_utc":"yesterday"})")
            << "Status: COMPLETED Signed time: yesterday\nThe signed time could not be read; form T183 is not changed.";
        QTest::newRow("date without a time")
            << EsignFake::reply(200, R"({"sr_id":123,"status":"completed","completed_at_utc":"2025-03-01"})")
            << "Status: completed Signed time: 2025-03-01\nThe signed time could not be read; form T183 is not "
               "changed.";
        QTest::newRow("month 13")
            << EsignFake::reply(200, R"({"sr_id":123,"status":"completed","completed_at_utc":"2025-13-01T12:00:00Z"})")
            << "Status: completed Signed time: 2025-13-01T12:00:00Z\nThe signed time could not be read; form T183 "
               "is not changed.";
    }
    void repliesThatSignNothing()
    {
        QFETCH(QJsonObject, reply);
        QFETCH(QString, message);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        fake.script("/api/signature-requests/123", QJsonArray{reply});
        StatusPage p(fake);
        QVERIFY(p.page && p.t183);
        p.t183->ESignRequestId.m_value = "123";
        p.t183->ESignedTime.m_value = "2025-01-02 03:04:05";
        const auto before = snapshot(*p.t183);
        QVERIFY(p.show(FORM_T183));

        p.askStatus(kT183Status);

        QCOMPARE(p.window.promptTexts(), QStringList{message});
        QVERIFY(!p.t183->anyFieldDiffers(*before));
        QCOMPARE(p.t183->ESigned.m_value, 0);
        QCOMPARE(p.shownText("ESignedTime"), QString("2025-01-02 03:04:05"));
        QVERIFY(!QApplication::overrideCursor());
    }

    // Nothing is asked of the service without an account, or without a
    // request to ask about.
    void nothingAskedWithoutRequest_data()
    {
        QTest::addColumn<bool>("account");
        QTest::addColumn<bool>("withT183");
        QTest::addColumn<QString>("requestId");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("empty id") << true << true << "" << QStringList{kNotInitiated};
        QTest::newRow("id of blanks") << true << true << "   " << QStringList{kNotInitiated};
        QTest::newRow("no T183") << true << false << "" << QStringList{kNotInitiated};
        QTest::newRow("id of dots") << true << true << " .. " << QStringList{kNotInitiated};
        QTest::newRow("no account, no T183") << false << false << "" << QStringList{kNoAccount};
        QTest::newRow("no account, with an id") << false << true << "123" << QStringList{kNoAccount};
    }
    void nothingAskedWithoutRequest()
    {
        QFETCH(bool, account);
        QFETCH(bool, withT183);
        QFETCH(QString, requestId);
        QFETCH(QStringList, shown);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        StatusPage p(fake, account);
        QVERIFY(p.page && p.t183);
        p.t183->ESignRequestId.m_value = requestId;
        if (!withT183)
            p.page->familyData()->RemoveFormData(p.t183);

        p.askStatus(kT183Status);

        QCOMPARE(p.window.promptTexts(), shown);
        QVERIFY(fake.records().isEmpty());
    }

    // A refused login ends the query: its own message, no status request,
    // and the window back as it was.
    void failedLoginAsksNothingMore()
    {
        EsignFake fake(QJsonObject{{kEmail, QStringLiteral("another password")}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        StatusPage p(fake);
        QVERIFY(p.page && p.t183);
        p.t183->ESignRequestId.m_value = "123";

        p.askStatus(kT183Status);

        QCOMPARE(p.window.promptTexts(),
                 QStringList{"Cannot login into Quillor, please check Quillor email/password setting in preference"});
        QCOMPARE(paths(fake), QStringList{"/api/user/login"});
        QCOMPARE(p.t183->ESigned.m_value, 0);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(p.window.window->isEnabled());
    }

    // The request id comes from the file: whatever it holds stays one part
    // of the address.
    void requestIdIsOnePathSegment_data()
    {
        QTest::addColumn<QString>("requestId");
        QTest::addColumn<QString>("path");
        QTest::newRow("climbing") << "5/../user/login" << "/api/signature-requests/5%2F..%2Fuser%2Flogin";
        QTest::newRow("blanks around") << "  42 " << "/api/signature-requests/42";
        QTest::newRow("query and fragment") << "7?x=1#y" << "/api/signature-requests/7%3Fx%3D1%23y";
        QTest::newRow("blank inside") << "7 8" << "/api/signature-requests/7%208";
    }
    void requestIdIsOnePathSegment()
    {
        QFETCH(QString, requestId);
        QFETCH(QString, path);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        StatusPage p(fake);
        QVERIFY(p.page && p.t183);
        p.t183->ESignRequestId.m_value = requestId;

        p.askStatus(kT183Status);

        QCOMPARE(paths(fake), QStringList({"/api/user/login", path}));
        QCOMPARE(p.t183->ESignRequestId.m_value, requestId);
    }

    // No other form carries a request: the query does nothing.
    void otherFormsAskNothing()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        StatusPage p(fake);
        QVERIFY(p.page);
        p.page->OnGetQuillorFormTime(FORM_T1);
        p.page->OnGetQuillorFormTime(FORM_T185);
        QVERIFY(p.window.promptTexts().isEmpty());
        QVERIFY(fake.records().isEmpty());
    }

    // A signature request keeps its id in the T183 (and the RC71), and the
    // next status query asks about it.
    void signatureRequestKeepsItsId_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("statusEvent");
        QTest::addColumn<QString>("code");
        QTest::newRow("T183") << int(FORM_T183) << kT183Status << "T183";
        QTest::newRow("RC71") << int(FORM_RC71) << kRC71Status << "RC71";
    }
    void signatureRequestKeepsItsId()
    {
        QFETCH(int, form);
        QFETCH(int, statusEvent);
        QFETCH(QString, code);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        fake.script("/api/signature-requests", QJsonArray{EsignFake::reply(200, R"({"message":"ok","sr_id":77})")});
        StatusPage p(fake);
        QVERIFY(p.page && p.t183 && p.rc71);
        QTemporaryDir dir;
        const QString pdf = dir.filePath("form.pdf");
        {
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("%PDF-1.4\n");
        }
        p.window.prompter->queueYes(true);
        QCOMPARE(p.page->_SubmitQuillorFormType(form, true, kClient, "046 454 286", "Jean", pdf), 77);
        const QString kept = form == FORM_T183 ? p.t183->ESignRequestId.m_value : p.rc71->ESignRequestId.m_value;
        QCOMPARE(kept, QString("77"));
        const QStringList items = EsignFake::items(fake.records().value(0));
        const int expires = items.indexOf("expires_in_days=30");
        QVERIFY(expires >= 0);
        QCOMPARE(items.value(expires + 1), QString("date_pos=[{\"page\": 0}]"));
        QVERIFY(items.contains("func=QUILLOR"));
        QVERIFY(items.contains("form=" + code));
        QVERIFY(items.contains("licdata=046454286"));

        p.askStatus(statusEvent);
        QCOMPARE(paths(fake), QStringList({"/api/signature-requests", "/api/user/login", "/api/signature-requests/77"}));
    }

    // Each page's two buttons post its form's events to the return page:
    // the print button the print-for-delivery event (held back here, the
    // print itself is the print road's test), the status button the query.
    // The T183 page is kept as a picture.
    void pageButtons_data()
    {
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("printEvent");
        QTest::addColumn<QString>("picture");
        QTest::newRow("T183") << int(FORM_T183) << 1831 << "t183-esign-buttons.png";
        QTest::newRow("RC71") << int(FORM_RC71) << 1871 << "";
    }
    void pageButtons()
    {
        QFETCH(int, form);
        QFETCH(int, printEvent);
        QFETCH(QString, picture);
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        fake.script("/api/signature-requests/123", QJsonArray{EsignFake::reply(200, kCompletedReply.toUtf8())});
        StatusPage p(fake);
        QVERIFY(p.page && p.t183 && p.rc71);
        (form == FORM_T183 ? p.t183->ESignRequestId : p.rc71->ESignRequestId).m_value = "123";
        QVERIFY(p.show(form));
        p.window.window->resize(1100, 900);

        QPushButton* print = nullptr;
        QPushButton* status = nullptr;
        for (BaseTaxPage* page : p.page->allPages()) {
            if (!print)
                print = page->findChild<QPushButton*>("btnPrintForDelivery");
            if (!status)
                status = page->findChild<QPushButton*>("btnCheckESignStatus");
        }
        QVERIFY(print && status);
        QCOMPARE(print->text(), QString("Print for E-Delivery"));
        QCOMPARE(status->text(), QString("Check E-Signature Status"));
        for (QWidget* w = status->parentWidget(); w; w = w->parentWidget())
            if (auto* scroll = qobject_cast<QScrollArea*>(w)) {
                scroll->ensureWidgetVisible(status);
                break;
            }
        QApplication::processEvents();
        if (!picture.isEmpty())
            QVERIFY(p.window.window->grab().save(artefact(picture)));

        EventCatcher printCatcher(printEvent);
        p.page->installEventFilter(&printCatcher);
        QTest::mouseClick(print, Qt::LeftButton);
        QTRY_COMPARE(printCatcher.caught, 1);
        p.page->removeEventFilter(&printCatcher);

        QTest::mouseClick(status, Qt::LeftButton);
        QTRY_COMPARE(p.window.promptTexts(), QStringList{"Status: COMPLETED Signed time: 2025-03-01T12:00:00Z"});
        QCOMPARE(p.t183->ESigned.m_value, form == FORM_T183 ? 1 : 0);
        QCOMPARE(p.t183->ESignedTime.m_value, form == FORM_T183 ? QString("2025-03-01 07:00:00") : QString());
    }
};

int main(int argc, char** argv)
{
    // Before anything reads the zone: the expected local times are UTC-5,
    // without summer time, in whatever zone the machine is.
    qputenv("TZ", "EST5");
    tzset();
    TestEsignStatus test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_esignstatus.moc"
