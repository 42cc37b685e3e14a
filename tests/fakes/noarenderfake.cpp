#include "fakes/noarenderfake.h"

#include "fakes/testcerts.h"

QString NoaRenderFake::caFile()
{
    return TestCerts::caPem();
}

NoaRenderFake::NoaRenderFake()
    : m_page(defaultPage())
{
    m_server.setHandler([this](const RecordedRequest& request) {
        if (request.method != "POST" || request.path() != renderPath())
            return FakeReply::text(404, "not found");
        return reply();
    });
}

bool NoaRenderFake::start()
{
    return m_server.startTls(TestCerts::serverPem(), TestCerts::serverKey());
}

QByteArray NoaRenderFake::defaultPage()
{
    return "<html><body><h1>Notice of Assessment</h1><p>Assessed as filed</p></body></html>\n";
}

void NoaRenderFake::setAnswer(Answer answer, const QByteArray& page)
{
    m_answer = answer;
    m_page = page;
}

FakeReply NoaRenderFake::reply() const
{
    switch (m_answer) {
    case Answer::Page: {
        FakeReply page = FakeReply::text(200, m_page);
        page.contentType = "text/html; charset=utf-8";
        return page;
    }
    case Answer::ServerError:
        return FakeReply::text(500, "internal error");
    case Answer::EmptyBody:
        return FakeReply::text(200, QByteArray());
    case Answer::Silent:
        return FakeReply::silent();
    }
    return FakeReply::silent();
}

QList<NoaRenderFake::FormItems> NoaRenderFake::posts() const
{
    QList<FormItems> out;
    for (const RecordedRequest& request : m_server.requests()) {
        if (request.method == "POST" && request.path() == renderPath())
            out << request.formItems();
    }
    return out;
}

int NoaRenderFake::strayRequests() const
{
    int stray = 0;
    for (const RecordedRequest& request : m_server.requests())
        stray += request.method == "POST" && request.path() == renderPath() ? 0 : 1;
    return stray;
}
