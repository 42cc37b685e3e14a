#include "app/promptrecorder.h"

#include <QFile>

PromptRecorder::PromptRecorder(const QString& path) : m_path(path) {}

QString PromptRecorder::pathFromEnvironment()
{
    return qEnvironmentVariable(kEnvironmentVariable);
}

void PromptRecorder::append(const QString& text)
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QString line = text;
    line.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    file.write(line.toUtf8() + '\n');
}

Prompt::StandardButton PromptRecorder::messageBox(QWidget* parent, const MessageBoxRequest& request)
{
    append(request.text);
    return QuietPrompter::messageBox(parent, request);
}

int PromptRecorder::prompt(QWidget* parent, const PromptContent& content, QString& text)
{
    // The question's lines only; an answer (perhaps a password) never.
    append(content.texts().join(QLatin1Char('\n')));
    return QuietPrompter::prompt(parent, content, text);
}

QStringList PromptRecorder::readRecords(const QString& path)
{
    QStringList records;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return records;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        if (raw.isEmpty())
            continue;
        QString record;
        const QString line = QString::fromUtf8(raw);
        for (int i = 0; i < line.size(); ++i) {
            if (line[i] == QLatin1Char('\\') && i + 1 < line.size()) {
                ++i;
                record += line[i] == QLatin1Char('n') ? QChar('\n') : line[i];
            } else {
                record += line[i];
            }
        }
        records << record;
    }
    return records;
}
