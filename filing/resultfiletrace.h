#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The filing result file as one exchange writes it: opened once, either
// appended to (the terms exchange, whose trace the filing that follows
// replaces) or emptied (each filing exchange), readable by the user only.
// A file that cannot be opened is not an error of the exchange: it goes on
// without a trace, and every write is then a no-op.
class ResultFileTrace
{
public:
    enum Mode { Append, Replace };

    ResultFileTrace(const QString& path, Mode mode);

    bool isOpen() const { return m_file.isOpen(); }
    // Writes text as it stands (never used as a format) and flushes it.
    void write(const QByteArray& text);
    void close() { m_file.close(); }
    // Before a filing request is posted: in test mode the request itself,
    // its passwords blanked, and the trace ends there (a test run's reply is
    // not traced); otherwise only the time line.
    void writeOutgoingRequest(bool testMode, const QByteArray& request, const QByteArray& timeLine);
    // The file for a reader that writes its own lines; null when not open.
    QIODevice* device() { return m_file.isOpen() ? &m_file : nullptr; }

private:
    QFile m_file;
};
