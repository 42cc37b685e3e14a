// Time from an edit's signalCalc on the T1 page to the refreshed status bar,
// on the real window with a coupled return of 30 slips each (budget 16 ms).
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <cstdio>

#include "app/tabwndapp.h"
#include "benchstats.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/ui/basetaxpage.h"
#include "model/cfamilytaxdata.h"
#include "workspace/form_return.h"
#include "workspace/mainwindow.h"

namespace {

const int kSlipsEach = 30;
const int kRuns = 60;
const int kSlipT4 = 1;

CFamilyTaxData* coupledReturn()
{
    NewReturnBasicData r;
    r.FirstName = "Ann";
    r.LastName = "Lee";
    r.TaxPronv = 9;
    r.MaritalStatus = 0;
    r.FirstNameSpouse = "Bob";
    r.LastNameSpouse = "Roy";
    r.Coupled = true;
    r.TaxPronvSpouse = 9;
    r.bSch7 = r.bSch9 = r.bSch11 = true;
    auto* family = new CFamilyTaxData(MULTIPROVS_MODE_RESIDENCE);
    family->NewData(&r);
    for (IndividualTaxData* person : {family->getTaxpayer(), family->getSpouse()}) {
        for (int i = 0; i < kSlipsEach; ++i) {
            STRUCT_SLIPDATA_ITEM_2004* slip = person->NewSlipData(kSlipT4, 0, 0);
            if (auto* box = slip ? dynamic_cast<CFloatField*>(slip->data->findField("box14EmploymentIncome")) : nullptr)
                box->m_value = 1000.0 + i;
        }
    }
    family->Calculate(-1, nullptr);
    return family;
}

} // namespace

int main(int argc, char** argv)
{
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
    MainWindow* window = MainWindow::getInstance(nullptr);
    app->setMainWidget(window);
    window->show();
    window->_presentAReturn(nullptr, coupledReturn());
    auto* page = dynamic_cast<Form_Return*>(window->currentReturnPage());
    auto* status = window->findChild<QLabel*>("lblResult");
    if (!page || !status || page->pages().empty()) {
        std::fprintf(stderr, "no return page\n");
        return 1;
    }
    BaseTaxPage* t1Page = page->pages().front();
    auto* t1 = dynamic_cast<TaxData_T1New*>(t1Page->getFormData());

    benchstats::Figure figure{"Edit to the refreshed status bar", 16.0, {}};
    for (int i = 0; i < kRuns; ++i) {
        t1->line10100EmploymentIncome.m_value = 40000.0 + i;
        status->clear();
        QElapsedTimer timer;
        timer.start();
        emit t1Page->signalCalc(t1, nullptr);
        const qint64 ns = timer.nsecsElapsed();
        if (!status->text().startsWith(QLatin1String("[Total Income]="))) {
            std::fprintf(stderr, "status bar not refreshed\n");
            return 1;
        }
        figure.samplesMs.push_back(ns / 1e6);
    }
    std::printf("Edit to refresh: coupled return, %d slips each, on the real window\n", kSlipsEach);
    benchstats::print(figure);
    std::printf("%-44s %9.4f ms\n", "  90th percentile", figure.samplesMs[figure.samplesMs.size() * 9 / 10]);
    delete window;
    delete app;
    return 0;
}
