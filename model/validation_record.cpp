#include "model/validationrecord.h"

#include <QSet>
#include <QString>

void _STRUCT_FORM_VALIDATE_INFO::insertMsg(const char* text)
{
    messages.push_back(CString(text));
}

void _STRUCT_FORM_VALIDATE_INFO::insertMsg1(const char* format, const char* arg)
{
    messages.push_back(CString(QString::asprintf(format, arg)));
}

void _STRUCT_FORM_VALIDATE_INFO::insertMsg2(const char* format, const char* arg1, const char* arg2)
{
    messages.push_back(CString(QString::asprintf(format, arg1, arg2)));
}

void _STRUCT_FORM_VALIDATE_INFO::removeDuplicateMessages()
{
    QSet<QString> seen;
    for (auto it = messages.begin(); it != messages.end();) {
        if (seen.contains(*it)) {
            it = messages.erase(it);
        } else {
            seen.insert(*it);
            ++it;
        }
    }
}
