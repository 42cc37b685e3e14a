#include "companion/core/httprequestframer.h"

#include <QList>

namespace {

// Position just past the blank line that ends the header, or -1.
int headerEnd(const QByteArray& buffer)
{
    const int crlf = buffer.indexOf("\r\n\r\n");
    const int lf = buffer.indexOf("\n\n");
    if (crlf < 0 && lf < 0)
        return -1;
    if (lf < 0 || (crlf >= 0 && crlf < lf))
        return crlf + 4;
    return lf + 2;
}

} // namespace

HttpRequestFramer::HttpRequestFramer(int maxRequestBytes)
    : m_maxRequestBytes(maxRequestBytes > 0 ? maxRequestBytes : 1)
{
}

bool HttpRequestFramer::append(const QByteArray& bytes)
{
    if (m_failed)
        return false;
    if (m_lineOnly && m_taken)
        return true;
    m_buffer.append(bytes);
    dropLeadingBlankLines();
    if (frontRequestLength() < 0) {
        m_failed = true;
        m_buffer.clear();
    }
    return !m_failed;
}

bool HttpRequestFramer::takeRequest(QByteArray& request)
{
    if (m_failed || (m_lineOnly && m_taken))
        return false;
    const qint64 length = frontRequestLength();
    if (length < 0) {
        m_failed = true;
        m_buffer.clear();
        return false;
    }
    if (length == 0)
        return false;
    request = m_buffer.left(int(length));
    m_buffer.remove(0, int(length));
    if (m_lineOnly) {
        if (m_keepArrivedHeader) {
            // The header as far as it has come, never past its end nor the limit.
            const int end = headerEnd(m_buffer);
            const QByteArray header = end < 0 ? m_buffer : m_buffer.left(end);
            if (request.size() + header.size() <= m_maxRequestBytes)
                request += header;
        }
        m_taken = true;
        m_buffer.clear();
        return true;
    }
    dropLeadingBlankLines();
    return true;
}

// Clients may send stray line ends between requests; they belong to none.
void HttpRequestFramer::dropLeadingBlankLines()
{
    int n = 0;
    while (n < m_buffer.size() && (m_buffer.at(n) == '\r' || m_buffer.at(n) == '\n'))
        ++n;
    if (n > 0)
        m_buffer.remove(0, n);
}

qint64 HttpRequestFramer::frontRequestLength() const
{
    if (m_lineOnly) {
        const int lineEnd = m_buffer.indexOf('\n');
        if (lineEnd < 0)
            return m_buffer.size() > m_maxRequestBytes ? -1 : 0;
        return lineEnd + 1 > m_maxRequestBytes ? -1 : lineEnd + 1;
    }
    const int end = headerEnd(m_buffer);
    if (end < 0)
        return m_buffer.size() > m_maxRequestBytes ? -1 : 0;
    if (end > m_maxRequestBytes)
        return -1;
    const qint64 body = contentLength(m_buffer.left(end));
    if (body < 0)
        return -1;
    const qint64 total = end + body;
    if (total > m_maxRequestBytes)
        return -1;
    return m_buffer.size() >= total ? total : 0;
}

// The declared body length: 0 when absent, -1 when the request cannot be
// framed (chunked, unparsable, or several different values).
qint64 HttpRequestFramer::contentLength(const QByteArray& header)
{
    qint64 length = -2; // not seen yet
    const QList<QByteArray> lines = header.split('\n');
    for (int i = 1; i < lines.size(); ++i) { // line 0 is the request line
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon <= 0)
            continue;
        const QByteArray name = line.left(colon).trimmed().toLower();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name == "transfer-encoding")
            return -1;
        if (name != "content-length")
            continue;
        if (value.isEmpty() || value.size() > 12)
            return -1;
        for (char c : value) {
            if (c < '0' || c > '9')
                return -1;
        }
        const qint64 parsed = value.toLongLong();
        if (length != -2 && length != parsed)
            return -1;
        length = parsed;
    }
    return length == -2 ? 0 : length;
}
