#include "provincialtestconfig.h"

#include <QFile>

namespace {

template <typename List, typename Value>
void appendBounded(List& list, const Value& value)
{
    if (list.size() < ProvincialTestConfig::kMaxEntries)
        list.push_back(value);
}

bool toDouble(const QString& text, double& value)
{
    bool ok = false;
    const double parsed = text.trimmed().toDouble(&ok);
    if (ok)
        value = parsed;
    return ok;
}

bool toInt(const QString& text, int& value)
{
    bool ok = false;
    const int parsed = text.trimmed().toInt(&ok);
    if (ok)
        value = parsed;
    return ok;
}

void apply(ProvincialTestConfig& config, const QString& key, const QString& value)
{
    double amount = 0.0;
    int number = 0;
    if (key == QLatin1String("validate")) {
        appendBounded(config.validateMessages, CString(value));
    } else if (key == QLatin1String("coupled")) {
        appendBounded(config.coupledMessages, CString(value));
    } else if (key == QLatin1String("prefiling")) {
        appendBounded(config.preFilingMessages, CString(value));
    } else if (key == QLatin1String("threshold")) {
        if (toDouble(value, amount))
            appendBounded(config.thresholds, amount);
    } else if (key == QLatin1String("related")) {
        const QStringList pair = value.split(QLatin1Char(':'));
        int federal = 0;
        int provincial = 0;
        if (pair.size() == 2 && toInt(pair[0], federal) && toInt(pair[1], provincial)
            && config.relatedForms.size() < ProvincialTestConfig::kMaxEntries)
            config.relatedForms[federal] = provincial;
    } else if (key == QLatin1String("form")) {
        if (toInt(value, number))
            appendBounded(config.formTypes, number);
    } else if (key == QLatin1String("tax")) {
        if (toDouble(value, amount))
            config.tax = amount;
    } else if (key == QLatin1String("credits")) {
        if (toDouble(value, amount))
            config.credits = amount;
    } else if (key == QLatin1String("eligible")) {
        toInt(value, config.eligibleAnswer);
    } else if (key == QLatin1String("interviewData")) {
        if (toInt(value, number))
            config.offersInterviewData = number != 0;
    }
}

} // namespace

ProvincialTestConfig ProvincialTestConfig::parse(const QString& text, int province)
{
    ProvincialTestConfig config;
    const QString ownPrefix = QString::number(province) + QLatin1Char('.');
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        const int dot = key.indexOf(QLatin1Char('.'));
        if (dot >= 0) {
            if (!key.startsWith(ownPrefix))
                continue; // another province's setting
            key = key.mid(ownPrefix.size());
        }
        apply(config, key, value);
    }
    return config;
}

ProvincialTestConfig ProvincialTestConfig::load(int province)
{
    const QString path = qEnvironmentVariable(kEnvironmentVariable);
    if (path.isEmpty())
        return ProvincialTestConfig();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ProvincialTestConfig();
    return parse(QString::fromUtf8(file.read(kMaxFileBytes)), province);
}
