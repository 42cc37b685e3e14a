#include "companion/ui/quietprompter.h"

#include <QDialog>
#include <QMetaEnum>
#include <QtGlobal>

namespace {

const char* buttonName(QMessageBox::StandardButton button)
{
    const QMetaObject& meta = QMessageBox::staticMetaObject;
    const QMetaEnum buttons = meta.enumerator(meta.indexOfEnumerator("StandardButtons"));
    const char* name = buttons.valueToKey(button);
    return name ? name : "?";
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
