#include "companion/core/templatefill.h"

#include "companion/core/fileload.h"
#include "companion/core/xmlescape.h"

#include <QStringList>

#include <algorithm>

namespace {

const char kOpen[] = "$$(";
const size_t kOpenLength = sizeof(kOpen) - 1;
// Templates are small; this bounds what a broken template can make us read.
const int kTemplateMaxMiB = 8;

struct LineResult
{
    bool dropLine = false;
    bool malformed = false;
    // The line holds a block marker without a value: the block starts here.
    std::string openedBlock;
    std::string text;
};

const CString* findValue(const TemplateValueMap& values, const std::string& name, std::string& keyFound)
{
    auto it = values.find(name);
    if (it == values.end() && name.size() > 1 && name.back() == '0')
        it = values.find(name.substr(0, name.size() - 1));
    if (it == values.end())
        return nullptr;
    keyFound = it->first;
    return &it->second;
}

LineResult fillLine(const std::string& line, const TemplateValueMap& values, std::vector<std::string>& missing)
{
    LineResult result;
    size_t pos = 0;
    while (true) {
        const size_t open = line.find(kOpen, pos);
        if (open == std::string::npos) {
            result.text.append(line, pos, std::string::npos);
            return result;
        }
        const size_t close = line.find(')', open + kOpenLength);
        if (close == std::string::npos) {
            result.malformed = true;
            return result;
        }
        result.text.append(line, pos, open - pos);
        const std::string name = line.substr(open + kOpenLength, close - open - kOpenLength);
        std::string key;
        const CString* value = findValue(values, name, key);
        if (value) {
            const std::string utf8 = value->toStdString();
            result.text += values.isFragment(key) ? utf8 : xmlEscape(utf8);
        } else if (isTemplateBlockMarker(name)) {
            // A second marker on the same line closes a one-line block.
            result.dropLine = true;
            result.openedBlock = (result.openedBlock == name) ? std::string() : name;
        } else if (name.size() > 1 && name.back() == '0') {
            result.dropLine = true;
        } else if (std::find(missing.begin(), missing.end(), name) == missing.end()) {
            missing.push_back(name);
        }
        pos = close + 1;
    }
}

} // namespace

bool isTemplateBlockMarker(const std::string& placeholderName)
{
    return placeholderName == "esigned_needed0" || placeholderName == "rc71_needed0";
}

int fillTemplateText(std::string& out, const std::string& templateText, const TemplateValueMap& values,
                     int /*flags*/, std::vector<std::string>* missingOut)
{
    std::vector<std::string> missing;
    std::string filled;
    filled.reserve(templateText.size() + templateText.size() / 4);
    bool malformed = false;

    size_t start = 0;
    while (start < templateText.size()) {
        size_t end = templateText.find('\n', start);
        end = (end == std::string::npos) ? templateText.size() : end + 1;
        const LineResult line = fillLine(templateText.substr(start, end - start), values, missing);
        start = end;
        if (line.malformed) {
            malformed = true;
        } else if (!line.openedBlock.empty()) {
            // An unsent wrapper: skip to the line holding its closing marker.
            const std::string marker = std::string(kOpen) + line.openedBlock + ")";
            const size_t close = templateText.find(marker, start);
            if (close == std::string::npos) {
                malformed = true;
                break;
            }
            const size_t closeEnd = templateText.find('\n', close);
            start = (closeEnd == std::string::npos) ? templateText.size() : closeEnd + 1;
        } else if (!line.dropLine) {
            filled += line.text;
        }
    }

    if (missingOut)
        *missingOut = missing;
    if (malformed)
        return TemplateMalformed;
    if (!missing.empty())
        return TemplateMissingValue;
    out += filled;
    return TemplateFilled;
}

int processTemplatePartInString(std::string& out, const CString& templatePath, const TemplateValueMap& values,
                                int flags, std::vector<std::string>* missing)
{
    if (missing)
        missing->clear();
    std::string templateText;
    if (!loadFileToString(templatePath, templateText, kTemplateMaxMiB))
        return TemplateNotLoaded;
    return fillTemplateText(out, templateText, values, flags, missing);
}

int processTemplatePartInString(CString& out, const CString& templatePath, const TemplateValueMap& values,
                                int flags, std::vector<std::string>* missing)
{
    std::string filled;
    const int result = processTemplatePartInString(filled, templatePath, values, flags, missing);
    if (result == TemplateFilled)
        out += QString::fromStdString(filled);
    return result;
}

int processTemplatePart(std::string& out, const char* templatePath, const TemplateValueMap& values, int flags,
                        std::vector<std::string>* missing)
{
    return processTemplatePartInString(out, CString(templatePath ? templatePath : ""), values, flags, missing);
}

QString describeTemplateFailure(int result, const std::vector<std::string>& missing)
{
    if (result == TemplateMissingValue) {
        QStringList keys;
        for (const std::string& key : missing)
            keys << QString::fromStdString(key);
        return QStringLiteral("has no value for %1.").arg(keys.join(QStringLiteral(", ")));
    }
    if (result == TemplateNotLoaded)
        return QStringLiteral("could not be read.");
    return QStringLiteral("is malformed.");
}
