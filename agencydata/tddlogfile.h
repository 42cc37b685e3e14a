#pragma once

#include <QString>

#include <cstdio>
#include <string>

// A log of the agency data session, opened for appending and readable and
// writable by its owner only: the logs carry replies with taxpayers' data.
// Closed when it goes out of scope. An empty path or a file that cannot be
// opened gives a log that writes nothing.
class TddLogFile
{
public:
    explicit TddLogFile(const QString& path);
    ~TddLogFile();
    TddLogFile(const TddLogFile&) = delete;
    TddLogFile& operator=(const TddLogFile&) = delete;

    bool isOpen() const { return m_file != nullptr; }
    // The open stream (null when not open), for readers that write their own lines.
    FILE* file() const { return m_file; }
    void write(const char* text);
    void write(const std::string& text);
    void close();

private:
    FILE* m_file = nullptr;
};
