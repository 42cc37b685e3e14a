#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// Reads one HTTP/1.1 response from the bytes of a connection as they arrive:
// the status line, the headers, then a body framed by Content-Length, by
// chunks, or by the end of the connection. Interim 1xx answers are skipped.
// Anything that cannot be framed safely, or a response larger than the
// limit, puts the reader in the failed state.
class HttpResponseReader
{
public:
    explicit HttpResponseReader(qint64 maxBytes);

    // Adds received bytes; false once the response cannot be read.
    bool append(const QByteArray& bytes);
    // The peer closed the connection: a body framed by the close ends here.
    void endOfStream();

    bool isComplete() const { return m_state == State::Complete; }
    bool hasFailed() const { return m_state == State::Failed; }
    // True once any byte of the response arrived.
    bool hasStarted() const { return m_started; }

    int status() const { return m_status; }
    const QByteArray& body() const { return m_body; }
    QByteArray header(const QByteArray& name) const;

private:
    enum class State { Head, Body, Chunks, UntilClose, Complete, Failed };

    void process();
    bool readHead();
    bool readChunks();
    void fail() { m_state = State::Failed; }

    qint64 m_maxBytes;
    qint64 m_received = 0;
    bool m_started = false;
    State m_state = State::Head;
    QByteArray m_buffer;
    int m_status = 0;
    QList<QPair<QByteArray, QByteArray>> m_headers;
    qint64 m_remaining = 0; // body bytes still expected (Content-Length)
    QByteArray m_body;
};
