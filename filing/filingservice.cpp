#include "filing/filingservice.h"

#include "filing/direradroad.h"
#include "filing/refilesetup.h"
#include "filing/t1135road.h"

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

int FilingService::fileT1135(const T1135RoadEnvironment& environment, T1135Questions& questions)
{
    return T1135Road(m_context, environment, questions).run();
}

void FilingService::prepareReFile(const ReFileEnvironment& environment)
{
    ReFileSetup(m_context, environment).prepare();
}

void FilingService::unsetReFile()
{
    ReFileEnvironment environment;
    ReFileSetup(m_context, environment).unset();
}

bool FilingService::isEligibleForReFile()
{
    return ReFileSetup(m_context, ReFileEnvironment()).isEligible();
}
