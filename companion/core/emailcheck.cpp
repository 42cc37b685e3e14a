#include "companion/core/emailcheck.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

bool isAlnum(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c >= 0x80;
}

bool isLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}

bool validLocalPart(const std::string& local)
{
    static const char* const specials = "!#$%&'*+/=?^_`{|}~.-";
    if (local.empty() || local.size() > 64 || local.front() == '.' || local.back() == '.'
        || local.find("..") != std::string::npos)
        return false;
    for (char ch : local) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (!isAlnum(c) && !std::strchr(specials, ch))
            return false;
    }
    return true;
}

bool validDomain(const std::string& domain)
{
    std::vector<std::string> labels;
    size_t start = 0;
    while (true) {
        const size_t dot = domain.find('.', start);
        labels.push_back(domain.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    if (labels.size() < 2)
        return false;
    for (const std::string& label : labels) {
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
            return false;
        for (char ch : label) {
            if (!isAlnum(static_cast<unsigned char>(ch)) && ch != '-')
                return false;
        }
    }
    const std::string& top = labels.back();
    if (top.size() < 2)
        return false;
    for (char ch : top) {
        if (!isLetter(static_cast<unsigned char>(ch)))
            return false;
    }
    return true;
}

} // namespace

bool checkEmail(const char* email)
{
    if (!email)
        return false;
    const std::string text(email);
    if (text.empty() || text.size() > 254)
        return false;
    const size_t at = text.find('@');
    if (at == std::string::npos || text.find('@', at + 1) != std::string::npos)
        return false;
    return validLocalPart(text.substr(0, at)) && validDomain(text.substr(at + 1));
}
