#include "esignservice.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace {

const char* const kSharedKey = "Q7M2X8K4V1R9T3W6Z5H0B2N8";
const char* const kSoftwareCode = "T1KW2024";

QJsonObject readObject(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

FakeReply jsonReply(const QJsonObject& object, int status = 200)
{
    return FakeReply::json(QJsonDocument(object).toJson(QJsonDocument::Compact), status);
}

FakeReply error(int status, const QString& why)
{
    return jsonReply(QJsonObject{{"error", why}}, status);
}

QStringList names(const QList<QPair<QString, QString>>& items)
{
    QStringList out;
    for (const auto& item : items)
        out << item.first;
    return out;
}

QString value(const QList<QPair<QString, QString>>& items, const QString& name)
{
    for (const auto& item : items)
        if (item.first == name)
            return item.second;
    return QString();
}

QString msg1Of(const QString& func, const QString& form, const QString& id)
{
    const QString text = kSoftwareCode + func + kSoftwareCode + '_' + form + id + kSharedKey;
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex());
}

QPair<QByteArray, QByteArray> authorization(const RecordedRequest& request)
{
    const QByteArray header = request.header("Authorization");
    if (header.isEmpty())
        return {"none", QByteArray()};
    const int space = header.indexOf(' ');
    if (space < 0)
        return {header, QByteArray()};
    return {header.left(space), header.mid(space + 1)};
}

} // namespace

EsignService::EsignService(const Options& options)
    : m_accounts(readObject(options.accountsFile)), m_options(options)
{
}

QJsonObject EsignService::account(const QString& email) const
{
    const QJsonValue entry = m_accounts.value(email);
    if (entry.isString())
        return QJsonObject{{"password", entry.toString()}, {"points", 10}};
    return entry.toObject();
}

bool EsignService::scripted(const QByteArray& path, FakeReply& out)
{
    const QJsonObject control = readObject(m_options.controlFile);
    const qint64 generation = qint64(control.value("generation").toDouble(-1));
    if (generation != m_generation) {
        m_generation = generation;
        m_served.clear();
    }
    const QJsonArray queue = control.value(QString::fromUtf8(path)).toArray();
    const int next = m_served.value(path);
    if (next >= queue.size())
        return false;
    const QJsonObject entry = queue.at(next).toObject();
    if (entry.value("close").toBool()) {
        // A client may send again on a new connection when one closes before
        // any reply (Qt does): the service stays down for that path.
        out = FakeReply::closed(entry.value("delayMs").toInt());
        return true;
    }
    m_served[path] = next + 1;
    out = FakeReply::json(entry.value("body").toString().toUtf8(), entry.value("status").toInt(200));
    out.delayMs = entry.value("delayMs").toInt();
    return true;
}

void EsignService::record(const RecordedRequest& request, const Items& items, const RecordedRequest::Part* upload)
{
    const auto auth = authorization(request);
    QJsonArray itemArray;
    for (const auto& item : items)
        itemArray.append(QJsonArray{item.first, item.second});
    QJsonObject line{{"method", QString::fromLatin1(request.method)},
                     {"path", QString::fromUtf8(request.target)},
                     {"authKind", QString::fromLatin1(auth.first)},
                     {"authValue", QString::fromLatin1(auth.second)},
                     {"items", itemArray}};
    if (upload) {
        line.insert("upload", QJsonObject{
            {"name", QString::fromUtf8(upload->name)},
            {"fileName", QString::fromUtf8(upload->fileName)},
            {"size", upload->body.size()},
            {"sha256", QString::fromLatin1(QCryptographicHash::hash(upload->body, QCryptographicHash::Sha256).toHex())}});
    }
    QFile file(m_options.recordFile);
    if (file.open(QIODevice::Append))
        file.write(QJsonDocument(line).toJson(QJsonDocument::Compact) + '\n');
}

FakeReply EsignService::handle(const RecordedRequest& request)
{
    Items items = request.formItems();
    const QList<RecordedRequest::Part> parts = request.parts();
    const RecordedRequest::Part* upload = nullptr;
    if (!parts.isEmpty()) {
        items.clear();
        for (const RecordedRequest::Part& part : parts) {
            if (part.fileName.isEmpty())
                items.append(qMakePair(QString::fromUtf8(part.name), QString::fromUtf8(part.body)));
            else
                upload = &part;
        }
    }
    record(request, items, upload);

    const QByteArray path = request.path();
    FakeReply reply;
    if (scripted(path, reply))
        return reply;

    if (request.method == "GET" && path.startsWith("/files/"))
        return download(path);
    if (request.method != "POST")
        return error(405, "method not allowed");
    if (path == "/api/user/login")
        return login(items);
    if (path == "/api/user/verify")
        return verify(items);
    if (path == "/api/signature-requests")
        return signatureRequest(request, items, upload);
    if (path.startsWith("/api/signature-requests/"))
        return signatureStatus(request, path.mid(int(strlen("/api/signature-requests/"))));
    if (path == "/api/filing")
        return filing(request, items);
    if (path == "/api/templates/latest")
        return templates(request, items);
    return error(404, "no such endpoint");
}

