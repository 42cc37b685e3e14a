#include "filing/filingservice.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("FilingService", text);
}

} // namespace

void FilingService::createElectronicFile()
{
    m_context.tellNotAvailable(tr("Filing a return online"));
}

void FilingService::fileT1135()
{
    m_context.tellNotAvailable(tr("Filing form T1135 online"));
}

void FilingService::prepareReFile()
{
    m_context.tellNotAvailable(tr("Setting a return for ReFile"));
}

void FilingService::unsetReFile()
{
    m_context.tellNotAvailable(tr("Un-setting a return for ReFile"));
}

bool FilingService::isEligibleForReFile() const
{
    return false;
}

int FilingService::validateTaxForm(unsigned char, ENUMTYPE_FORM)
{
    return 0;
}

