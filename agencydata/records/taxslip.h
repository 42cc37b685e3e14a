#pragma once

#include "companion/core/cstring.h"

#include <cstddef>
#include <list>
#include <map>
#include <string>

class CTaxData_Form;
class TiXmlElement;

// An information slip received from the agency, one subclass per slip kind
// (taxslipkinds.h). What every kind shares: the tax year, the slip version,
// the slip type, the issuer and the numbered boxes as received text with
// their display labels. The agency-data library parses and renders slips;
// the return model only reads them and has them copy themselves into the
// return's slip objects.
//
// A slip holds only its own texts: it is built once from its element and
// never copied.
class TaxSlip
{
public:
    virtual ~TaxSlip();
    TaxSlip(const TaxSlip&) = delete;
    TaxSlip& operator=(const TaxSlip&) = delete;

    // The slip's title from the slip catalogue; "" for a type it lacks.
    virtual const char* getName() const;
    // A child element with text and no box number; the default takes a name
    // ending in "IssuerName" as the issuer. Always 0.
    virtual int parseNoneBoxTagValue(const char* name, const char* text);
    // The kind's own reading of its element, after parseXMLDataBasic.
    // Always 0; the default reads nothing more.
    virtual int parseXMLData(TiXmlElement* slipElement);
    // Appends the kind's own block of the Auto-fill report. n is the slip's
    // number in the report (the heading shows it).
    virtual int toHtml(CString& out, int n) const = 0;
    // Copies the slip into target, the return's new slip object of the same
    // type; nothing happens for a target of another class.
    virtual int copyToSlipData(CTaxData_Form* target) = 0;
    // Leaves suffix unchanged; no kind needs another.
    virtual void getSlipSpecNameSuffix(CString& suffix);
    // What copyToSlipData leaves for the user: amounts it did not bring into
    // the return, or brought in for the user to check, one sentence each
    // appended to notes. Most kinds copy everything the return can hold and
    // append nothing.
    virtual void appendCopyNotes(std::list<CString>& notes) const;

    // The common reading of a slip element's direct children: tax year,
    // boxes, issuer (through parseNoneBoxTagValue) and version. Always 0.
    int parseXMLDataBasic(TiXmlElement* slipElement);

    // A box by its key exactly as received ("14", not "014"): its text
    // trimmed, "" when the slip has no such box.
    std::string getNumberedBoxStrValue(const char* key) const;
    CString getNumberedBoxCStrValue(const char* key) const;
    // The trimmed box text as a number (myStringToDouble); 0.0 when absent.
    double getNumberedBoxValue(const char* key) const;

    // Report writers: the heading with the slip's number, tax year and
    // version; one labelled box (nothing when its text is empty or equals
    // skip ignoring case; 1 when a line was written); every labelled box in
    // key order.
    void toHtmlBasic(CString& out, int n) const;
    int toHtmlOneLineByKey(CString& out, const char* key, const char* label, const char* skip) const;
    void toHtmlDefault(CString& out) const;

    int slipType() const { return m_slipType; }

    // A display label "Box <key> - <description>".
    struct BoxLabel
    {
        const char* key;
        const char* description;
    };

    std::string m_taxYear;
    std::string m_version;
    const int m_slipType;
    std::string m_issuerName;
    // Keys are ordered by byte comparison ("10" < "104" < "14" < "5"), as
    // the boxes are shown.
    std::map<std::string, CString> m_boxValues;
    std::map<std::string, CString> m_boxLabels;

protected:
    explicit TaxSlip(int slipType);

    void addBoxLabels(const BoxLabel* labels, std::size_t count);
    template <std::size_t N>
    void addBoxLabels(const BoxLabel (&labels)[N])
    {
        addBoxLabels(labels, N);
    }
};
