#pragma once

#include <QString>

#include <vector>

class CField;

// The print engine's Java view of one data type: a class in the engine's
// package "vodarevivo.makereport" with one constant per field, its name and
// its id, so that the engine's code names fields the way the return file
// keys them.
namespace javafieldclass {

// A Java identifier made of the text: other characters become "_", a
// leading digit gets "_" before it, and a keyword gets "_" after it.
QString identifier(const QString& text);

// Writes "<identifier(typeName)>.java" into folder; 0, or -1 when the file
// cannot be written. Two fields whose names make the same identifier keep
// the first one's constant.
int write(const QString& folder, const QString& typeName, const std::vector<CField*>& fields);

} // namespace javafieldclass
