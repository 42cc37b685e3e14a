#pragma once

#include <QString>

// Gives a menu text a keyboard mnemonic ("&Start"): the first letter of a word
// that no earlier text of the same menu took, else any such letter or digit
// of the text, else none. used collects the letters taken, in lower case.
// A text that already names its mnemonic keeps it.
QString withMnemonic(const QString& text, QString& used);
