#include "fakes/recordedrequest.h"

#include <QUrl>

namespace {

QByteArray formDecode(QByteArray text)
{
    text.replace('+', ' ');
    return QByteArray::fromPercentEncoding(text);
}

// The value of key="..." (or key=token) inside a header such as
// Content-Disposition or Content-Type.
QByteArray headerParameter(const QByteArray& header, const QByteArray& key)
{
    const QList<QByteArray> pieces = header.split(';');
    for (const QByteArray& piece : pieces) {
        const QByteArray p = piece.trimmed();
        const int eq = p.indexOf('=');
        if (eq <= 0 || p.left(eq).trimmed().toLower() != key)
            continue;
        QByteArray value = p.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        return value;
    }
    return QByteArray();
}

} // namespace

bool RecordedRequest::parse(const QByteArray& raw, RecordedRequest& out)
{
    out = RecordedRequest();
    out.raw = raw;
    int headerEnd = raw.indexOf("\r\n\r\n");
    int separator = 4;
    const int lfEnd = raw.indexOf("\n\n");
    if (headerEnd < 0 || (lfEnd >= 0 && lfEnd < headerEnd)) {
        headerEnd = lfEnd;
        separator = 2;
    }
    if (headerEnd < 0)
        return false;
    out.body = raw.mid(headerEnd + separator);

    const QList<QByteArray> lines = raw.left(headerEnd).split('\n');
    const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
    if (requestLine.size() != 3)
        return false;
    out.method = requestLine.at(0);
    out.target = requestLine.at(1);
    out.version = requestLine.at(2);
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        const int colon = line.indexOf(':');
        if (colon > 0)
            out.headers.append(qMakePair(line.left(colon).trimmed(), line.mid(colon + 1).trimmed()));
    }
    return true;
}

QByteArray RecordedRequest::path() const
{
    const int q = target.indexOf('?');
    return q < 0 ? target : target.left(q);
}

QByteArray RecordedRequest::query() const
{
    const int q = target.indexOf('?');
    return q < 0 ? QByteArray() : target.mid(q + 1);
}

QByteArray RecordedRequest::header(const QByteArray& name) const
{
    const QByteArray wanted = name.toLower();
    for (const auto& h : headers) {
        if (h.first.toLower() == wanted)
            return h.second;
    }
    return QByteArray();
}

QList<QPair<QString, QString>> RecordedRequest::formItems() const
{
    QList<QPair<QString, QString>> items;
    if (body.isEmpty())
        return items;
    const QList<QByteArray> pairs = body.split('&');
    for (const QByteArray& pair : pairs) {
        const int eq = pair.indexOf('=');
        const QByteArray name = eq < 0 ? pair : pair.left(eq);
        const QByteArray value = eq < 0 ? QByteArray() : pair.mid(eq + 1);
        items.append(qMakePair(QString::fromUtf8(formDecode(name)), QString::fromUtf8(formDecode(value))));
    }
    return items;
}

QList<RecordedRequest::Part> RecordedRequest::parts() const
{
    QList<Part> result;
    const QByteArray type = header("Content-Type");
    if (!type.toLower().startsWith("multipart/"))
        return result;
    const QByteArray boundary = headerParameter(type, "boundary");
    if (boundary.isEmpty())
        return result;

    const QByteArray delimiter = "--" + boundary;
    int pos = body.indexOf(delimiter);
    while (pos >= 0) {
        pos += delimiter.size();
        if (body.mid(pos, 2) == "--")
            break; // closing delimiter
        const int next = body.indexOf("\r\n" + delimiter, pos);
        if (next < 0)
            break;
        const QByteArray chunk = body.mid(pos, next - pos); // starts with CRLF
        const int split = chunk.indexOf("\r\n\r\n");
        if (split >= 0) {
            Part part;
            const QList<QByteArray> lines = chunk.left(split).split('\n');
            for (const QByteArray& rawLine : lines) {
                const QByteArray line = rawLine.trimmed();
                const int colon = line.indexOf(':');
                if (colon <= 0)
                    continue;
                const QByteArray name = line.left(colon).trimmed().toLower();
                const QByteArray value = line.mid(colon + 1).trimmed();
                if (name == "content-disposition") {
                    part.name = headerParameter(value, "name");
                    part.fileName = headerParameter(value, "filename");
                } else if (name == "content-type") {
                    part.contentType = value;
                }
            }
            part.body = chunk.mid(split + 4);
            result.append(part);
        }
        pos = next + 2;
    }
    return result;
}
