#include "app/featuresettingsfromapp.h"

#include "app/tabwndapp.h"

FeatureSettings featureSettingsFromApp(const TabWndApp* app)
{
    FeatureSettings settings;
    if (!app)
        return settings;
    settings.runFolder = app->m_strRunPath;
    settings.pdfFolder = app->m_config.RetPdfPath;
    return settings;
}
