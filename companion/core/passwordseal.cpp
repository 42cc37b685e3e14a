#include "companion/core/passwordseal.h"

#include <QCryptographicHash>
#include <QPasswordDigestor>
#include <QRandomGenerator>
#include <QStringList>

namespace {

const QString kScheme = QStringLiteral("pbkdf2-sha256");
constexpr int kSaltBytes = 16;
constexpr int kKeyBytes = 32;
// A seal read from a file names its own cost; one far beyond ours would
// stall the program and is not one of ours.
constexpr int kMinIterations = 1000;
constexpr int kMaxIterations = 10000000;

struct ParsedSeal
{
    int iterations = 0;
    QByteArray salt;
    QByteArray key;
};

bool decode(const QString& text, int bytes, QByteArray& out)
{
    const QByteArray::FromBase64Result result =
        QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!result || result.decoded.size() != bytes || result.decoded.toBase64() != text.toLatin1())
        return false;
    out = result.decoded;
    return true;
}

bool parse(const QString& text, ParsedSeal& seal)
{
    // "" before the first '$', then scheme, iterations, salt and key.
    const QStringList parts = text.split(QLatin1Char('$'));
    if (parts.size() != 5 || !parts[0].isEmpty() || parts[1] != kScheme)
        return false;
    bool number = false;
    seal.iterations = parts[2].toInt(&number);
    return number && parts[2] == QString::number(seal.iterations) && seal.iterations >= kMinIterations
           && seal.iterations <= kMaxIterations && decode(parts[3], kSaltBytes, seal.salt)
           && decode(parts[4], kKeyBytes, seal.key);
}

QByteArray derive(const QString& password, const QByteArray& salt, int iterations)
{
    return QPasswordDigestor::deriveKeyPbkdf2(QCryptographicHash::Sha256, password.toUtf8(), salt,
                                              iterations, kKeyBytes);
}

bool sameBytes(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (int i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace

namespace PasswordSeal {

QString seal(const QString& password)
{
    QByteArray salt(kSaltBytes, Qt::Uninitialized);
    QRandomGenerator::system()->generate(salt.begin(), salt.end());
    const QByteArray key = derive(password, salt, kIterations);
    const QChar separator(QLatin1Char('$'));
    return separator + kScheme + separator + QString::number(kIterations) + separator
           + QString::fromLatin1(salt.toBase64()) + separator + QString::fromLatin1(key.toBase64());
}

bool isSeal(const QString& text)
{
    ParsedSeal parsed;
    return parse(text, parsed);
}

bool matches(const QString& seal, const QString& entered)
{
    ParsedSeal parsed;
    return parse(seal, parsed) && sameBytes(derive(entered, parsed.salt, parsed.iterations), parsed.key);
}

} // namespace PasswordSeal
