// The agency-data commands: the stored-records dialog over the return page
// shown, with the terms dialog of filing, a session that stores what it
// fetches through a worker connection of the application database, and the
// return's tree and status rebuilt after an apply.
#include "workspace/mainwindow.h"

#include "agencydata/TddHttpServer.h"
#include "agencydata/ui/dlgtddmain.h"
#include "app/tabwndapp.h"
#include "filing/ui/DlgFilingTerm.h"
#include "model/cfamilytaxdata.h"
#include "workspace/form_return.h"
#include "workspace/featureenvironment.h"

#include <QDir>
#include <QSqlDatabase>

namespace {

bool askAgencyTerms(QWidget* parent, const QString& title, const char* resource)
{
    DlgFilingTerm terms(0, parent);
    terms.setMsg(QStringLiteral("I agree to the terms and conditions"), QString(), title, resource);
    return terms.exec() == QDialog::Accepted;
}

// The session's readers are the service's own, so what it fetches is stored.
TddSessionOptions storingSessionOptions()
{
    TabWndApp* app = TabWndApp::getMainApp();
    const FeatureSettings& settings = currentFeatureSettings();
    TddSessionOptions options = tddSessionOptionsFrom(settings, TabWndApp::s_appPurpose);
    TddWebService& service = TddHttpServer::getInstance(nullptr)->webService();
    service.installDataParsers();
    service.setDatabaseOpener([app](QSqlDatabase& db) { return app->openExtraDBHandle(db); });
    service.setNoticeFolders(CString(QDir(settings.resourceFolder).filePath(QStringLiteral("noa"))),
                             settings.noticeFolder);
    options.autoFillParser = [&service](FILE* log, const std::string& reply) {
        return service.parseTDDTaxData(log, reply);
    };
    options.noaParser = [&service](FILE* log, const std::string& reply) {
        return service.parseNOATaxData(log, reply);
    };
    return options;
}

} // namespace

void MainWindow::_doTDDorAFR(bool isAFR)
{
    auto* page = dynamic_cast<Form_Return*>(currentReturnPage());
    TddMainContext context;
    context.edition = TabWndApp::s_appPurpose;
    CString sin;
    if (page && page->familyData()) {
        context.family = page->familyData();
        context.family->getFedStringClaimed(1, sin);
    }
    context.askTerms = askAgencyTerms;
    context.sessionOptions = storingSessionOptions;
    context.noticeFolder = currentFeatureSettings().noticeFolder;
    QSqlDatabase db = QSqlDatabase::database();
    DlgTDDMain dialog(isAFR ? 1 : 2, db, sin, context, this);
    dialog.exec();
}
