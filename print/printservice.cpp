#include "print/printservice.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("PrintService", text);
}

} // namespace

void PrintService::createPdfFile()
{
    m_context.tellNotAvailable(tr("Printing to PDF"));
}

int PrintService::createPdf(ENUMTYPE_FORM, int)
{
    return -1;
}

void PrintService::createPrintFiles(bool)
{
    m_context.tellNotAvailable(tr("Generating print files"));
}

void PrintService::submitESignatureForm(int)
{
    m_context.tellNotAvailable(tr("E-signature"));
}

void PrintService::getESignatureFormTime(ENUMTYPE_FORM)
{
    m_context.tellNotAvailable(tr("E-signature status"));
}

int PrintService::submitDocDelivery(ENUMTYPE_FORM, const CString&)
{
    return -1;
}

int PrintService::submitESignatureFormType(ENUMTYPE_FORM)
{
    return -1;
}

bool PrintService::loginToESignature()
{
    return false;
}

bool PrintService::readyToESignature()
{
    return false;
}

int PrintService::fetchCustomizedClientLetter()
{
    return 0;
}
