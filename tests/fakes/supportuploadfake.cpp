#include "fakes/supportuploadfake.h"

#include "fakes/testcerts.h"

SupportUploadFake::SupportUploadFake()
{
    m_server.setHandler([this](const RecordedRequest& request) {
        if (request.method != "POST" || request.path() != uploadPath())
            return FakeReply::text(404, "not found");
        return FakeReply::text(m_status, m_status == 200 ? "received" : "failed");
    });
}

bool SupportUploadFake::start()
{
    return m_server.startTls(TestCerts::serverPem(), TestCerts::serverKey());
}
