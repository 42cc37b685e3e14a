#include "agencydata/records/taxslip.h"

#include "agencydata/slipchildren.h"
#include "companion/core/htmllines.h"
#include "companion/core/numbertext.h"
#include "companion/core/xmlreader.h"
#include "companion/forms/catalogue.h"

TaxSlip::TaxSlip(int slipType) : m_slipType(slipType) {}

TaxSlip::~TaxSlip() = default;

const char* TaxSlip::getName() const
{
    // The catalogue answers "" for a type it does not know.
    return getSlipName(m_slipType);
}

int TaxSlip::parseNoneBoxTagValue(const char* name, const char* text)
{
    if (nameEndsWith(name, "IssuerName"))
        m_issuerName = text;
    return 0;
}

int TaxSlip::parseXMLData(TiXmlElement* /*slipElement*/)
{
    return 0;
}

void TaxSlip::getSlipSpecNameSuffix(CString& /*suffix*/) {}

void TaxSlip::appendCopyNotes(std::list<CString>& /*notes*/) const {}

int TaxSlip::parseXMLDataBasic(TiXmlElement* slipElement)
{
    for (const SlipChild& child : slipChildren(slipElement)) {
        if (nameEndsWith(child.name, "TaxYear"))
            m_taxYear = child.text;
        if (!child.boxNumber) {
            parseNoneBoxTagValue(child.name, child.text);
            continue;
        }
        m_boxValues[child.boxNumber] = CString(child.text);
    }
    m_version = getElementSubEleStringText(slipElement, "SlipVersionDescription");
    return 0;
}

std::string TaxSlip::getNumberedBoxStrValue(const char* key) const
{
    return getNumberedBoxCStrValue(key).toStdString();
}

CString TaxSlip::getNumberedBoxCStrValue(const char* key) const
{
    const auto box = m_boxValues.find(key ? key : "");
    if (box == m_boxValues.end())
        return CString();
    return CString(box->second.trimmed());
}

double TaxSlip::getNumberedBoxValue(const char* key) const
{
    // Trimmed like the text look-ups, so a line break around an amount
    // cannot make it read as 0.
    return myStringToDouble(getNumberedBoxStrValue(key));
}

void TaxSlip::toHtmlBasic(CString& out, int n) const
{
    // One pass of arg(): the name cannot bring in a placeholder.
    out += QStringLiteral("<b><font color='red'>%1 - %2</font></b><br>")
               .arg(QString::number(n), QString::fromUtf8(getName()).toHtmlEscaped());
    toHtmlOneLineItem(out, m_taxYear, "Tax Year", "");
    toHtmlOneLineItem(out, m_version, "Version", "");
}

int TaxSlip::toHtmlOneLineByKey(CString& out, const char* key, const char* label, const char* skip) const
{
    return toHtmlOneLineItem(out, getNumberedBoxStrValue(key), label, skip);
}

void TaxSlip::toHtmlDefault(CString& out) const
{
    for (const auto& box : m_boxValues) {
        const auto label = m_boxLabels.find(box.first);
        if (label != m_boxLabels.end())
            toHtmlOneLineByKey(out, box.first.c_str(), label->second.toUtf8().constData(), "");
    }
}

void TaxSlip::addBoxLabels(const BoxLabel* labels, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const std::string key = labels[i].key;
        m_boxLabels[key] = CString("Box " + key + " - " + labels[i].description);
    }
}
