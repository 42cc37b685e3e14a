#pragma once

#include <string>
#include <vector>

// Splits comma-separated text into rows of fields. A field in double quotes
// may hold commas, line breaks and doubled quotes (""), which stand for one
// quote. Rows end at CR LF, LF or a lone CR outside quotes; a line break at
// the very end closes the last row and adds none. Fields are returned as they
// stand, blanks included, so the caller decides what padding means. The bytes
// are not decoded: any ASCII-compatible encoding (Latin-1, UTF-8) splits the
// same way.
//
// False when a quoted field is never closed (the text is cut short or not
// CSV); rows is then empty, so a half-read file is never taken for a whole one.
bool ParseCSV(const std::string& text, std::vector<std::vector<std::string>>& rows);
