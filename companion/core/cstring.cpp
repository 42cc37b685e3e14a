#include "cstring.h"

#include <cstdarg>

CString& CString::operator=(const char* utf8)
{
    QString::operator=(QString::fromUtf8(utf8));
    return *this;
}

CString& CString::operator=(const std::string& utf8)
{
    QString::operator=(QString::fromStdString(utf8));
    return *this;
}

CString& CString::operator=(const QString& other)
{
    QString::operator=(other);
    return *this;
}

QChar CString::GetAt(int index) const
{
    return (index >= 0 && index < size()) ? at(index) : QChar();
}

int CString::Find(const QString& what, int start) const
{
    if (start < 0 || start > size())
        return -1;
    return indexOf(what, start);
}

int CString::Find(QChar what, int start) const
{
    if (start < 0 || start > size())
        return -1;
    return indexOf(what, start);
}

int CString::ReverseFind(QChar what) const
{
    return lastIndexOf(what);
}

int CString::FindOneOf(const QString& characters) const
{
    for (int i = 0; i < size(); ++i)
        if (characters.contains(at(i)))
            return i;
    return -1;
}

CString CString::Left(int count) const
{
    return count <= 0 ? CString() : CString(left(count));
}

CString CString::Mid(int first) const
{
    if (first < 0)
        first = 0;
    return first >= size() ? CString() : CString(mid(first));
}

CString CString::Mid(int first, int count) const
{
    if (first < 0)
        first = 0;
    if (count <= 0 || first >= size())
        return CString();
    return CString(mid(first, count));
}

CString CString::Right(int count) const
{
    return count <= 0 ? CString() : CString(right(count));
}

CString& CString::Trim()
{
    QString::operator=(trimmed());
    return *this;
}

CString& CString::TrimLeft()
{
    int i = 0;
    while (i < size() && at(i).isSpace())
        ++i;
    remove(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    int n = size();
    while (n > 0 && at(n - 1).isSpace())
        --n;
    truncate(n);
    return *this;
}

CString& CString::MakeUpper()
{
    QString::operator=(toUpper());
    return *this;
}

CString& CString::MakeLower()
{
    QString::operator=(toLower());
    return *this;
}

int CString::Replace(const QString& before, const QString& after)
{
    if (before.isEmpty())
        return 0;
    const int count = QString::count(before);
    if (count > 0)
        replace(before, after);
    return count;
}

int CString::Remove(QChar ch)
{
    const int before = size();
    remove(ch);
    return before - size();
}

int CString::Compare(const QString& other) const
{
    return QString::compare(*this, other, Qt::CaseSensitive);
}

int CString::CompareNoCase(const QString& other) const
{
    return QString::compare(*this, other, Qt::CaseInsensitive);
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    QString::operator=(QString::vasprintf(format, args));
    va_end(args);
}

void CString::AppendFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    append(QString::vasprintf(format, args));
    va_end(args);
}
