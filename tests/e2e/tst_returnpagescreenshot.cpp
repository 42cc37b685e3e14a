#include <QtTest>

#include "app/tabwndapp.h"
#include "common/scriptedprompter.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/cfamilytaxdata.h"
#include "workspace/form_return.h"
#include "workspace/mainwindow.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// An open return in the real window under a virtual X display. The test runs
// itself a second time under xvfb-run; that run opens a coupled return and
// keeps a picture of the window (artefacts/return-page.png) for a person to
// look at.
class TestReturnPageScreenshot : public QObject
{
    Q_OBJECT
private slots:
    void returnPageScreenshot();
};

namespace {

const char kPictureVariable[] = "VODAREVIVO_RETURN_PAGE_PICTURE";

// The run under the virtual display: the window with one return, grabbed.
int grabOpenReturn(const QString& picture)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    const QString run = home.path() + "/Documents/vodarevivo/2024/run";
    QDir().mkpath(run);
    QFile config(run + "/gr_path.ini");
    if (config.open(QIODevice::WriteOnly))
        config.write("MODEDEBUG=1\nAllow2nd=1\n");
    config.close();
    int argc = 1;
    char arg0[] = "returnpage";
    char* argv[] = {arg0, nullptr};
    TabWndApp* app = TabWndApp::initMainApp(argc, argv);
    ScriptedPrompter prompter;
    if (app->initApp() != 0)
        return 2;
    MainWindow* window = MainWindow::getInstance(nullptr);
    app->setMainWidget(window);
    window->resize(1280, 760);
    window->show();

    NewReturnBasicData r;
    r.FirstName = "Ann";
    r.LastName = "Lee";
    r.TaxPronv = 9;
    r.MaritalStatus = 0;
    r.FirstNameSpouse = "Bob";
    r.LastNameSpouse = "Roy";
    r.Coupled = true;
    r.TaxPronvSpouse = 9;
    r.bSch7 = r.bT776 = true;
    auto* family = new CFamilyTaxData(MULTIPROVS_MODE_RESIDENCE);
    family->NewData(&r);
    // Employment income reaches the T1 from the T4, as a user enters it.
    if (STRUCT_SLIPDATA_ITEM_2004* item = family->getTaxpayer()->NewSlipData(1, 0, 0)) {
        if (auto* t4 = qobject_cast<TaxData_Slip_T4*>(item->data)) {
            t4->EmployerName.m_value = "Acme Ltd";
            t4->box14EmploymentIncome.m_value = 52000;
            t4->box22IncomeTaxDeducted.m_value = 9000;
        }
    }
    family->Calculate(-1, nullptr);
    window->_presentAReturn(nullptr, family);

    int result = 3;
    QTimer::singleShot(800, [&]() {
        result = window->grab().save(picture, "PNG") ? 0 : 3;
        QCoreApplication::quit();
    });
    app->exec();
    delete window;
    delete app;
    return result;
}

} // namespace

void TestReturnPageScreenshot::returnPageScreenshot()
{
    const QString xvfbRun = QStandardPaths::findExecutable("xvfb-run");
    if (xvfbRun.isEmpty())
        QSKIP("xvfb-run is not installed");
    const QString artefacts = QCoreApplication::applicationDirPath() + "/../artefacts";
    QVERIFY(QDir().mkpath(artefacts));
    const QString picture = QDir(artefacts).absoluteFilePath("return-page.png");
    QFile::remove(picture);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.insert(kPictureVariable, picture);
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(xvfbRun, {"-a", "-s", "-screen 0 1600x1000x24", QCoreApplication::applicationFilePath()});
    QVERIFY(child.waitForStarted());
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
        QFAIL("the run under the virtual display did not end");
    }
    QVERIFY2(child.exitCode() == 0, child.readAll().constData());
    QImage image(picture);
    QVERIFY2(!image.isNull(), qPrintable(picture));
    QVERIFY(image.width() >= 1000);
}

int main(int argc, char** argv)
{
    const QString picture = qEnvironmentVariable(kPictureVariable);
    if (!picture.isEmpty())
        return grabOpenReturn(picture);
    QCoreApplication app(argc, argv);
    TestReturnPageScreenshot test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_returnpagescreenshot.moc"
