#include "print/esign/quillordocumentupload.h"

#include "companion/core/jsonutil.h"
#include "companion/core/messages.h"
#include "companion/core/prompter.h"
#include "companion/core/qwebclient.h"
#include "companion/forms/catalogue.h"
#include "print/esign/quillortaxpayer.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const char* const kUploadPath = "/api/signature-requests";
const char* const kUploadField = "document_file";
const char* const kExpiresInDays = "30";
const char* const kSigningPosition = "[{\"page\": 0}]";

QString tr(const char* text)
{
    return QCoreApplication::translate("QuillorDocumentUpload", text);
}

// What tells an e-delivery from an e-signature request.
struct KindTexts
{
    const char* func;
    const char* titleStart;
    const char* question;
};

KindTexts textsOf(QuillorDocumentUpload::Kind kind)
{
    if (kind == QuillorDocumentUpload::Kind::Signature)
        return {"QUILLOR", "Send Document for E-Signature through ",
                "An E-Signature link email will be sent to %1. Client can access to sign the file using %2 "
                "(last 4 digits of the S.I.N.) as password."};
    return {"DOCDELI", "Send Document for E-Delivery through ",
            "An E-Delivery link email will be sent to %1. Client can download file using %2 "
            "(last 4 digits of the S.I.N.) as password."};
}

struct FormCodeRow
{
    ENUMTYPE_FORM form;
    const char* code;
};

// The forms the service knows under their own codes; the delivery of any
// other print is the general return.
const FormCodeRow kDeliveryCodes[] = {{FORM_T1135, "T1135"}, {FORM_RESERVED_177, "T1134"}};
const FormCodeRow kSignatureCodes[] = {{FORM_T183, "T183"}, {FORM_T185, "T185"}, {FORM_T1013, "T1013"}};

} // namespace

QString QuillorDocumentUpload::formCode(Kind kind, ENUMTYPE_FORM form)
{
    if (kind == Kind::Signature) {
        for (const FormCodeRow& row : kSignatureCodes)
            if (row.form == form)
                return QString::fromLatin1(row.code);
        return QString::fromUtf8(getFormCode(form));
    }
    for (const FormCodeRow& row : kDeliveryCodes)
        if (row.form == form)
            return QString::fromLatin1(row.code);
    return QStringLiteral("T1GEN");
}

QuillorDocumentUpload::Outcome QuillorDocumentUpload::submit(const QuillorDocument& document,
                                                             bool withSigningPosition)
{
    Outcome outcome;
    if (!m_client.readyToQuillorCA())
        return outcome;

    // The taxpayer opens the file with the last four digits of the S.I.N.;
    // without them there is no password to give, so nothing is sent.
    const QString password = QuillorTaxpayer::documentPassword(document.sin);
    if (password.isEmpty()) {
        outcome.shown = QuillorTaxpayer::incompleteSinText();
        m_client.tell(outcome.shown, true);
        return outcome;
    }

    const KindTexts texts = textsOf(m_kind);
    const QString site = QuillorClient::url(m_client.settings().server, QString());
    const FeatureContext& context = m_client.context();
    PromptContent question = continueQuestion(tr(texts.titleStart) + site);
    question.setLine(2, tr(texts.question).arg(document.toEmail, password));
    QString unused;
    if (context.prompterToUse().prompt(context.dialogParent, question, unused) != Prompt::Accepted)
        return outcome;

    // The service signs and files the request under the S.I.N.'s digits,
    // whichever way the T1 writes them.
    const QString sin = QuillorTaxpayer::normalisedSin(document.sin);
    const QString form = formCode(m_kind, document.form);
    CString msg1;
    QuillorClient::_formDocServiceMsg1(texts.func, form, sin, msg1);

    QWebClient web(m_client.url(QString::fromLatin1(kUploadPath)), document.pdfPath,
                   QFileInfo(document.pdfPath).fileName(), QString::fromLatin1(kUploadField));
    web.addQueryItem(QStringLiteral("email"), document.toEmail);
    web.addQueryItem(QStringLiteral("password"), password);
    web.addQueryItem(QStringLiteral("licdata"), sin);
    web.addQueryItem(QStringLiteral("expires_in_days"), QString::fromLatin1(kExpiresInDays));
    if (m_kind == Kind::Signature && withSigningPosition)
        web.addQueryItem(QStringLiteral("date_pos"), QString::fromLatin1(kSigningPosition));
    web.addQueryItem(QStringLiteral("sw"), QString::fromLatin1(QuillorClient::kSoftwareCode));
    web.addQueryItem(QStringLiteral("func"), QString::fromLatin1(texts.func));
    web.addQueryItem(QStringLiteral("form"), form);
    web.addQueryItem(QStringLiteral("sender_note"),
                     QStringLiteral("This is for %1 (tax year %2), default password is last 4 digits of SIN")
                         .arg(document.firstName, QString::fromLatin1(QuillorClient::kTaxYear)));
    web.addQueryItem(QStringLiteral("msg1"), QuillorClient::msg1Digest(msg1));
    web.addQueryItem(QStringLiteral("login_type"), QString::fromLatin1(QuillorClient::kLoginType));

    const QuillorReply reply = m_client.post(web, QuillorClient::Auth::Basic);
    outcome.sent = true;

    if (!reply.arrived) {
        outcome.shown = QString::fromLatin1(s_msg_network_fail);
    } else {
        // The service words acceptance and refusal alike; its text is shown.
        JsonUtil json;
        QString message;
        const bool parsed = json.parseString(reply.body) == JsonUtil::kOk;
        if (parsed)
            json.getStrParam(QStringLiteral("message"), message);
        outcome.shown = message.isEmpty() ? QuillorClient::invalidResultText(reply.body) : message;
        if (m_kind == Kind::Signature && parsed
            && json.getIntParam(QStringLiteral("sr_id"), outcome.requestId) == JsonUtil::kOk) {
            outcome.hasRequestId = true;
            qInfo("send esign, returns srcID: %d", outcome.requestId);
        }
    }
    m_client.tell(outcome.shown, false);
    return outcome;
}
