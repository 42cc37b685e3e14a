// Core code that reaches for a widget. The core's include view holds no
// widget header, so this file must not compile.
#include <QWidget>

int layerCheckCoreWidgets()
{
    return sizeof(QWidget) > 0 ? 1 : 0;
}
