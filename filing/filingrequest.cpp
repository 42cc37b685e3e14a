#include "filing/filingrequest.h"

#include "model/preparerinfo.h"

#include <QLatin1Char>

namespace {

// The revision date of this program's pre-authorised debit requests.
const char* const kPadRevisionDate = "2024-12-13";

} // namespace

FilingRequest buildFilingRequest(ENUMTYPE_FORM form, const CString& efilerNumber, const CString& efilerPassword,
                                 const CString& taxpayerSin)
{
    FilingRequest request;
    request.efilerNumber = efilerNumber;
    request.efilerPassword = efilerPassword;
    if (form == FORM_T1013)
        request.taxYear = CString("2024");
    if (form == FORM_T185) {
        // The debit service knows this program by its EFILE code with a "P".
        request.softwareCode = CString(preparerInfo().EfileSoftwareCode + QLatin1Char('P'));
        request.softwareRevisionDate = CString(kPadRevisionDate);
        request.taxpayerSin = taxpayerSin;
    }
    return request;
}

RequestFieldValues requestFieldsOf(const FilingRequest& request)
{
    return {
        {RequestField::EfilerNumber, request.efilerNumber},
        {RequestField::EfilerPassword, request.efilerPassword},
        {RequestField::TaxYear, request.taxYear},
        {RequestField::SoftwareCode, request.softwareCode},
        {RequestField::SoftwareRevisionDate, request.softwareRevisionDate},
        {RequestField::TaxpayerSin, request.taxpayerSin},
    };
}
