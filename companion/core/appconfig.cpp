#include "companion/core/appconfig.h"

#include <QFile>

#include <algorithm>
#include <cctype>

namespace {

std::string trimmed(const std::string& text)
{
    const auto isBlank = [](unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t first = 0;
    size_t last = text.size();
    while (first < last && isBlank(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && isBlank(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// 1 true, 0 false, -1 not a flag value.
int parseFlag(const std::string& value)
{
    static const std::map<std::string, bool> words = {
        {"1", true}, {"true", true}, {"yes", true}, {"on", true},
        {"0", false}, {"false", false}, {"no", false}, {"off", false},
    };
    const auto it = words.find(lowered(value));
    return it == words.end() ? -1 : (it->second ? 1 : 0);
}

} // namespace

CAppConfig::CAppConfig() = default;

CAppConfig::~CAppConfig() = default;

bool CAppConfig::readConfigFile(const char* path)
{
    bool ok = false;
    QFile file(QString::fromUtf8(path ? path : ""));
    if (path && *path && file.open(QIODevice::ReadOnly) && file.size() <= kMaxFileBytes) {
        // size() can be 0 for special files; read one byte more than allowed to notice overflow.
        const QByteArray content = file.read(kMaxFileBytes + 1);
        if (content.size() <= kMaxFileBytes && file.error() == QFileDevice::NoError) {
            ok = true;
            // A UTF-8 byte-order mark from a Windows editor is not part of the first key.
            int start = content.startsWith("\xEF\xBB\xBF") ? 3 : 0;
            while (start < content.size()) {
                int end = content.indexOf('\n', start);
                if (end < 0)
                    end = content.size();
                if (end - start <= kMaxLineBytes)
                    applyLine(std::string(content.constData() + start, static_cast<size_t>(end - start)));
                start = end + 1;
            }
        }
    }
    afterReadConfigFile();
    return ok;
}

void CAppConfig::applyLine(const std::string& rawLine)
{
    const std::string line = trimmed(rawLine);
    if (line.empty() || line[0] == '#' || line[0] == ';')
        return;
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        return;
    const std::string key = trimmed(line.substr(0, equals));
    const std::string value = trimmed(line.substr(equals + 1));
    if (key.empty())
        return;

    const auto text = m_mapStringKeys.find(key);
    if (text != m_mapStringKeys.end() && text->second) {
        *text->second = value;
        return;
    }
    const auto flag = m_mapBoolKeys.find(key);
    if (flag != m_mapBoolKeys.end() && flag->second) {
        const int parsed = parseFlag(value);
        if (parsed >= 0)
            *flag->second = parsed == 1;
    }
}

void CAppConfig::setStringValIfNotSet(CString& member, const char* text)
{
    if (member.IsEmpty() && text)
        member = text;
}

void CAppConfig::afterReadConfigFile()
{
}
