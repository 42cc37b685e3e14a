// "Send Return File to voDarevivo": the open return's saved file goes to the
// maker's support with the user's e-mail address and message.
#include "workspace/mainwindow.h"

#include "app/mywaitcursor.h"
#include "app/tabwndapp.h"
#include "dialogs/dlgsendfileforhelp.h"
#include "model/returnfileloadcode.h"
#include "workspace/form_return.h"
#include "workspace/supportupload.h"

void MainWindow::onSendReturnFile()
{
    auto* page = dynamic_cast<Form_Return*>(preparedReturnPage());
    if (!page)
        return;
    if (!page->hasFileToSave()) {
        TabWndApp::gAppInformation(tr("Please save return to a file first."), this);
        return;
    }
    // What is sent is the file, not the return on the screen: support would
    // look at something other than what the user describes.
    if (page->isChanged()) {
        const int answer = TabWndApp::gAppQuestionReturnBtn(
            tr("This return has changes that are not saved, and the file sent is the file as last saved.\n\n"
               "'Yes' to save the changes first, 'No' to send the file as it is, or 'Cancel' sending"),
            this, Prompt::Yes | Prompt::No | Prompt::Cancel);
        if (answer == Prompt::Yes) {
            if (doSaveReturn(page, false) != RFL_SUCCESS)
                return;
        } else if (answer != Prompt::No) {
            return;
        }
    }

    DlgSendFileForHelp dialog(this, TabWndApp::s_appPurpose);
    dialog.setWindowTitle(tr("Send Return File for Help"));
    if (dialog.exec() != QDialog::Accepted || dialog.m_strEmail.isEmpty())
        return;

    SupportUpload::Request request;
    request.host = m_pApp ? QString(m_pApp->m_config.voDarevivoWebServer) : QString();
    page->getFilepath(request.localPath);
    request.email = dialog.m_strEmail;
    request.message = dialog.m_strMsg;
    request.appTitle = TabWndApp::s_appTitle;
    bool sent = false;
    {
        MyWaitCursor wait;
        sent = SupportUpload::send(request);
    }
    if (sent)
        TabWndApp::gAppInformation(tr("file is sent successfully, we will contact you at ") + request.email, this);
    else
        TabWndApp::gAppInformation(tr("file is NOT sent, please contact us for solution."), this);
}
