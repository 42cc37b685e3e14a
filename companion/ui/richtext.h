#pragma once

#include <QString>
#include <Qt>

class QLabel;
class QWidget;

// Plain text for a rich-text label: markup characters shown as they are,
// line breaks kept.
QString plainToRichText(const QString& text);

// A link whose shown text and address are both escaped.
QString linkToRichText(const QString& address, const QString& shownText);

// How a message box shows a message: the program's own formatted messages
// start with a tag ("<h3>..."); everything else, including messages that
// carry user-typed text, is shown as plain text so that stray markup in it
// cannot change what the user sees.
Qt::TextFormat messageTextFormat(const QString& message);

// A word-wrapped rich-text label whose links go to the URL opener, never
// straight to the desktop.
QLabel* makeMessageLabel(QWidget* parent);
