// The run log and the names of the other log and list files in the run folder.
#include "app/tabwndapp.h"

#include "companion/core/appclock.h"
#include "companion/core/filemodes.h"
#include "companion/core/sinmask.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray logLine(const char* msg)
{
    QByteArray line("Log: ");
    line += AppClock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")).toUtf8();
    if (msg)
        line += maskSINsInLogLine(QByteArray(msg));
    line += '\n';
    return line;
}

} // namespace

void TabWndApp::InitRunLogFile()
{
    QFile log(m_strRunLogFile);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        gAppInformation(QStringLiteral("File folder is read only, please adjust security settings to allow "
                                       "program write access!"),
                        nullptr);
        return;
    }
    keepToOwner(log);
    log.write("Log file created\n");
}

void TabWndApp::WriteRunLogFile(const char* msg)
{
    WriteLogFile(m_strRunLogFile, msg);
}

void TabWndApp::WriteDebugLine(const QString& line)
{
    if (m_config.MODEDEBUG)
        WriteRunLogFile(line.toUtf8().constData());
}

void TabWndApp::WriteLogFile(const CString& path, const char* msg)
{
    // Opened and closed for every line, so earlier lines are on disk even
    // when the program ends abruptly.
    // The logs name taxpayers' records: readable by the user only.
    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    keepToOwner(log);
    log.write(logLine(msg));
}

void TabWndApp::getTDDLogFilePath(CString& out, int kind)
{
    static const char* const kFiles[] = {"tddlog.txt", "tddlog2.txt", "findfiles.csv"};
    const bool known = kind >= 0 && kind < int(sizeof(kFiles) / sizeof(kFiles[0]));
    out = QDir::toNativeSeparators(m_strRunPath + m_strSeparator + (known ? kFiles[kind] : ""));
}
