#pragma once

// A picture of a message box the scripted prompter answered, drawn by the
// same builder the program's own prompter shows it with, for a person to
// look at in build/artefacts.

#include "common/modalsteps.h"
#include "common/scriptedprompter.h"
#include "companion/ui/widgetprompter.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace promptpicture {

inline bool keep(const PromptRecord& record, const QString& folder, const QString& name)
{
    MessageBoxRequest request;
    request.icon = record.icon;
    request.title = record.title;
    request.text = record.texts.join(QLatin1Char('\n'));
    request.buttons = record.buttons;
    std::unique_ptr<QMessageBox> box = buildMessageBox(nullptr, request);
    box->show();
    QApplication::processEvents();
    const QString path = modalsteps::artefactPath(folder + "/" + name + ".png");
    QDir().mkpath(QFileInfo(path).path());
    const bool saved = box->grab().save(path);
    box->hide();
    return saved;
}

} // namespace promptpicture
