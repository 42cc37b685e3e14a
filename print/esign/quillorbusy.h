#pragma once

// What the window does while a request to the e-signature service runs. The
// client blocks until the reply comes; the ui part shows the wait cursor and
// holds back the window's input (a second click, closing the window) until
// the request is over. Requests with no indicator show nothing.
class QuillorBusyIndicator
{
public:
    virtual ~QuillorBusyIndicator();
    virtual void requestStarted() = 0;
    virtual void requestFinished() = 0;
};

// Marks one request as running for as long as it lives.
class QuillorBusyScope
{
public:
    explicit QuillorBusyScope(QuillorBusyIndicator* indicator) : m_indicator(indicator)
    {
        if (m_indicator)
            m_indicator->requestStarted();
    }
    ~QuillorBusyScope()
    {
        if (m_indicator)
            m_indicator->requestFinished();
    }
    QuillorBusyScope(const QuillorBusyScope&) = delete;
    QuillorBusyScope& operator=(const QuillorBusyScope&) = delete;

private:
    QuillorBusyIndicator* m_indicator;
};
