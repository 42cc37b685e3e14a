// The filing log: one record for every filing the agency accepted.
#include "app/tabwndapp.h"

#include "companion/core/datetimetext.h"
#include "companion/core/filemodes.h"

#include <QFile>

void TabWndApp::getFilingLogFilePath(CString& path, int kind)
{
    if (kind == 0)
        path = m_strRunPath + "/netfilelog.txt";
    else
        path = m_strRunPath + "/netfileresult" + (m_config.MODEDEBUG ? ".ws" : ".txt");
}

void TabWndApp::getT1013LogFilePath(CString& out, int kind)
{
    out = m_strRunPath + (kind == 0 ? "/efile2log.txt" : "/efile2result.txt");
}

bool TabWndApp::appendFilingLogRecord(const CString& path, const CString& name, const CString& result,
                                      const CString& confirmation, const CString& msg)
{
    // Line ends are the program's own LF; CR LF pairs inside the agency's
    // message go in as they came, so the file is opened in binary mode.
    QByteArray record;
    record += "Time: " + GetCurTime(CurTimeLocal).toUtf8() + " \n";
    record += "Name: " + name.toUtf8() + "\n";
    record += "Result: " + result.toUtf8() + "\n";
    record += "Confirmation: " + confirmation.toUtf8() + "\n";
    record += "Msg: " + msg.toUtf8() + "\n\n\n";

    QFile log(path);
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    keepToOwner(log);
    const bool written = log.write(record) == record.size() && log.flush();
    log.close();
    return written && log.error() == QFileDevice::NoError;
}

int TabWndApp::writeSuccFilingLog(const CString& name, const CString& result, const CString& confirmation,
                                  const CString& msg)
{
    CString path;
    getFilingLogFilePath(path, 0);
    return writeSuccFilingLog(path, name, result, confirmation, msg);
}

int TabWndApp::writeSuccFilingLog(const CString& path, const CString& name, const CString& result,
                                  const CString& confirmation, const CString& msg)
{
    if (appendFilingLogRecord(path, name, result, confirmation, msg))
        return 0;
    // The agency has the filing; only our record of it is missing. Say so
    // rather than let the confirmation number vanish.
    WriteRunLogFile(QByteArray("Filing log not written: " + path.toUtf8() + ", confirmation "
                               + confirmation.toUtf8()).constData());
    gAppInformation(QStringLiteral("The agency accepted the filing, but its record could not be written to "
                                   "\"%1\". Please note the confirmation number: %2")
                        .arg(path, confirmation),
                    nullptr);
    return -1;
}

int TabWndApp::writeFailFilingLog(const CString&, const CString&, const CString&)
{
    return 0;
}
