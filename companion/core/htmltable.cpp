#include "companion/core/htmltable.h"

void toHtmlTableStart(CString& html)
{
    html += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n");
}

void toHtmlOneTableRow(CString& html, const CString& first, const CString& second, const CString& third)
{
    html += QStringLiteral("<tr><td align=\"right\">") + first.toHtmlEscaped() + QStringLiteral("</td><td>") +
            second.toHtmlEscaped() + QStringLiteral("</td><td>") + third.toHtmlEscaped() +
            QStringLiteral("</td></tr>\n");
}

void toHtmlTableEnd(CString& html) { html += QStringLiteral("</table>\n"); }
