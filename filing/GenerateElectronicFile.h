#pragma once

// The electronic return XML (t1:T1Return) of one person: the opening part
// from its template, in EFILE mode the deceased and bankruptcy parts, the
// return's lines and statement records, the closing part.
//
// Mode: bit 0 clear (2) is a DIRERAD return, bit 0 set (1) an EFILE return.

#include <QDate>
#include <string>
#include <vector>

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"

class CFamilyTaxData;
class IndividualTaxData;
class TaxData_T1New;

// The host of the agency's namespace URIs in the return's root element.
extern const char* const kAgencyNamespaceHost;

enum ElectronicFileResult {
    ElectronicFileBuilt = 0,
    // The person has no T1: nothing is written.
    ElectronicFileNoReturn = 1,
    // A template could not be read or filled (a required value is missing):
    // nothing is written, and problem names the template and the keys.
    ElectronicFileTemplateFailed = 2,
};

// Appends the current person's document to xml. On failure xml is left as it
// was, so a half-built document can never be sent.
int CreateElectronicFile(CFamilyTaxData& family, CString& xml, unsigned char mode, CString* problem = nullptr);
int CreateElectronicFile(IndividualTaxData& person, CString& xml, unsigned char mode, CString* problem = nullptr);

// The pieces, each appending to out. counter is the statement counter,
// carried along untouched. Each returns a TemplateFillResult (0 on success).
int privateGenerateXmlFilePart1(IndividualTaxData& person, CString& out, unsigned char mode, int& counter,
                                std::vector<std::string>* missing = nullptr);
void privateGenerateXmlFilePartSpouseData(const TaxData_T1New& t1, CString& out, unsigned char mode, int& counter);
void privateGenerateXmlFilePartAddrData(const TaxData_T1New& t1, CString& out, unsigned char mode, int& counter);
int privateGenerateXmlFilePartForDeceased(const TaxData_T1New& t1, CString& out, unsigned char mode, int& counter);
int privateGenerateXmlFilePartForBankruptcy(const TaxData_T1New& t1, CString& out, unsigned char mode, int& counter);
int privateGenerateXmlFilePartEnd(CString& out, unsigned char mode, int& counter);

// The opening part's values (steps 1 to 21), for the template of the mode.
void fillOpeningPartValues(IndividualTaxData& person, const TaxData_T1New& t1, unsigned char mode,
                           TemplateValueMap& values);

// Small conversions the parts share.
CString xmlDateText(const QDate& date);             // "yyyy-MM-dd", empty for no date
// The whole dollars the bankruptcy part sends: an amount under 1 (and not
// below -0.5) is sent as 1, others rounded half away from zero.
int bankruptcyWholeDollars(double amount);
// The ten digits of a Canadian telephone number (a leading 1 of eleven
// digits dropped); empty when the text does not hold exactly that.
CString telephoneDigits(const CString& phone);
