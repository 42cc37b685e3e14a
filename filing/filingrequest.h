#pragma once

// What a filing request carries besides the filed document, by meaning:
// the preparer's credentials and the values of the form's own request. The
// record is built in one function; only the key table (model/requestfields.h),
// which the composer (requestcompose.h) uses, knows what the request
// templates call each field.

#include "companion/core/cstring.h"
#include "companion/forms/taxtypes.h"
#include "model/requestfields.h"

struct FilingRequest
{
    CString efilerNumber;         // the preparer's EFILE number, as the settings hold it now
    CString efilerPassword;       // the preparer's EFILE password
    CString taxYear;              // the year a T1013 authorises
    CString softwareCode;         // this program's code at the pre-authorised debit service
    CString softwareRevisionDate; // the revision of this program's debit requests
    CString taxpayerSin;          // the taxpayer a debit agreement is for
};

// The request for filing form (FORM_T1, FORM_T1135, FORM_T1013, or FORM_T185
// for the pre-authorised debit) with the preparer's credentials, for the
// taxpayer of S.I.N. taxpayerSin. Fields a form's request does not carry
// stay empty.
FilingRequest buildFilingRequest(ENUMTYPE_FORM form, const CString& efilerNumber, const CString& efilerPassword,
                                 const CString& taxpayerSin);

// Every field of request, an empty one as an empty value (so a template
// fills it empty rather than failing).
RequestFieldValues requestFieldsOf(const FilingRequest& request);
