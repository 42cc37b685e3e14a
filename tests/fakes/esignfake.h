#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// Starts the e-signature service's stand-in (fakes/esign) for one test and
// talks to it through its files: the accounts it knows, the scripted replies
// and the recorder. Its certificate comes from a throw-away CA that openssl
// makes at test time; a client trusts it only through caFile().
class EsignFake
{
public:
    enum class Issuer { TestCa, UnknownCa };

    // accounts: e-mail -> password, or e-mail -> {"password", "points",
    // "subscription", "subscriptionStatus"}.
    explicit EsignFake(const QJsonObject& accounts = QJsonObject(), Issuer issuer = Issuer::TestCa);
    ~EsignFake();
    EsignFake(const EsignFake&) = delete;
    EsignFake& operator=(const EsignFake&) = delete;

    bool isRunning() const { return m_port > 0; }
    QString failure() const { return m_failure; }
    int port() const { return m_port; }
    QString hostAndPort() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    // The CA the program is to trust (the test CA, whoever signed the server).
    static QString caFile();

    // The folder the service serves under "/files/".
    QString filesFolder() const { return m_dir.filePath(QStringLiteral("files")); }

    // The configuration lines that point the program at this service.
    QByteArray configLines() const;
    // Writes "gr_path.ini" into folder: test mode, this host, the test CA.
    bool writeConfig(const QString& folder) const;

    // The replies of a path's next requests, in order; every path's queue
    // starts again from its first reply.
    void script(const QString& path, const QJsonArray& replies);
    static QJsonObject reply(int status, const QByteArray& body, int delayMs = 0);
    static QJsonObject closed(int delayMs = 0);

    // The requests recorded so far, in order.
    QList<QJsonObject> records() const;
    // The form items of one record, in order, as "name=value".
    static QStringList items(const QJsonObject& record);

    // Makes the test CAs and server certificates once per process; false
    // (with the reason) when openssl could not.
    static bool makeCertificates(QString& why);

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_failure;
    int m_port = 0;
    QJsonObject m_control;
    int m_generation = 0;
};
