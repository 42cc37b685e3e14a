#include "model/slipcaptionlist.h"

#include "companion/core/xmlescape.h"
#include "companion/forms/catalogue.h"
#include "companion/forms/ctaxdata_form.h"
#include "model/individualtaxdata.h"

#include <QTextStream>

void writeSlipCaptionList(const IndividualTaxData& person, QTextStream& out)
{
    if (person.m_slipList.empty())
        return;
    out << "<ul>\n";
    for (const STRUCT_SLIPDATA_ITEM_2004* item : person.m_slipList) {
        if (!item || !item->data)
            continue;
        CString caption;
        item->data->GetCaption(caption);
        QString line = QString::fromUtf8(getSlipName(item->type));
        if (!caption.trimmed().isEmpty())
            line += QStringLiteral(" - ") + caption;
        // Captions are typed by the user: they never become markup.
        out << "<li>" << convertToXMLString(CString(line)) << "</li>\n";
    }
    out << "</ul>\n";
}
