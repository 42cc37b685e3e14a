#include "filing/resultfiletrace.h"

#include "companion/core/filemodes.h"
#include "filing/requestredaction.h"

ResultFileTrace::ResultFileTrace(const QString& path, Mode mode) : m_file(path)
{
    const QIODevice::OpenMode how =
        QIODevice::WriteOnly | (mode == Append ? QIODevice::Append : QIODevice::Truncate);
    if (!path.isEmpty() && m_file.open(how))
        keepToOwner(m_file);
}

void ResultFileTrace::write(const QByteArray& text)
{
    if (!m_file.isOpen())
        return;
    m_file.write(text);
    m_file.flush();
}

void ResultFileTrace::writeOutgoingRequest(bool testMode, const QByteArray& request, const QByteArray& timeLine)
{
    if (testMode) {
        write(redactFilingRequest(request));
        close();
    } else {
        write(timeLine);
    }
}
