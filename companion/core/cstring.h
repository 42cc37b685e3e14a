#pragma once

#include <QString>
#include <string>

// The data layer's string: a QString that is built from and assigned UTF-8
// text, with the search, trim and compare operations the data layer is
// written against. Positions and lengths count UTF-16 code units, as in
// QString; Find returns -1 when nothing is found.
class CString : public QString
{
public:
    CString() = default;
    CString(const QString& other) : QString(other) {}
    CString(QString&& other) noexcept : QString(std::move(other)) {}
    CString(const char* utf8) : QString(QString::fromUtf8(utf8)) {}
    CString(const std::string& utf8) : QString(QString::fromStdString(utf8)) {}
    CString(QChar ch, int count = 1) : QString(count, ch) {}

    CString& operator=(const char* utf8);
    CString& operator=(const std::string& utf8);
    CString& operator=(const QString& other);

    int GetLength() const { return size(); }
    bool IsEmpty() const { return isEmpty(); }
    void Empty() { clear(); }
    QChar GetAt(int index) const;

    int Find(const QString& what, int start = 0) const;
    int Find(QChar what, int start = 0) const;
    int ReverseFind(QChar what) const;
    int FindOneOf(const QString& characters) const;

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;

    // In place, as the classic string class does; each returns *this.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& MakeUpper();
    CString& MakeLower();
    int Replace(const QString& before, const QString& after);
    int Remove(QChar ch);

    // Negative, zero or positive, as strcmp.
    int Compare(const QString& other) const;
    int CompareNoCase(const QString& other) const;

    // printf-style formatting; %s takes UTF-8 text.
    void Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    void AppendFormat(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    std::string toStdString() const { return QString::toStdString(); }
    QString toQString() const { return *this; }
};

inline CString operator+(const CString& a, const char* b) { return CString(static_cast<const QString&>(a) + QString::fromUtf8(b)); }
inline CString operator+(const char* a, const CString& b) { return CString(QString::fromUtf8(a) + static_cast<const QString&>(b)); }
inline CString operator+(const CString& a, const CString& b) { return CString(static_cast<const QString&>(a) + static_cast<const QString&>(b)); }
inline CString operator+(const CString& a, const QString& b) { return CString(static_cast<const QString&>(a) + b); }
inline CString operator+(const QString& a, const CString& b) { return CString(a + static_cast<const QString&>(b)); }
