#include "filing/filingservice.h"

#include "filing/direradroad.h"

#include <QCoreApplication>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("FilingService", text);
}

} // namespace

void FilingService::useDireradRoad(const DireradRoadEnvironment* environment, DireradRoadDialogs* dialogs)
{
    m_direradEnvironment = environment;
    m_direradDialogs = dialogs;
}

void FilingService::createElectronicFile()
{
    if (!m_direradEnvironment || !m_direradDialogs) {
        m_context.tellNotAvailable(tr("Filing a return online"));
        return;
    }
    DireradRoad(m_context, *m_direradEnvironment, *m_direradDialogs).run();
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

