#pragma once

#include <QByteArray>

// Cuts a byte stream from one connection into whole HTTP requests: the header
// up to the first blank line (CRLF or bare LF), then as many body bytes as
// Content-Length says. Anything it cannot frame safely - a request larger than
// the limit, a malformed or conflicting Content-Length, or a chunked body -
// puts it in the failed state, after which the connection should be dropped.
class HttpRequestFramer
{
public:
    explicit HttpRequestFramer(int maxRequestBytes = 1024 * 1024);

    // One request per connection, and only its request line: a request is
    // complete at the first line end, and whatever follows it is ignored.
    // For listeners that read nothing but the request line.
    void setRequestLineOnly(bool on) { m_lineOnly = on; }
    // With setRequestLineOnly: the request is still complete at its request
    // line, but is taken with whatever of its header came with it (a browser
    // writes its whole header at once), up to the blank line that ends the
    // header. For a listener that must not wait for a header, yet looks at
    // one when it is there.
    void setKeepArrivedHeader(bool on) { m_keepArrivedHeader = on; }

    // Adds received bytes. Returns false once the stream is unusable.
    bool append(const QByteArray& bytes);

    // Moves the next complete request, header and body, into request.
    // Returns false when no complete request is buffered.
    bool takeRequest(QByteArray& request);

    bool hasFailed() const { return m_failed; }
    // True while part of a request is buffered but not yet complete.
    bool hasPartialRequest() const { return !m_buffer.isEmpty(); }
    int maxRequestBytes() const { return m_maxRequestBytes; }

private:
    // Length of the complete request at the front of the buffer, 0 when it is
    // still incomplete, -1 when it can never be framed.
    qint64 frontRequestLength() const;
    void dropLeadingBlankLines();
    static qint64 contentLength(const QByteArray& header);

    QByteArray m_buffer;
    int m_maxRequestBytes;
    bool m_failed = false;
    bool m_lineOnly = false;
    bool m_keepArrivedHeader = false;
    bool m_taken = false; // request-line mode: the one request was taken
};
