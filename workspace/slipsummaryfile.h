#pragma once

#include <QString>
#include <functional>

class QTextStream;

// Where the slip summary of a person goes: the return folder, then the
// person's name made safe as a file name (no separators, no "..", no control
// characters) followed by "_SlipSummary.html". The file stays in the folder
// whatever the name holds.
QString slipSummaryPath(const QString& folder, const QString& personName);

// Writes the page through a save file: the header, what body writes, the
// footer. An earlier file is replaced only when everything was written;
// false with the reason otherwise.
bool writeSlipSummaryFile(const QString& path, const std::function<void(QTextStream&)>& body, QString* error);
