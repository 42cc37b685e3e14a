#pragma once

#include <QString>

class QFrame;
class QLabel;
class QWidget;

// Pieces the restructuring dialogs share.
namespace dialogframe {

// A horizontal sunken line.
QFrame* sunkenLine(QWidget* parent, const char* objectName);
QLabel* label(QWidget* parent, const char* objectName, const QString& text);
void setPointSize(QWidget* widget, int points);

} // namespace dialogframe
