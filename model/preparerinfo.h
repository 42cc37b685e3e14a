#pragma once

#include "companion/core/cstring.h"

// The tax preparer's data from the application settings, as new forms and
// the return's preparer section take them. The application sets it at
// start-up and whenever the preferences are applied; the model only reads.
struct PreparerInfo
{
    CString BusinessName;
    CString BusinessAddr;
    CString BusinessCity;
    CString BusinessProv;
    CString BusinessPostcode;
    CString BusinessPhone;
    CString BusinessEFileNum;
    CString DiscounterCode;
    // The software code the agency gave this program for EFILE (from the
    // configuration). The preparer's EFILE password is deliberately not
    // here: it never goes into a client's return and is supplied by the
    // filing code when it builds a filing.
    CString EfileSoftwareCode;
    // The software codes and revision dates the electronic return carries
    // (DIRERAD and EFILE), from the configuration.
    CString EfileSoftwareDate;
    CString DireradSoftwareCode;
    CString DireradSoftwareDate;
    int PreAssessment = -1;  // -1 not chosen, 0 or 1
    int PostAssessment = -1;
};

const PreparerInfo& preparerInfo();
void setPreparerInfo(const PreparerInfo& info);
