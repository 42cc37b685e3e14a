#pragma once

#include <QByteArray>

// The text of a filing request as it may be written to a file: the access
// code and every password blanked, and every S.I.N. cut to its last three
// digits. Elements are matched by local name, whatever their prefix. Every
// request text that reaches a file goes through here first.
QByteArray redactFilingRequest(const QByteArray& request);
