#pragma once

#include <QByteArray>
#include <QString>

// One scripted answer of the fake agency: a response (status, body, delay)
// or something a broken network or server does instead.
struct AgencyReply
{
    enum class Action {
        Answer,         // send the response after delayMs
        CloseAfterRead, // read the whole request, record it, close without a word
        CloseAtOnce,    // close as soon as the request line arrives; nothing recorded
    };

    Action action = Action::Answer;
    int status = 200;
    QByteArray body;
    QByteArray contentType = "text/xml; charset=utf-8";
    int delayMs = 0;
    // Close the listener after this reply: later connections are refused.
    bool stopListeningAfter = false;

    // A response whose body is the fixture file (see AgencyFixtures); an
    // ".html" fixture goes out as text/html.
    static AgencyReply fixture(const QString& name, int status = 200, int delayMs = 0);
    static AgencyReply closeAfterRead();
    static AgencyReply closeAtOnce();
    AgencyReply& thenStopListening()
    {
        stopListeningAfter = true;
        return *this;
    }
};

// The fixture files of the fake agency (tests/fakes/agency/fixtures).
namespace AgencyFixtures {
QString path(const QString& name);
// The file's bytes; empty (and a warning) when it cannot be read.
QByteArray read(const QString& name);
} // namespace AgencyFixtures
