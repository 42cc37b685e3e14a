#include "companion/core/yesnoindicator.h"

#include <QLoggingCategory>
#include <QString>

Q_LOGGING_CATEGORY(lcYesNoIndicator, "vr.agency.indicator")

namespace {

// Longest part of an unknown code the log repeats: enough to recognise it,
// never a whole element's worth of text.
constexpr int kLoggedCodeLength = 32;

bool isOneOf(const QString& code, std::initializer_list<const char*> words)
{
    for (const char* word : words) {
        if (code.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

bool yesNoIndicatorIsYes(const std::string& code)
{
    const QString text = QString::fromStdString(code).trimmed();
    if (isOneOf(text, {"1", "Y", "true"}))
        return true;
    if (text.isEmpty() || isOneOf(text, {"0", "2", "N", "false"}))
        return false;
    qCWarning(lcYesNoIndicator, "unknown yes/no code \"%s\" read as no",
              qUtf8Printable(text.left(kLoggedCodeLength)));
    return false;
}
