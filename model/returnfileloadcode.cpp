#include "model/returnfileloadcode.h"

#include "companion/forms/catalogue.h"
#include "companion/core/messages.h"

QString returnFileMessageTitle() { return QStringLiteral("voDarevivo 2020"); }

QString damagedReturnFileText()
{
    return QStringLiteral("The file being opened may be damaged, please verify the data after opening.");
}

QString laterVersionReturnFileText()
{
    return QStringLiteral("The tax return file is prepared by a much later version of voDarevivo. Please use the "
                          "right version of voDarevivo to open the tax return file.");
}

QString missingPluginReturnFileText(int province)
{
    if (province <= 0)
        return QStringLiteral("This return file cannot be opened: a return in it holds forms but no province of "
                              "residence. The file has not been changed.");
    const char* name = getProvName(province);
    return QStringLiteral("This return file cannot be opened: the tax module for %1 cannot be loaded, and without "
                          "it the return's forms would be lost. The file has not been changed.")
        .arg(name && *name ? QString::fromUtf8(name) : QString::number(province));
}

QString returnFileLoadMessage(int code)
{
    switch (code) {
    case RFL_SUCCESS:
        return QString();
    case RFL_PROVINCE_OUT_OF_RANGE:
        return QStringLiteral("This return file is not meant for this version of software!");
    case RFL_PROVINCE_PLUGIN_MISSING:
        return QStringLiteral("This return file cannot be opened: the tax module of its province cannot be loaded.");
    case RFL_WRITE_FAILED:
        return QStringLiteral("The return file could not be written. The file on disk has not been changed.");
    case RFL_FORMS_LOST_ON_READING:
        return QStringLiteral("This return lost forms when it was opened and cannot be saved.");
    default:
        return QStringLiteral("Open return file failed!");
    }
}

void showReturnFileMessage(const QString& text)
{
    promptInformation(nullptr, returnFileMessageTitle(), text, Prompt::Ok);
}
