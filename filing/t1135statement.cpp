#include "filing/t1135statement.h"

#include "companion/core/fileload.h"
#include "companion/core/templatefill.h"
#include "companion/forms/federal/mirroring.h"
#include "model/cfamilytaxdata.h"
#include "model/individualtaxdata.h"
#include "model/preparerinfo.h"

const char* const kT1135RevisionDate = "2024-12-13";

namespace {

struct T1135Part
{
    const char* key;
    const char* path;
};

const T1135Part kParts[] = {
    {"t1135part1", ":/net/net/t1135part1.xmt"},
    {"t1135part2", ":/net/net/t1135part2.xmt"},
    {"t1135part3", ":/net/net/t1135part3.xmt"},
    {"t1135partend", ":/net/net/t1135partend.xmt"},
};

const char kPart1[] = ":/net/net/t1135part1.xmt";
const char kPartEnd[] = ":/net/net/t1135partend.xmt";

// The templates' texts under their keys: the form class fills the middle
// two from the map.
int loadParts(TemplateValueMap& values)
{
    for (const T1135Part& part : kParts) {
        QString text;
        if (!loadFileToQString(CString(part.path), text, 64))
            return TemplateNotLoaded;
        values.setFragment(part.key, CString(text));
    }
    return TemplateFilled;
}

} // namespace

int getT1135XMLPart1(CString& xml, TemplateValueMap& values)
{
    values.setText("swcode", preparerInfo().DireradSoftwareCode + "M");
    values.setText("swrevdate", kT1135RevisionDate);
    return processTemplatePartInString(xml, CString(kPart1), values, TemplateDocumentOpening);
}

int getT1135XMLPartEnd(CString& xml, TemplateValueMap& values)
{
    return processTemplatePartInString(xml, CString(kPartEnd), values, TemplateDocumentOpening);
}

int getT1135XMLContent(IndividualTaxData& person, CString& xml)
{
    const auto* t1135 = qobject_cast<const TaxData_T1135New*>(person.GetFormData(FORM_T1135, false));
    if (!t1135)
        return T1135StatementNoForm;
    TemplateValueMap values;
    int result = loadParts(values);
    if (result != TemplateFilled)
        return result;
    result = getT1135XMLPart1(xml, values);
    if (result != TemplateFilled)
        return result;
    CString body;
    result = t1135->getT1135XMLContent(body, values);
    xml += body;
    if (result != 0)
        return result;
    return getT1135XMLPartEnd(xml, values);
}

int getT1135XMLContent(CFamilyTaxData& family, CString& xml)
{
    IndividualTaxData* person = family.getCurIndvTaxData();
    return person ? getT1135XMLContent(*person, xml) : T1135StatementNoForm;
}
