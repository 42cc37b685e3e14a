#include "filing/requestcompose.h"

#include "companion/core/templatefill.h"

#include <QStringList>

namespace {

struct RequestTemplates
{
    const char* head;
    const char* tail;
};

const RequestTemplates kDirerad = {":/net/net/nwspart1.xmt", ":/net/net/nwspartend.xmt"};
const RequestTemplates kEfile = {":/net/net/ewspart1.xmt", ":/net/net/ewspartend.xmt"};
const RequestTemplates kT1013 = {":/net/net/t1013wspart1.xmt", ":/net/net/t1013wspartend.xmt"};
const RequestTemplates kT183Pad = {":/net/net/t183padwspart1.xmt", ":/net/net/t183padwspartend.xmt"};

void describe(CString* problem, const char* path, int result, const std::vector<std::string>& missing)
{
    if (problem)
        *problem = CString(QStringLiteral("The request could not be composed: template %1 ").arg(QLatin1String(path)) + describeTemplateFailure(result, missing));
}

int compose(const RequestTemplates& templates, std::string& request, const TemplateValueMap& values,
            const std::string& document, CString* problem)
{
    request.clear();
    std::vector<std::string> missing;
    int result = processTemplatePartInString(request, CString(templates.head), values, TemplateRequestPart, &missing);
    if (result != TemplateFilled) {
        describe(problem, templates.head, result, missing);
        request.clear();
        return RequestHeadFailed;
    }
    request += document;
    std::string tail;
    result = processTemplatePartInString(tail, CString(templates.tail), values, TemplateRequestPart, &missing);
    if (result != TemplateFilled) {
        describe(problem, templates.tail, result, missing);
        return RequestTailFailed;
    }
    request += tail;
    return RequestComposed;
}

int cutAndCompose(const RequestTemplates& templates, bool isT1, TemplateValueMap& values, const std::string& xml,
                  std::string& request, CString* problem)
{
    std::string document;
    if (!findFiledDocument(isT1, xml, document)) {
        if (problem)
            *problem = CString("The request could not be composed: the generated file holds no whole document.");
        return RequestHeadFailed;
    }
    return compose(templates, request, values, document, problem);
}

// A start tag's name ends at a blank, ">" or "/": "<t1:T1ReturnX" is
// another element.
bool endsName(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/'; }

} // namespace

void putFilingRequest(const FilingRequest& request, RequestTemplateFamily family, TemplateValueMap& values)
{
    putRequestFields(requestFieldsOf(request), family, values);
}

QStringList filingRequestKeys(RequestTemplateFamily family)
{
    std::vector<RequestField> fields;
    for (const RequestFieldValue& value : requestFieldsOf(FilingRequest()))
        fields.push_back(value.field);
    return requestFieldKeys(fields, family);
}

void putDireradReturnFacts(const DireradReturnFacts& facts, TemplateValueMap& values)
{
    putRequestFields(requestFieldsOf(facts), RequestTemplateFamily::Direrad, values);
}

void putEfileReturnFacts(const EfileReturnFacts& facts, TemplateValueMap& values)
{
    putRequestFields(requestFieldsOf(facts), RequestTemplateFamily::Efile, values);
}

void putOriginatingAddress(RequestTemplateFamily family, TemplateValueMap& values)
{
    putRequestFields({{RequestField::OriginatingAddress, CString("0.0.0.0")}}, family, values);
}

bool findFiledDocument(bool isT1, const std::string& xml, std::string& document)
{
    const std::string startMark = isT1 ? "<t1:T1Return" : "<t1135:ForeignIncomeVerificationStatement";
    const std::string endMark = isT1 ? "</t1:T1Return>" : "</t1135:ForeignIncomeVerificationStatement>";
    size_t start = xml.find(startMark);
    while (start != std::string::npos
           && (start + startMark.size() >= xml.size() || !endsName(xml[start + startMark.size()])))
        start = xml.find(startMark, start + 1);
    if (start == std::string::npos)
        return false;
    const size_t end = xml.find(endMark, start + startMark.size());
    if (end == std::string::npos)
        return false;
    document = xml.substr(start, end + endMark.size() - start);
    return true;
}

int GetDireradRequest(bool isT1, TemplateValueMap& values, const std::string& xml, std::string& request,
                      CString* problem)
{
    return cutAndCompose(kDirerad, isT1, values, xml, request, problem);
}

int ComposeDireradRequest(std::string& request, TemplateValueMap& values, const std::string& document,
                          CString* problem)
{
    return compose(kDirerad, request, values, document, problem);
}

int GetEfileRequest(bool isT1, TemplateValueMap& values, const std::string& xml, std::string& request,
                    CString* problem)
{
    return cutAndCompose(kEfile, isT1, values, xml, request, problem);
}

int ComposeEfileRequest(std::string& request, TemplateValueMap& values, const std::string& document,
                        CString* problem)
{
    return compose(kEfile, request, values, document, problem);
}

int GetT1013OrT183PadRequest(bool isT1013, TemplateValueMap& values, CString& body, CString& request)
{
    const RequestTemplates& templates = isT1013 ? kT1013 : kT183Pad;
    int result = processTemplatePartInString(request, CString(templates.head), values, TemplateRequestPart);
    if (result != TemplateFilled)
        return result;
    request += body;
    // The tails hold no placeholder.
    return processTemplatePartInString(request, CString(templates.tail), TemplateValueMap(), TemplateRequestPart);
}
