#pragma once

#include "app/tabwndapp.h"
#include "common/scriptedprompter.h"
#include "common/testhome.h"
#include "workspace/mainwindow.h"
#include "workspace/ui_mainwindow.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

#include <functional>
#include <memory>

// The program as it starts, for one test: a fresh home with a configuration
// file in test mode, the application object, a scripted prompter and the
// real main window, shown offscreen.
class WindowFixture
{
public:
    // extraConfig: more lines for "gr_path.ini". edition: 0 keeps the
    // program's own. beforeWindow runs after start-up, before the window is
    // made (settings the window reads when it is built).
    // beforeStart runs once the configuration file is written, before the
    // program starts (a stand-in that adds its own lines to the file).
    explicit WindowFixture(const QByteArray& extraConfig = QByteArray(), unsigned char edition = 0,
                           const std::function<void(TabWndApp*)>& beforeWindow = {},
                           const std::function<void(const QString& home)>& beforeStart = {})
    {
        const QString run = home.path() + "/Documents/vodarevivo/2024/run";
        QDir().mkpath(run);
        QFile config(run + "/gr_path.ini");
        if (config.open(QIODevice::WriteOnly))
            config.write("MODEDEBUG=1\nAllow2nd=1\n" + extraConfig);
        config.close();
        if (beforeStart)
            beforeStart(home.path());

        app = TabWndApp::initMainApp(s_argc, s_argv);
        prompter = std::make_unique<ScriptedPrompter>();
        ready = app->initApp() == 0;
        if (edition)
            TabWndApp::s_appPurpose = edition;
        if (beforeWindow)
            beforeWindow(app);
        window = MainWindow::getInstance(nullptr);
        app->setMainWidget(window);
        window->show();
        exposed = QTest::qWaitForWindowExposed(window);
    }

    ~WindowFixture()
    {
        delete window;
        prompter.reset();
        delete app;
    }

    QAction* action(const char* objectName) const { return window->widgets()->action(QString::fromLatin1(objectName)); }
    QString runPath() const { return home.path() + "/Documents/vodarevivo/2024/run"; }

    // Texts of the message boxes shown so far, in order.
    QStringList promptTexts() const
    {
        QStringList texts;
        for (const PromptRecord& record : prompter->records())
            texts << record.texts.join("\n");
        return texts;
    }

    TestHome home;
    TabWndApp* app = nullptr;
    std::unique_ptr<ScriptedPrompter> prompter;
    MainWindow* window = nullptr;
    bool ready = false;
    bool exposed = false;

private:
    static inline int s_argc = 1;
    static inline char s_arg0[] = "tst_workspace";
    static inline char* s_argv[] = {s_arg0, nullptr};
};
