#include "filing/httpresponsereader.h"

namespace {

constexpr int MaxHeadBytes = 64 * 1024;

bool parseSize(const QByteArray& text, int base, qint64& out)
{
    const QByteArray t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (char c : t) {
        const bool digit = (c >= '0' && c <= '9');
        const bool hex = base == 16 && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
        if (!digit && !hex)
            return false;
    }
    bool ok = false;
    out = t.toLongLong(&ok, base);
    return ok && out >= 0;
}

} // namespace

HttpResponseReader::HttpResponseReader(qint64 maxBytes) : m_maxBytes(maxBytes) {}

QByteArray HttpResponseReader::header(const QByteArray& name) const
{
    const QByteArray wanted = name.toLower();
    for (const auto& h : m_headers) {
        if (h.first.toLower() == wanted)
            return h.second;
    }
    return QByteArray();
}

bool HttpResponseReader::append(const QByteArray& bytes)
{
    if (m_state == State::Failed)
        return false;
    if (bytes.isEmpty() || m_state == State::Complete)
        return true; // bytes after the response are not ours to read
    m_started = true;
    m_received += bytes.size();
    if (m_received > m_maxBytes) {
        fail();
        return false;
    }
    m_buffer += bytes;
    process();
    return m_state != State::Failed;
}

void HttpResponseReader::endOfStream()
{
    if (m_state == State::UntilClose) {
        m_body += m_buffer;
        m_buffer.clear();
        m_state = State::Complete;
    } else if (m_state != State::Complete) {
        fail(); // cut short
    }
}

void HttpResponseReader::process()
{
    for (;;) {
        switch (m_state) {
        case State::Head:
            if (!readHead())
                return;
            break;
        case State::Body: {
            const qint64 take = qMin<qint64>(m_remaining, m_buffer.size());
            m_body += m_buffer.left(int(take));
            m_buffer.remove(0, int(take));
            m_remaining -= take;
            if (m_remaining == 0)
                m_state = State::Complete;
            return;
        }
        case State::Chunks:
            readChunks();
            return;
        case State::UntilClose:
            m_body += m_buffer;
            m_buffer.clear();
            return;
        case State::Complete:
        case State::Failed:
            return;
        }
    }
}

// Reads the status line and headers; true when the state moved on and the
// buffer should be looked at again.
bool HttpResponseReader::readHead()
{
    const int end = m_buffer.indexOf("\r\n\r\n");
    if (end < 0) {
        if (m_buffer.size() > MaxHeadBytes)
            fail();
        return false;
    }
    const QList<QByteArray> lines = m_buffer.left(end).split('\n');
    m_buffer.remove(0, end + 4);

    const QByteArray statusLine = lines.value(0).trimmed();
    const QList<QByteArray> parts = statusLine.split(' ');
    qint64 code = 0;
    if (parts.size() < 2 || !parts.at(0).startsWith("HTTP/1.") || !parseSize(parts.at(1), 10, code)
        || code < 100 || code > 599) {
        fail();
        return false;
    }
    m_status = int(code);
    m_headers.clear();
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon <= 0) {
            fail();
            return false;
        }
        m_headers.append(qMakePair(line.left(colon).trimmed(), line.mid(colon + 1).trimmed()));
    }
    if (m_status < 200)
        return true; // an interim answer; the real one follows

    const QByteArray encoding = header("Transfer-Encoding").toLower();
    const QByteArray length = header("Content-Length");
    if (!encoding.isEmpty()) {
        if (encoding != "chunked") {
            fail();
            return false;
        }
        m_state = State::Chunks;
    } else if (!length.isEmpty()) {
        if (!parseSize(length, 10, m_remaining) || m_remaining > m_maxBytes) {
            fail();
            return false;
        }
        m_state = m_remaining == 0 ? State::Complete : State::Body;
    } else if (m_status == 204 || m_status == 304) {
        m_state = State::Complete;
    } else {
        m_state = State::UntilClose;
    }
    return true;
}

bool HttpResponseReader::readChunks()
{
    for (;;) {
        const int lineEnd = m_buffer.indexOf("\r\n");
        if (lineEnd < 0)
            return false;
        QByteArray sizeText = m_buffer.left(lineEnd);
        const int extension = sizeText.indexOf(';');
        if (extension >= 0)
            sizeText.truncate(extension);
        qint64 size = 0;
        if (!parseSize(sizeText, 16, size) || size > m_maxBytes) {
            fail();
            return false;
        }
        if (size == 0) {
            // The last chunk; trailers (ignored) end with an empty line.
            const int trailerEnd = m_buffer.indexOf("\r\n\r\n", lineEnd);
            if (trailerEnd < 0 && m_buffer.mid(lineEnd, 4) != "\r\n\r\n")
                return false;
            m_state = State::Complete;
            m_buffer.clear();
            return true;
        }
        if (m_buffer.size() < lineEnd + 2 + size + 2)
            return false;
        if (m_buffer.mid(int(lineEnd + 2 + size), 2) != "\r\n") {
            fail();
            return false;
        }
        m_body += m_buffer.mid(lineEnd + 2, int(size));
        m_buffer.remove(0, int(lineEnd + 2 + size + 2));
    }
}
