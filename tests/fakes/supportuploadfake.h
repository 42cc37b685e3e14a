#pragma once

#include "fakes/fakehttpserver.h"

#include <QList>

// The maker's support upload service played on 127.0.0.1 (HTTPS with a
// certificate of the test CA, TestCerts::caPem()). It records every request
// and answers posts to the upload path with the status set (200 unless told
// otherwise); any other path gets 404.
class SupportUploadFake
{
public:
    static const char* uploadPath() { return "/php/fileupload2.php"; }

    SupportUploadFake();
    bool start();

    // "127.0.0.1:PORT", as the configuration's web host takes it.
    QString hostAndPort() const { return m_server.hostAndPort(); }
    void setStatus(int status) { m_status = status; }

    QList<RecordedRequest> requests() const { return m_server.requests(); }

private:
    FakeHttpServer m_server;
    int m_status = 200;
};
