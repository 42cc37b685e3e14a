#include "companion/core/quietprompter.h"

#include <QtGlobal>

namespace {

// The buttons' names as the log shows them; a table, so that a process
// without widgets can name them without the message box's meta-object.
const struct
{
    Prompt::StandardButton button;
    const char* name;
} kButtonNames[] = {
    {Prompt::Ok, "Ok"},           {Prompt::Save, "Save"},
    {Prompt::SaveAll, "SaveAll"}, {Prompt::Open, "Open"},
    {Prompt::Yes, "Yes"},         {Prompt::YesToAll, "YesToAll"},
    {Prompt::No, "No"},           {Prompt::NoToAll, "NoToAll"},
    {Prompt::Abort, "Abort"},     {Prompt::Retry, "Retry"},
    {Prompt::Ignore, "Ignore"},   {Prompt::Close, "Close"},
    {Prompt::Cancel, "Cancel"},   {Prompt::Discard, "Discard"},
    {Prompt::Help, "Help"},       {Prompt::Apply, "Apply"},
    {Prompt::Reset, "Reset"},     {Prompt::RestoreDefaults, "RestoreDefaults"},
    {Prompt::NoButton, "NoButton"},
};

const char* buttonName(Prompt::StandardButton button)
{
    for (const auto& entry : kButtonNames) {
        if (entry.button == button)
            return entry.name;
    }
    return "?";
}

} // namespace

Prompt::StandardButton QuietPrompter::messageBox(QWidget*, const MessageBoxRequest& request)
{
    const Prompt::StandardButton answer = cautiousButton(request.buttons);
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
        return Prompt::Accepted;
    case PromptKind::ContinueQuestion:
        qInfo("%s: %s (not continued: no one to ask)", qUtf8Printable(content.title),
              qUtf8Printable(lines));
        return Prompt::Rejected;
    default:
        // A text prompt may ask for a password: only its title is logged.
        qInfo("%s: prompt cancelled (no one to ask)", qUtf8Printable(content.title));
        return Prompt::Rejected;
    }
}

QString QuietPrompter::chooseFile(QWidget*, const FileChooserRequest& request)
{
    qInfo("%s: no file chosen (no one to ask)", qUtf8Printable(request.caption));
    return QString();
}
