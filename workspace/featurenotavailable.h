#pragma once

#include <QString>

class QWidget;

// Tells the user that a command's feature is not part of this build yet.
// Commands whose subsystem has not landed call it instead of doing nothing
// silently.
void tellFeatureNotAvailable(QWidget* parent, const QString& feature);
