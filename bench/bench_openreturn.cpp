// What a user waits for in the window, on a real X server (scripts/bench
// runs it under Xvfb; without a display it falls back to the offscreen
// platform and says so): opening a saved coupled Ontario return to its
// painted T1 page, switching between the T1 and Schedule 7 to the painted
// page, and an edit of a T4 slip to the repainted page, tree and status
// bar. The return is written by the program itself, its provincial forms
// included. "--count N --what open|switch|edit" runs only that step N times
// under instrumentation, for callgrind (scripts/bench).
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>
#include <cstring>

#include "app/tabwndapp.h"
#include "benchstats.h"
#include "openreturnsteps.h"

namespace {

constexpr int kOpenRuns = 21;
constexpr int kSwitchRuns = 41;
constexpr int kEditRuns = 41;
constexpr int kSlipT4 = 1;

bool fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const bool onDisplay = !qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariable("QT_QPA_PLATFORM") != "offscreen";
    if (!onDisplay)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    const QString run = home.path() + "/Documents/vodarevivo/2024/run";
    QDir().mkpath(run);
    QFile config(run + "/gr_path.ini");
    if (config.open(QIODevice::WriteOnly))
        config.write("MODEDEBUG=1\nAllow2nd=1\n");
    config.close();

    TabWndApp* app = TabWndApp::initMainApp(argc, argv);
    if (app->initApp() != 0) {
        std::fprintf(stderr, "start-up failed\n");
        return 1;
    }
    const QString path = home.path() + "/Documents/vodarevivo/2024/coupled.r24";
    if (openreturnsteps::saveCoupledReturn(path) != 0) {
        std::fprintf(stderr, "the coupled return could not be saved\n");
        return 1;
    }
    MainWindow* window = MainWindow::getInstance(nullptr);
    app->setMainWidget(window);
    window->show();
    QElapsedTimer exposing;
    exposing.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) && exposing.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);

    openreturnsteps::PaintWatch watch;
    const auto openOnce = [&] {
        BaseTaxPage* page = openreturnsteps::openToPaintedPage(window, watch, path);
        const bool ok = page && page->getFormData() && page->getFormData()->m_type == FORM_T1;
        openreturnsteps::closeShownReturn(window);
        return ok || fail("the open return showed no painted T1 page");
    };
    // The first open of a run loads the plug-in and the fonts; it is not timed.
    if (!openOnce())
        return 1;

    const char* what = benchstats::countWhat(argc, argv);
    const int count = benchstats::countRuns(argc, argv);
    if (count && std::strcmp(what, "open") == 0) {
        benchstats::instrumented(count, openOnce);
        return 0;
    }

    std::printf("Opening, switching and editing in the window (%s), coupled Ontario return, %d slips each\n",
                onDisplay ? "X server" : "offscreen, no display", benchreturns::kSlipsEach);
    bool ok = true;
    benchstats::Figure open{"Open the coupled return to the painted T1", 25.0, {}};
    if (!count) {
        for (int i = 0; i < kOpenRuns && ok; ++i)
            open.samplesMs.push_back(benchstats::elapsedMs([&] { ok = openOnce(); }));
        if (!ok)
            return 1;
        benchstats::print(open);
    }

    openreturnsteps::openToPaintedPage(window, watch, path);
    Form_Return* page = openreturnsteps::shownReturn(window);
    if (!page) {
        fail("no return page");
        return 1;
    }

    const ENUMTYPE_FORM between[] = {FORM_SCH7, FORM_T1};
    int switches = 0;
    const auto switchOnce = [&] {
        const ENUMTYPE_FORM type = between[switches++ % 2];
        BaseTaxPage* shown = openreturnsteps::switchToForm(page, watch, type);
        const bool done = shown && shown->getFormData() && shown->getFormData()->m_type == type;
        return done || fail("the switch showed no painted page of the form");
    };
    if (count && std::strcmp(what, "switch") == 0) {
        benchstats::instrumented(count, switchOnce);
        return 0;
    }
    if (!count) {
        benchstats::Figure switching{"Switch forms to the painted page", 10.0, {}};
        for (int i = 0; i < kSwitchRuns && ok; ++i)
            switching.samplesMs.push_back(benchstats::elapsedMs([&] { ok = switchOnce(); }));
        if (!ok)
            return 1;
        benchstats::print(switching);
    }

    BaseTaxPage* slip = openreturnsteps::switchToSlip(page, watch, kSlipT4);
    if (!slip) {
        fail("no T4 slip page");
        return 1;
    }
    int edits = 0;
    const auto editOnce = [&] {
        const QString amount = QString::number(30000 + (++edits));
        return openreturnsteps::editToRepaintedPage(slip, watch, "box14EmploymentIncome", amount) != nullptr ||
               fail("the edit repainted no page");
    };
    if (count && std::strcmp(what, "edit") == 0) {
        benchstats::instrumented(count, editOnce);
        return 0;
    }
    if (!count) {
        benchstats::Figure edit{"Edit to the repainted page, tree and status", 4.0, {}};
        for (int i = 0; i < kEditRuns && ok; ++i)
            edit.samplesMs.push_back(benchstats::elapsedMs([&] { ok = editOnce(); }));
        if (!ok)
            return 1;
        benchstats::print(edit);
    }
    // The edited return is left unsaved: closing it would ask about it.
    delete window;
    delete app;
    return 0;
}
