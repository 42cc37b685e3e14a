#include "print/printservice.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PrintService", text);
}

} // namespace

void PrintService::getESignatureFormTime(ENUMTYPE_FORM)
{
    m_context.tellNotAvailable(tr("E-signature status"));
}
