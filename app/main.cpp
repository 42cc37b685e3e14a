#include "app/afterfirstpaint.h"
#include "app/promptrecorder.h"
#include "app/runguard.h"
#include "app/tabwndapp.h"
#include "companion/core/prompter.h"
#include "companion/core/quietprompter.h"
#include "filing/barcodearchive.h"
#include "filing/filingwebclient.h"
#include "filing/ui/filingwaitcursor.h"
#include "workspace/featureenvironment.h"
#include "workspace/mainwindow.h"

#include <QIcon>
#include <QSslSocket>
#include <QtDebug>

#include <memory>

namespace {

bool isPrintResultMode(int argc, char* argv[])
{
    return argc > 2 && QString::fromLocal8Bit(argv[1]).compare(QLatin1String("printresult"), Qt::CaseInsensitive) == 0;
}

// The batch mode shows no window, so it must not need a display: without a
// platform chosen by the caller it draws off screen.
void chooseBatchPlatform(int argc, char* argv[])
{
    if (isPrintResultMode(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace

int main(int argc, char* argv[])
{
    chooseBatchPlatform(argc, argv);
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    TabWndApp* app = TabWndApp::initMainApp(argc, argv);

    // The batch mode must never wait on a message box; a test that watches
    // the program records the messages instead of showing them.
    std::unique_ptr<Prompter> prompter;
    const QString recordPath = PromptRecorder::pathFromEnvironment();
    if (!recordPath.isEmpty())
        prompter = std::make_unique<PromptRecorder>(recordPath);
    else if (isPrintResultMode(argc, argv))
        prompter = std::make_unique<QuietPrompter>();
    const ScopedPrompter installed(prompter.get()); // none: the real dialogs

    const QString key = QStringLiteral("voDarevivo 2024 for DirErad");
    // The batch mode reads returns only; a settings database it cannot
    // open must not stop it.
    app->allowRunWithoutDatabase(isPrintResultMode(argc, argv));
    if (app->initApp() != 0)
        return -1;
    FilingWebClient::setDefaultTimeoutSec(app->m_config.soapTimeoutSec());
    // Every save from here on writes each person's barcode archive.
    installBarcodeBuilder();
    installFilingWaitCursor();
    installJavaVMEnv();

    if (isPrintResultMode(argc, argv)) {
        const QString folder = QString::fromLocal8Bit(argv[2]);
        const QString listFile = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
        return TabWndApp::CmdlinePrintResult(folder, listFile);
    }

    RunGuard guard(key, app->m_strSysPath);
    if (!guard.tryToRun() && !app->allow2ndInstance()) {
        TabWndApp::gAppInformation(QStringLiteral("%1 is already running!").arg(key), nullptr);
        guard.release();
        return 0;
    }

    QApplication::setWindowIcon(QIcon(TabWndApp::s_appPurpose == 2 ? QStringLiteral(":/res/images/direrad-2024.ico")
                                                                   : QStringLiteral(":/res/images/efile-2024.ico")));

    MainWindow* window = MainWindow::getInstance(nullptr);
    app->setMainWidget(window);
    QRect rect;
    app->getStartRectPos(rect);
    window->setGeometry(rect);
    window->setMinimumSize(768, 480);
    // Asking whether TLS works loads and starts the SSL libraries, a good
    // part of the start: it is asked once the window's first image is on the
    // screen, and the user told then.
    afterFirstPaint(window, [] {
        if (!QSslSocket::supportsSsl()) {
            TabWndApp::gAppInformation(
                QStringLiteral("This system's SSL/TLS (%1/%2), please email these details and OS version for support.")
                    .arg(QSslSocket::sslLibraryBuildVersionString())
                    .arg(QSslSocket::sslLibraryVersionNumber()),
                nullptr);
        }
    });
    window->show();

    const int result = app->exec();
    // The window's placement was taken while it lived; it can go first, so
    // that no widget outlives the application object.
    delete window;
    delete app;
    return result;
}
