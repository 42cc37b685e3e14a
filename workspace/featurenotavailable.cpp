#include "workspace/featurenotavailable.h"

#include "app/tabwndapp.h"

void tellFeatureNotAvailable(QWidget* parent, const QString& feature)
{
    TabWndApp::gAppInformation(QObject::tr("%1 is not available yet.").arg(feature), parent);
}
