#pragma once

#include "companion/forms/taxtypes.h"
#include "print/esign/quillorclient.h"

#include <QString>

// A printed PDF and whom it is for.
struct QuillorDocument
{
    ENUMTYPE_FORM form = 0; // the form printed alone, 0 for the whole return
    QString toEmail;        // the receiver, sent exactly as typed
    QString sin;            // the taxpayer's S.I.N. as on the T1
    QString firstName;      // named in the note that goes with the file
    QString pdfPath;
};

// Sends a printed PDF to the taxpayer through the e-signature service:
// either for e-delivery (a download link) or as an e-signature request (a
// link to sign). Both confirm with the user first, upload the file with the
// items the service expects and show the service's answer.
class QuillorDocumentUpload
{
public:
    enum class Kind { Delivery, Signature };

    struct Outcome
    {
        bool sent = false;      // the upload was posted
        QString shown;          // the message shown afterwards, empty when none
        bool hasRequestId = false;
        int requestId = 0;      // a signature request's id, as the service numbered it
    };

    QuillorDocumentUpload(QuillorClient& client, Kind kind) : m_client(client), m_kind(kind) {}

    // The form code the service files the document under.
    static QString formCode(Kind kind, ENUMTYPE_FORM form);

    // withSigningPosition (signature requests only) asks the service to place
    // the date on the first page.
    Outcome submit(const QuillorDocument& document, bool withSigningPosition = false);

private:
    QuillorClient& m_client;
    Kind m_kind;
};
