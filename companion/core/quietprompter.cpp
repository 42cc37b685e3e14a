#include "companion/core/quietprompter.h"

#include <QDialog>
#include <QtGlobal>

namespace {

// The buttons' names as the log shows them; a table, so that a process
// without widgets can name them without the message box's meta-object.
const struct
{
    QMessageBox::StandardButton button;
    const char* name;
} kButtonNames[] = {
    {QMessageBox::Ok, "Ok"},           {QMessageBox::Save, "Save"},
    {QMessageBox::SaveAll, "SaveAll"}, {QMessageBox::Open, "Open"},
    {QMessageBox::Yes, "Yes"},         {QMessageBox::YesToAll, "YesToAll"},
    {QMessageBox::No, "No"},           {QMessageBox::NoToAll, "NoToAll"},
    {QMessageBox::Abort, "Abort"},     {QMessageBox::Retry, "Retry"},
    {QMessageBox::Ignore, "Ignore"},   {QMessageBox::Close, "Close"},
    {QMessageBox::Cancel, "Cancel"},   {QMessageBox::Discard, "Discard"},
    {QMessageBox::Help, "Help"},       {QMessageBox::Apply, "Apply"},
    {QMessageBox::Reset, "Reset"},     {QMessageBox::RestoreDefaults, "RestoreDefaults"},
    {QMessageBox::NoButton, "NoButton"},
};

const char* buttonName(QMessageBox::StandardButton button)
{
    for (const auto& entry : kButtonNames) {
        if (entry.button == button)
            return entry.name;
    }
    return "?";
}

} // namespace

QMessageBox::StandardButton QuietPrompter::messageBox(QWidget*, const MessageBoxRequest& request)
{
    const QMessageBox::StandardButton answer = cautiousButton(request.buttons);
    if (request.buttons == answer) {
        qInfo("%s: %s", qUtf8Printable(request.title), qUtf8Printable(request.text));
    } else {
        qInfo("%s: %s (answered %s: no one to ask)", qUtf8Printable(request.title),
              qUtf8Printable(request.text),
              buttonName(answer));
    }
    return answer;
}

int QuietPrompter::prompt(QWidget*, const PromptContent& content, QString&)
{
    const QString lines = content.texts().join(QLatin1Char(' '));
    switch (content.kind) {
    case PromptKind::MessageWithLink:
        qInfo("%s: %s %s", qUtf8Printable(content.title), qUtf8Printable(lines),
              qUtf8Printable(content.firstLink()));
        return QDialog::Accepted;
    case PromptKind::ContinueQuestion:
        qInfo("%s: %s (not continued: no one to ask)", qUtf8Printable(content.title),
              qUtf8Printable(lines));
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
