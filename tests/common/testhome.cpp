#include "testhome.h"

#include <QtGlobal>

TestHome::TestHome()
    : m_previousHome(qgetenv("HOME")), m_hadHome(qEnvironmentVariableIsSet("HOME"))
{
    qputenv("HOME", m_dir.path().toLocal8Bit());
}

TestHome::~TestHome()
{
    if (m_hadHome)
        qputenv("HOME", m_previousHome);
    else
        qunsetenv("HOME");
}
