#pragma once

#include <QByteArray>

// Checks on header text built from callers' values before it goes on the
// wire: a value must not smuggle in extra lines, a name must be a token.
bool isSafeHttpHeaderValue(const QByteArray& value);
bool isHttpToken(const QByteArray& name);
