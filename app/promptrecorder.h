#pragma once

#include "companion/core/quietprompter.h"

#include <QString>

// A prompter for runs watched by an automated test: behaves as the quiet
// prompter (never blocks, gives the cautious answer) and also appends every
// message text to a file, one record per line with line breaks written as
// "\n". The program installs it only when the environment variable
// VODAREVIVO_PROMPT_LOG names that file.
class PromptRecorder : public QuietPrompter
{
public:
    static constexpr const char* kEnvironmentVariable = "VODAREVIVO_PROMPT_LOG";

    explicit PromptRecorder(const QString& path);

    Prompt::StandardButton messageBox(QWidget* parent, const MessageBoxRequest& request) override;
    int prompt(QWidget* parent, const PromptContent& content, QString& text) override;

    // The file named by the environment, or empty when it is not set.
    static QString pathFromEnvironment();
    // Reads a record file back into texts (for the tests).
    static QStringList readRecords(const QString& path);

private:
    void append(const QString& text);

    QString m_path;
};
