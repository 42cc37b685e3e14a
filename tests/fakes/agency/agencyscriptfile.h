#pragma once

#include "fakes/agency/agencyscript.h"

#include <QString>

// Reads a script of the fake agency from text, one reply a line:
//
//   [default] ENDPOINT KIND REPLY [delay=MS] [stop-listening]
//
// ENDPOINT is direrad, t1135, efile, t1013 or pad; KIND any, terms or
// return; REPLY is a status and a fixture file name ("200 accepted.xml"),
// close-after-read or close-at-once. Lines are queued in order; "default"
// sets the reply once the queue is empty. Blank lines and lines starting
// with '#' are skipped.
namespace AgencyScriptFile {
// False, with the line number and why in error, at the first bad line
// (nothing of the script is added then).
bool parse(const QString& text, AgencyScript& script, QString* error);
bool load(const QString& path, AgencyScript& script, QString* error);
} // namespace AgencyScriptFile
