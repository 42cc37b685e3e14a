#pragma once

#include "companion/core/cstring.h"

// The outcome of one exchange with the agency's filing services. The caller
// makes one on its stack, hands it to the exchange and reads it afterwards
// for its result dialog, the filing log and the return's filing status.
class SoapFilingResult
{
public:
    // What was exchanged.
    enum : int { KindTerms = 0, KindT1Return = 1, KindT1135 = 101 };

    explicit SoapFilingResult(int kind);

    // The agency's code of a refused EFILE transmission begins with 184.
    bool isError184() const;
    // The result codes that mean a refusal of this kind of filing.
    bool chkResultCode() const;

    int m_nKind;
    bool m_bAccepted = false;
    CString m_strResultCode;
    CString m_strConfirmation;
    CString m_strTime;         // set once, when the record is made
    CString m_strCodes;
    CString m_strCvIndicator;
    CString m_strMessage;      // HTML, or lines ended by CR LF
    // The message is the refusal HTML built from the agency's elements
    // (texts escaped); otherwise it is plain text, to be escaped for display.
    bool m_bMessageIsHtml = false;
};
