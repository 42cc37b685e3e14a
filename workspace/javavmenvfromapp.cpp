#include "workspace/javavmenvfromapp.h"

#include "app/t1appconfig.h"
#include "app/tabwndapp.h"
#include "print/JavaEnvs.h"

JavaVMEnvSettings javaVMEnvSettingsFrom(const CT1AppConfig& config)
{
    JavaVMEnvSettings settings;
    settings.classPath = config.JAVACLASSPATH;
    settings.pdfPath = config.PDFPATH;
    settings.xmlPath = config.XMLPATH;
    settings.jvmPath = config.JVMPATH;
    settings.printHeader = config.PrintHeader;
    settings.retPdfPath = config.RetPdfPath;
    return settings;
}

void installJavaVMEnvFromApp()
{
    JavaVMEnv* bridge = JavaVMEnv::getInstance();
    bridge->setSettingsSource([] {
        const TabWndApp* app = TabWndApp::getMainApp();
        return app ? javaVMEnvSettingsFrom(app->m_config) : JavaVMEnvSettings();
    });
    bridge->setRunLog([](const char* line) {
        if (TabWndApp* app = TabWndApp::getMainApp())
            app->WriteRunLogFile(line);
    });
}
