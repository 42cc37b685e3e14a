#include "companion/ui/quietprompter.h"

#include "companion/ui/promptdialog.h"

#include <QDialog>
#include <QtGlobal>

QMessageBox::StandardButton QuietPrompter::messageBox(QWidget*, const MessageBoxRequest& request)
{
    const QMessageBox::StandardButton answer = cautiousButton(request.buttons);
    qInfo("%s: %s", qUtf8Printable(request.title), qUtf8Printable(request.text));
    return answer;
}

int QuietPrompter::runDialog(PromptDialog& dialog)
{
    const PromptContent content = dialog.content();
    switch (content.kind) {
    case PromptKind::MessageWithLink:
        qInfo("%s: %s %s", qUtf8Printable(content.title),
              qUtf8Printable(content.lines.join(QLatin1Char(' '))), qUtf8Printable(content.link));
        return QDialog::Accepted;
    case PromptKind::ContinueQuestion:
        qInfo("%s: %s (not continued: no one to ask)", qUtf8Printable(content.title),
              qUtf8Printable(content.lines.join(QLatin1Char(' '))));
        return QDialog::Rejected;
    default:
        // A text prompt may ask for a password: only its title is logged.
        qInfo("%s: prompt cancelled (no one to ask)", qUtf8Printable(content.title));
        return QDialog::Rejected;
    }
}

QString QuietPrompter::chooseFile(QWidget*, const FileChooserRequest& request)
{
    qInfo("%s: no file chosen (no one to ask)", qUtf8Printable(request.caption));
    return QString();
}
