#pragma once

#include "fakes/fakehttpserver.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The notice-rendering service's stand-in: HTTPS on 127.0.0.1 on a free port,
// with a certificate of the test CA (caFile(), which the client must trust).
// It records the form items of every POST to the rendering path and answers
// as scripted: a page, HTTP 500, an empty body, or nothing at all (the
// client's time-out then ends the post).
class NoaRenderFake
{
public:
    enum class Answer { Page, ServerError, EmptyBody, Silent };
    using FormItems = QList<QPair<QString, QString>>;

    static const char* renderPath() { return "/expnoaserv/ExpNOAServ"; }
    static QString caFile();

    NoaRenderFake();
    bool start();

    // "127.0.0.1:PORT", as the configuration's NOARenderHost takes it.
    QString hostAndPort() const { return m_server.hostAndPort(); }

    // The answer to the following posts; Page answers with page.
    void setAnswer(Answer answer, const QByteArray& page = defaultPage());
    static QByteArray defaultPage();

    // The form items of each post to the rendering path, in order.
    QList<FormItems> posts() const;
    // Requests to any other path or with another method.
    int strayRequests() const;

private:
    FakeReply reply() const;

    FakeHttpServer m_server;
    Answer m_answer = Answer::Page;
    QByteArray m_page;
};
