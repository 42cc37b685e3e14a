#pragma once

#include <QString>

class CTaxData_Form;

// What removing one item of a return (a form, a slip or a note; kind as the
// return tree gives it) would throw away, said as the question put to the
// user before it goes: "Remove the T4 from Employer Inc. with 31,000.00 of
// income?". Empty when the item holds nothing the user entered, so that an
// item added by mistake goes at once.
QString removalQuestion(int kind, int type, const CTaxData_Form& item);

// Something the user typed: a text, an amount or a date in a field that is
// edited on the page. Choices and yes/no marks do not count, since a new slip
// already holds some (its province is preset).
bool holdsTypedEntries(const CTaxData_Form& item);
