#include "agencydata/agencydataservice.h"

#include <QCoreApplication>

void AgencyDataService::autoFill()
{
    m_context.tellNotAvailable(QCoreApplication::translate("AgencyDataService", "Auto-fill"));
}

void AgencyDataService::expressNoa()
{
    m_context.tellNotAvailable(QCoreApplication::translate("AgencyDataService", "Express NOA"));
}
