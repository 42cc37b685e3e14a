#pragma once

#include <QByteArray>

// A log line with every S.I.N. in it masked: a run of nine digits (also
// written "046 454 286" or "046-454-286") that no other digit touches
// becomes "xxxxx" and its last four digits. Log files never hold a S.I.N.
// in clear, whoever wrote the line.
QByteArray maskSINsInLogLine(const QByteArray& line);
