// The open return's filing, print and e-signature commands. Each is a call
// into the service of its subsystem, which works on the model through the
// context this page gives it.
#include "workspace/form_return.h"

#include "app/mywaitcursor.h"

#include "app/tabwndapp.h"
#include "filing/filingservice.h"
#include "filing/ui/direradroadwidgets.h"
#include "filing/ui/formfilingwidgets.h"
#include "model/cfamilytaxdata.h"
#include "model/returnfileloadcode.h"
#include "print/esign/quillorclient.h"
#include "print/esign/quillorclientletter.h"
#include "print/esign/quillordocumentupload.h"
#include "print/esign/quillorfilingrecord.h"
#include "print/esign/quillorsignaturestatus.h"
#include "print/typetablesexport.h"
#include "print/ui/esign/windowbusyindicator.h"
#include "workspace/featureenvironment.h"

FeatureContext Form_Return::featureContext()
{
    FeatureContext context;
    context.family = m_pFamilyData;
    context.edition = TabWndApp::s_appPurpose;
    context.settings = currentFeatureSettings();
    context.dialogParent = this;
    context.saveReturn = [this] { return saveReturnFile(false) == RFL_SUCCESS; };
    return context;
}

void Form_Return::OnFileCreateElectronFile()
{
    const FeatureContext context = featureContext();
    const DireradRoadEnvironment environment = direradRoadEnvironment(context, this);
    DireradRoadWidgets windows;
    FilingService service(context);
    service.useDireradRoad(&environment, &windows);
    service.createElectronicFile();
}

int Form_Return::OnFileT1135()
{
    FormFilingWidgets windows;
    const FeatureContext context = featureContext();
    return FilingService(context).fileT1135(t1135RoadEnvironment(context, this), windows);
}

void Form_Return::OnPrepareReFile()
{
    FilingService(featureContext()).prepareReFile(reFileEnvironment(this));
}

void Form_Return::UnsetReFile()
{
    FilingService(featureContext()).unsetReFile();
}

bool Form_Return::isEligibleForReFile()
{
    return FilingService(featureContext()).isEligibleForReFile();
}

int Form_Return::sendFilingRecord(int formType, bool accepted, const QString& confirmation,
                                  const QString& filingMessage)
{
    WindowBusyIndicator busy(this);
    QuillorClient client(featureContext(), currentQuillorSettings, &busy);
    return QuillorFilingRecord(client, runLogLine)
        .send(ENUMTYPE_FORM(formType), accepted, confirmation, filingMessage);
}

Form_Return::FilingRecordSender Form_Return::filingRecordSender()
{
    if (m_filingRecordSender)
        return m_filingRecordSender;
    return [this](int formType, bool accepted, const QString& confirmation, const QString& filingMessage) {
        return sendFilingRecord(formType, accepted, confirmation, filingMessage);
    };
}

void Form_Return::OnCreateJavaXML(bool testPrintFile)
{
    MyWaitCursor wait;
    if (testPrintFile) {
        TabWndApp::createTestPrintFile();
        return;
    }
    const TabWndApp* app = TabWndApp::getMainApp();
    if (!app)
        return;
    const CT1AppConfig& config = app->m_config;
    TypeTablesFolders folders{config.JAVAPROJPATH, config.XMLPATH, config.BFORM_XMLPATH, runLogLine};
    TypeTablesExport::writeFormFiles(folders);
    TypeTablesExport::writeSlipFiles(folders);
    TypeTablesExport::writeNoteFiles(folders);
}

void Form_Return::OnGetQuillorFormTime(ENUMTYPE_FORM type)
{
    WindowBusyIndicator busy(this);
    QuillorClient client(featureContext(), currentQuillorSettings, &busy);
    QuillorSignatureStatus(client).query(type);
}

void Form_Return::_SubmitDocDelivery(ENUMTYPE_FORM form, const QString& toEmail, const CString& sin,
                                     const CString& firstName, const CString& pdfPath)
{
    WindowBusyIndicator busy(this);
    QuillorClient client(featureContext(), currentQuillorSettings, &busy);
    QuillorDocumentUpload(client, QuillorDocumentUpload::Kind::Delivery)
        .submit(QuillorDocument{form, toEmail, sin, firstName, pdfPath});
}

int Form_Return::_SubmitQuillorFormType(ENUMTYPE_FORM form, bool signingPosition, const QString& toEmail,
                                        const CString& sin, const CString& firstName, const CString& pdfPath)
{
    WindowBusyIndicator busy(this);
    QuillorClient client(featureContext(), currentQuillorSettings, &busy);
    const QuillorDocumentUpload::Outcome outcome =
        QuillorDocumentUpload(client, QuillorDocumentUpload::Kind::Signature)
            .submit(QuillorDocument{form, toEmail, sin, firstName, pdfPath}, signingPosition);
    if (!outcome.hasRequestId)
        return -1;
    // The form keeps the request's number for the status query.
    if (m_pFamilyData) {
        const int code = form == FORM_T183 ? 10002 : form == FORM_RC71 ? 10005 : 0;
        if (code)
            m_pFamilyData->setFedString(code, CString(QString::number(outcome.requestId)));
    }
    return outcome.requestId;
}

int Form_Return::loginToQuillorCA(QString& token)
{
    WindowBusyIndicator busy(this);
    return QuillorClient(featureContext(), currentQuillorSettings, &busy).loginToQuillorCA(token);
}

bool Form_Return::readyToQuillorCA()
{
    return QuillorClient(featureContext(), currentQuillorSettings).readyToQuillorCA();
}

int Form_Return::fetchCustomizedClientLetter(CString pdfFolder, const CString& xmlFolder)
{
    WindowBusyIndicator busy(this);
    QuillorClient client(featureContext(), currentQuillorSettings, &busy);
    return QuillorClientLetter(client, runLogLine, currentFeatureSettings().esign.clientLetterVersion,
                               recordClientLetterVersion)
        .fetch(pdfFolder, xmlFolder);
}
