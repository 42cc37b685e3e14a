#pragma once

#include <string>

// The agency's yes/no codes, read the same way wherever one is used: "1",
// "Y" and "true" are yes; "0", "2" (the agency's no), "N", "false" and an
// empty text are no. Letter case and blanks around the code do not matter.
// Any other text ("0.9", "yes please") is no, and is logged, so a code the
// agency starts sending is seen rather than guessed at.
bool yesNoIndicatorIsYes(const std::string& code);
