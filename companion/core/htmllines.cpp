#include "companion/core/htmllines.h"

int toHtmlOneLineItem(CString& html, const std::string& value, const char* label, const char* skip)
{
    const QString text = QString::fromStdString(value);
    const QString shown = text.trimmed();
    if (shown.isEmpty())
        return 0;
    if (shown.compare(QString::fromUtf8(skip ? skip : ""), Qt::CaseInsensitive) == 0)
        return 0;
    html += QString::fromUtf8(label ? label : "");
    html += QLatin1String(": ");
    html += text.toHtmlEscaped();
    html += QLatin1String("<br>\n");
    return 1;
}

void toHtmlNewLine(CString& html)
{
    html += QLatin1String("<br>\n");
}
