#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// One HTTP request as a loopback fake server received it, with readers for
// the body shapes the program sends (form items, multipart parts).
struct RecordedRequest
{
    struct Part
    {
        QByteArray name;
        QByteArray fileName; // empty for a plain field
        QByteArray contentType;
        QByteArray body;
    };

    QByteArray method;  // "POST"
    QByteArray target;  // "/path?query" as sent
    QByteArray version; // "HTTP/1.1"
    QList<QPair<QByteArray, QByteArray>> headers; // in the order received
    QByteArray body;
    QByteArray raw;     // the whole request as received

    // Parses one framed request; false when the request line is malformed.
    static bool parse(const QByteArray& raw, RecordedRequest& out);

    QByteArray path() const;  // target without the query
    QByteArray query() const; // after "?", empty without one
    // First header of that name (case ignored), empty when absent.
    QByteArray header(const QByteArray& name) const;
    // application/x-www-form-urlencoded items of the body, decoded, in order.
    QList<QPair<QString, QString>> formItems() const;
    // multipart/form-data parts of the body, in order; empty when not multipart.
    QList<Part> parts() const;
};
