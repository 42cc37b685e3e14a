#pragma once

class IndividualTaxData;
class QTextStream;

// The person's slips, one line each: the slip's name and, when it has one,
// its caption (the payer the user typed). The text is escaped for HTML.
void writeSlipCaptionList(const IndividualTaxData& person, QTextStream& out);