FakeReply EsignService::login(const Items& items)
{
    if (names(items) != QStringList{"email", "password"})
        return error(400, "items out of order");
    const QJsonObject user = account(value(items, "email"));
    if (user.isEmpty() || user.value("password").toString() != value(items, "password"))
        return error(401, "invalid credentials");
    const QString token = QStringLiteral("tok-%1").arg(m_nextToken++);
    m_tokens.insert(token);
    return jsonReply(QJsonObject{{"access_token", token}});
}

FakeReply EsignService::verify(const Items& items)
{
    if (names(items) != QStringList{"email", "password", "msg", "formname", "sfwrver"})
        return error(400, "items out of order");
    const QJsonObject user = account(value(items, "email"));
    if (user.isEmpty() || user.value("password").toString() != value(items, "password"))
        return jsonReply(QJsonObject{{"points", -3}, {"subscriptionStatus", "invalid credentials"}});
    QJsonObject out{{"points", user.value("points").toInt()}};
    for (const char* key : {"subscription", "subscriptionStatus"})
        if (user.contains(key))
            out.insert(key, user.value(key));
    return jsonReply(out);
}

QString EsignService::basicAccount(const RecordedRequest& request) const
{
    const auto auth = authorization(request);
    if (auth.first != "Basic")
        return QString();
    const QString plain = QString::fromUtf8(QByteArray::fromBase64(auth.second));
    const int colon = plain.indexOf(':');
    if (colon < 0)
        return QString();
    const QString email = plain.left(colon);
    const QJsonObject user = account(email);
    return !user.isEmpty() && user.value("password").toString() == plain.mid(colon + 1) ? email : QString();
}

bool EsignService::bearerValid(const RecordedRequest& request) const
{
    const auto auth = authorization(request);
    return auth.first == "Bearer" && m_tokens.contains(QString::fromLatin1(auth.second));
}

FakeReply EsignService::signatureRequest(const RecordedRequest& request, const Items& items,
                                         const RecordedRequest::Part* upload)
{
    if (basicAccount(request).isEmpty())
        return error(401, "invalid credentials");
    QStringList expected{"email", "password", "licdata", "expires_in_days", "sw", "func",
                         "form", "sender_note", "msg1", "login_type"};
    if (names(items).contains("date_pos"))
        expected.insert(4, "date_pos");
    if (names(items) != expected)
        return error(400, "items out of order");
    if (!upload || upload->name != "document_file")
        return error(400, "no document_file");
    if (value(items, "msg1") != msg1Of(value(items, "func"), value(items, "form"), value(items, "licdata")))
        return error(400, "msg1 does not match");
    return jsonReply(QJsonObject{{"message", "Request sent."}, {"sr_id", m_nextRequestId++}});
}

FakeReply EsignService::signatureStatus(const RecordedRequest& request, const QByteArray& id)
{
    if (!bearerValid(request))
        return error(401, "invalid token");
    return jsonReply(QJsonObject{{"sr_id", id.toInt()}, {"status", "pending"}});
}

FakeReply EsignService::filing(const RecordedRequest& request, const Items& items)
{
    if (basicAccount(request).isEmpty())
        return error(401, "invalid credentials");
    const QStringList expected{"licdata", "sw", "func", "form", "msg1", "taxpayer_name", "taxpayer_phone",
                               "login_type", "filed_at", "tax_year_end", "status", "confirmation_code",
                               "filing_message"};
    if (names(items) != expected)
        return error(400, "items out of order");
    if (value(items, "msg1") != msg1Of(value(items, "func"), value(items, "form"), value(items, "licdata")))
        return error(400, "msg1 does not match");
    return jsonReply(QJsonObject{{"message", "Recorded."}});
}

FakeReply EsignService::templates(const RecordedRequest& request, const Items& items)
{
    if (!bearerValid(request))
        return error(401, "invalid token");
    if (names(items) != QStringList{"software_name", "software_version", "type", "version_info_only"})
        return error(400, "items out of order");
    const QString base = QStringLiteral("https://%1/files/").arg(m_ownAddress);
    const QJsonObject latest{{"template_version", 3},
                             {"template_pdf_url", base + "t1_clientletter.pdf"},
                             {"template_xml_url", base + "t1_clientletter.xml"}};
    return jsonReply(QJsonObject{{"success", true}, {"data", QJsonArray{latest}}});
}

FakeReply EsignService::download(const QByteArray& path) const
{
    const QString name = QString::fromUtf8(path.mid(int(strlen("/files/"))));
    // Only plain names inside the files folder.
    if (m_options.filesDir.isEmpty() || name.isEmpty() || name.contains('/') || name.startsWith('.'))
        return FakeReply::text(404, "not found");
    QFile file(QDir(m_options.filesDir).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return FakeReply::text(404, "not found");
    FakeReply reply = FakeReply::text(200, file.readAll());
    reply.contentType = "application/octet-stream";
    return reply;
}
