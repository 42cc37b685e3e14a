#include "fakes/esignfake.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonDocument>

#include <memory>

namespace {

constexpr int kStartTimeoutMs = 15000;

QTemporaryDir& certificateDir()
{
    static QTemporaryDir dir;
    return dir;
}

QString certificatePath(const QString& name)
{
    return certificateDir().filePath(name);
}

bool run(const QStringList& arguments, QString& why)
{
    QProcess openssl;
    openssl.setWorkingDirectory(certificateDir().path());
    openssl.start(QStringLiteral("openssl"), arguments);
    if (!openssl.waitForFinished(60000) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
        why = QStringLiteral("openssl %1: %2").arg(arguments.join(' '),
                                                   QString::fromLocal8Bit(openssl.readAllStandardError()));
        return false;
    }
    return true;
}

// A CA, and a server certificate for 127.0.0.1 signed by it.
bool makePair(const QString& ca, const QString& server, QString& why)
{
    const QString extensions = certificatePath(QStringLiteral("server.ext"));
    QFile ext(extensions);
    if (!ext.exists()) {
        if (!ext.open(QIODevice::WriteOnly))
            return false;
        ext.write("basicConstraints=critical,CA:FALSE\n"
                  "keyUsage=critical,digitalSignature,keyEncipherment\n"
                  "extendedKeyUsage=serverAuth\n"
                  "subjectAltName=IP:127.0.0.1,DNS:localhost\n");
        ext.close();
    }
    return run({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=" + ca,
                "-keyout", ca + ".key", "-out", ca + ".pem",
                "-addext", "basicConstraints=critical,CA:TRUE",
                "-addext", "keyUsage=critical,keyCertSign,cRLSign"}, why)
        && run({"req", "-new", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=127.0.0.1",
                "-keyout", server + ".key", "-out", server + ".csr"}, why)
        && run({"x509", "-req", "-in", server + ".csr", "-CA", ca + ".pem", "-CAkey", ca + ".key",
                "-CAcreateserial", "-days", "2", "-extfile", extensions, "-out", server + ".pem"}, why);
}

} // namespace

bool EsignFake::makeCertificates(QString& why)
{
    static bool made = false;
    static QString failure;
    if (!made && failure.isEmpty()) {
        if (!certificateDir().isValid())
            failure = QStringLiteral("no temporary folder for the certificates");
        else if (makePair(QStringLiteral("esign-ca"), QStringLiteral("esign-server"), failure)
                 && makePair(QStringLiteral("unknown-ca"), QStringLiteral("unknown-server"), failure))
            made = true;
    }
    why = failure;
    return made;
}

QString EsignFake::caFile()
{
    return certificatePath(QStringLiteral("esign-ca.pem"));
}

EsignFake::EsignFake(const QJsonObject& accounts, Issuer issuer)
{
    if (!makeCertificates(m_failure))
        return;
    const QString accountsFile = m_dir.filePath(QStringLiteral("accounts.json"));
    QFile file(accountsFile);
    if (!file.open(QIODevice::WriteOnly)) {
        m_failure = QStringLiteral("cannot write the accounts");
        return;
    }
    file.write(QJsonDocument(accounts).toJson());
    file.close();
    QDir(m_dir.path()).mkpath(QStringLiteral("files"));

    const QString server = issuer == Issuer::TestCa ? QStringLiteral("esign-server") : QStringLiteral("unknown-server");
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(QStringLiteral(VR_ESIGN_FAKE_PROGRAM),
                    {"--cert", certificatePath(server + ".pem"), "--key", certificatePath(server + ".key"),
                     "--accounts", accountsFile, "--control", m_dir.filePath(QStringLiteral("control.json")),
                     "--record", m_dir.filePath(QStringLiteral("record.jsonl")),
                     "--files", m_dir.filePath(QStringLiteral("files"))});
    QDeadlineTimer deadline(kStartTimeoutMs);
    QByteArray out;
    while (!deadline.hasExpired() && !out.contains('\n')) {
        if (!m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
            break;
        out += m_process.readAllStandardOutput();
    }
    const QByteArray line = out.left(out.indexOf('\n')).trimmed();
    if (line.startsWith("PORT "))
        m_port = line.mid(5).toInt();
    if (m_port <= 0)
        m_failure = QStringLiteral("the service did not start: ") + QString::fromLocal8Bit(m_process.readAllStandardError());
}

EsignFake::~EsignFake()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel(); // the service ends when its input closes
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QByteArray EsignFake::configLines() const
{
    return "QuillorServer=" + hostAndPort().toUtf8() + "\nTestCAFile=" + caFile().toUtf8() + "\n";
}

bool EsignFake::writeConfig(const QString& folder) const
{
    QFile file(QDir(folder).filePath(QStringLiteral("gr_path.ini")));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write("MODEDEBUG=1\n" + configLines()) > 0;
}

void EsignFake::script(const QString& path, const QJsonArray& replies)
{
    m_control.insert(path, replies);
    m_control.insert(QStringLiteral("generation"), ++m_generation);
    QFile file(m_dir.filePath(QStringLiteral("control.json")));
    if (file.open(QIODevice::WriteOnly))
        file.write(QJsonDocument(m_control).toJson());
}

QJsonObject EsignFake::reply(int status, const QByteArray& body, int delayMs)
{
    return QJsonObject{{"status", status}, {"body", QString::fromUtf8(body)}, {"delayMs", delayMs}};
}

QJsonObject EsignFake::closed(int delayMs)
{
    return QJsonObject{{"close", true}, {"delayMs", delayMs}};
}

QList<QJsonObject> EsignFake::records() const
{
    QList<QJsonObject> out;
    QFile file(m_dir.filePath(QStringLiteral("record.jsonl")));
    if (!file.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().isEmpty())
            out << QJsonDocument::fromJson(line).object();
    return out;
}

QStringList EsignFake::items(const QJsonObject& record)
{
    QStringList out;
    for (const QJsonValue& item : record.value(QStringLiteral("items")).toArray()) {
        const QJsonArray pair = item.toArray();
        out << pair.at(0).toString() + '=' + pair.at(1).toString();
    }
    return out;
}
