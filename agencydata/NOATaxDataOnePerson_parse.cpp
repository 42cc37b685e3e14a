// Reading a NoticeOfAssessmentItem, and masking the account number of the
// notice before it is stored or sent anywhere.
#include "agencydata/NOATaxDataOnePerson.h"

#include "companion/core/outsidexml.h"
#include "companion/core/xmlreader.h"

#include <cstring>

namespace {

bool isEnglish(const TiXmlElement* element)
{
    const char* lang = element->Attribute("xml:lang");
    return lang && QString::fromUtf8(lang).compare(QLatin1String("en"), Qt::CaseInsensitive) == 0;
}

// Every element below node, in document order.
template <class Visit>
void forEachElement(TiXmlNode* node, Visit visit)
{
    for (TiXmlNode* child = node->FirstChild(); child; child = child->NextSibling()) {
        if (TiXmlElement* element = child->ToElement()) {
            visit(element);
            forEachElement(element, visit);
        }
    }
}

} // namespace

NOATaxDataOnePerson::NOATaxDataOnePerson(const CString& resources, const CString& pageFolder, int year)
    : noticeFolder(pageFolder), resourceFolder(resources), taxYear(year)
{
}

NOATaxDataOnePerson::~NOATaxDataOnePerson() = default;

int NOATaxDataOnePerson::parseXMLData(TiXmlElement* item)
{
    const MyTiXmlHandle itemHandle(item);
    const MyTiXmlHandle id = itemHandle.FirstChildElement("IndividualTaxpayerIdentifier");
    if (!id.ToElement())
        return -1;
    identifier = id.Text();

    // Only summaries count: another element the agency marks as English is
    // not the assessment's summary.
    for (MyTiXmlHandle at = itemHandle.FirstChildElement("AssessmentSummaryText"); at.ToElement();
         at = at.NextSiblingElement("AssessmentSummaryText")) {
        if (isEnglish(at.ToElement()))
            summaryText = at.Text();
    }
    notice.present = itemHandle.FirstChildElement("T1Notice").ToElement() != nullptr;
    return 0;
}

std::string NOATaxDataOnePerson::maskSIN(const std::string& sin)
{
    return "xxxxx" + (sin.size() > 5 ? sin.substr(5) : std::string());
}

bool NOATaxDataOnePerson::maskAccountNumbers(std::string& xml, const std::string& masked)
{
    if (xml.find("MaskedAccountNumber") == std::string::npos)
        return false;
    TiXmlDocument document;
    if (!parseOutsideXml(document, xml, TIXML_ENCODING_UTF8) || document.Error())
        return false;

    int changed = 0;
    forEachElement(&document, [&](TiXmlElement* element) {
        if (std::strcmp(xmlLocalName(element->Value()), "MaskedAccountNumber") != 0)
            return;
        element->Clear();
        element->LinkEndChild(new TiXmlText(masked.c_str()));
        ++changed;
    });
    if (changed == 0)
        return false;

    // Printed without added indentation, so the notice's own text is all
    // that is in it.
    TiXmlPrinter printer;
    printer.SetStreamPrinting();
    document.Accept(&printer);
    xml = printer.Str();
    return true;
}
