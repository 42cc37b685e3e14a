#include "companion/core/sinmessage.h"

QString sinNotValidMessage(const QString& whose, const char* problem)
{
    return QStringLiteral("The ") + whose + QStringLiteral(" Social Insurance Number is not valid. ")
           + QString::fromUtf8(problem ? problem : "")
           + QStringLiteral("\nCorrect it, or leave it empty to enter it later.");
}
