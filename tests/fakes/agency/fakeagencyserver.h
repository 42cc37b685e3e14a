#pragma once

#include "fakes/agency/agencycerts.h"
#include "fakes/agency/agencyrecorder.h"
#include "fakes/agency/agencyscript.h"

#include <QObject>
#include <QString>
#include <QThread>

class AgencyListener;

// The agency's filing services played on this machine for tests: HTTPS on
// 127.0.0.1, ports the system picks, on a thread of its own, so that a
// client waiting on the test's thread is answered meanwhile.
//
// Three listeners share one script and one recorder: the trusted one with a
// certificate for 127.0.0.1 and "localhost" from the test CA; one whose
// certificate, from the same CA, names another host; and one whose
// certificate comes from a CA the program does not trust.
//
// Each POST to a service path is recorded and answered from the script
// (AgencyScript); any other path gets 404, another method 405. Requests are
// framed by Content-Length and bounded in size; one per connection.
class FakeAgencyServer : public QObject
{
    Q_OBJECT
public:
    enum class Listener { Trusted, OtherHost, Untrusted };
    static constexpr int MaxRequestBytes = 8 * 1024 * 1024;

    explicit FakeAgencyServer(QObject* parent = nullptr);
    ~FakeAgencyServer() override;

    // Starts the thread and the listeners with the certificates of certDir.
    bool start(const QString& certDir = AgencyCerts::dir());
    void stop();
    QString errorString() const { return m_error; }

    quint16 port(Listener listener = Listener::Trusted) const;
    // "127.0.0.1:PORT", as the configuration's host keys take it.
    QString hostAndPort(Listener listener = Listener::Trusted) const;
    // "https://127.0.0.1:PORT" + the endpoint's path.
    QString url(AgencyEndpoint endpoint, Listener listener = Listener::Trusted) const;

    // Closes the listener: its port refuses connections from now on.
    void stopListening(Listener listener = Listener::Trusted);
    bool isListening(Listener listener = Listener::Trusted) const;

    AgencyScript& script() { return m_script; }
    AgencyRecorder& recorder() { return m_recorder; }

signals:
    // Emitted on the server's thread after each recorded request.
    void requestRecorded(const AgencyRequest& request);

private:
    friend class AgencyListener;
    AgencyListener* listener(Listener which) const;

    AgencyScript m_script;
    AgencyRecorder m_recorder;
    QThread m_thread;
    AgencyListener* m_listeners[3] = {nullptr, nullptr, nullptr};
    quint16 m_ports[3] = {0, 0, 0};
    QString m_error;
};
