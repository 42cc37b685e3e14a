#pragma once

// A reasonable syntax check of an e-mail address as users type it:
// local@domain, at most 254 characters, no blanks; the local part (at most
// 64 characters) of letters, digits and !#$%&'*+/=?^_`{|}~.- with no dot at
// either end and no two dots together; the domain of at least two labels of
// letters, digits and '-' (no '-' at either end of a label, 1-63
// characters each), the last label at least two letters. Bytes above 127
// (international addresses) are accepted in both parts.
bool checkEmail(const char* email);
