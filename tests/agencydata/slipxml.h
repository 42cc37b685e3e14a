#pragma once

// Reading a slip from a small XML text as the slip factory does (the common
// reading, then the kind's own), and rendering it as the Auto-fill report
// does (heading, the kind's block, the labelled boxes, a line break).

#include "agencydata/records/taxslip.h"
#include "companion/core/htmllines.h"

#include <tinyxml.h>

#include <QString>

#include <memory>

// Null when the text is not well-formed, so a broken fixture fails its test.
template <class Slip>
std::unique_ptr<Slip> readSlip(const QByteArray& xml)
{
    TiXmlDocument document;
    document.Parse(xml.constData(), nullptr, TIXML_ENCODING_UTF8);
    if (document.Error() || !document.RootElement())
        return nullptr;
    auto slip = std::make_unique<Slip>();
    slip->parseXMLDataBasic(document.RootElement());
    slip->parseXMLData(document.RootElement());
    return slip;
}

inline QString renderSlip(const TaxSlip& slip, int n)
{
    CString html;
    slip.toHtmlBasic(html, n);
    slip.toHtml(html, n);
    slip.toHtmlDefault(html);
    toHtmlNewLine(html);
    return html;
}

// The kind's own block alone.
inline QString renderBlock(const TaxSlip& slip)
{
    CString html;
    slip.toHtml(html, 1);
    return html;
}
