// The slip factory of the Auto-fill record: each child of the Slips element
// becomes the slip of its kind, by the element's name.
#include "agencydata/records/tddtaxdataoneperson.h"

#include "agencydata/records/taxslipkinds.h"

#include <QByteArray>
#include <QLoggingCategory>

#include <tinyxml.h>

#include <cstring>

Q_DECLARE_LOGGING_CATEGORY(lcAutoFillRecord)

namespace {

template <class Slip>
std::unique_ptr<TaxSlip> makeSlip()
{
    return std::make_unique<Slip>();
}

struct SlipKind
{
    const char* element;
    std::unique_ptr<TaxSlip> (*make)();
};

// Compared in this order.
const SlipKind kSlipKinds[] = {
    {"T4Slip", makeSlip<TaxSlipT4>},
    {"T4ASlip", makeSlip<TaxSlipT4A>},
    {"T4ESlip", makeSlip<TaxSlipT4E>},
    {"RC62Slip", makeSlip<TaxSlipRC62>},
    {"T5Slip", makeSlip<TaxSlipT5>},
    {"T3Slip", makeSlip<TaxSlipT3>},
    {"T4AOASSlip", makeSlip<TaxSlipT4AOAS>},
    {"T4RSPSlip", makeSlip<TaxSlipT4RSP>},
    {"T4APSlip", makeSlip<TaxSlipT4AP>},
    {"T2202Slip", makeSlip<TaxSlipT2202>},
    {"T5007Slip", makeSlip<TaxSlipT5007>},
    {"T5008Slip", makeSlip<TaxSlipT5008>},
    {"T5013Slip", makeSlip<TaxSlipT5013>},
    {"T4RIFSlip", makeSlip<TaxSlipT4RIF>},
    {"RC210Slip", makeSlip<TaxSlipRC210>},
    {"RRSPContributionReceiptSlip", makeSlip<TaxSlipRRSPReceipt>},
    {"ManitobaRentAssistSlip", makeSlip<TaxSlipMBRentalAssistSlip>},
    {"PRPPSlip", makeSlip<TaxSlipPRPP>},
    {"T1204Slip", makeSlip<TaxSlipT1204>},
    {"T4FHSASlip", makeSlip<TaxSlipT4FHSA>},
};

// The kind of a slip element: its name without the namespace prefix (what
// follows the first ':', so "a:b:T4Slip" is no kind), in any letter case.
const SlipKind* slipKindOf(const char* elementName)
{
    if (!elementName)
        return nullptr;
    const char* colon = std::strchr(elementName, ':');
    const char* name = colon ? colon + 1 : elementName;
    for (const SlipKind& kind : kSlipKinds) {
        if (qstricmp(name, kind.element) == 0)
            return &kind;
    }
    return nullptr;
}

// Longest part of an unknown element name the log repeats, and how many
// such names it repeats: enough to see what the agency started sending.
constexpr int kLoggedNameLength = 64;
constexpr int kLoggedUnknownNames = 5;

} // namespace

int TDDTaxDataOnePerson::parseXMLDataForSlips(TiXmlElement* slipsElement)
{
    if (!slipsElement)
        return slipCount();
    if (const char* text = slipsElement->Attribute("remark"))
        remark = text;

    for (TiXmlElement* element = slipsElement->FirstChildElement(); element;
         element = element->NextSiblingElement()) {
        const SlipKind* kind = slipKindOf(element->Value());
        if (!kind) {
            if (++unknownSlipElements <= kLoggedUnknownNames)
                    qCWarning(lcAutoFillRecord, "slip element <%s> is of no kind this program reads; skipped",
                          QByteArray(element->Value()).left(kLoggedNameLength).constData());
            continue;
        }
        // Past the capacity the rest is counted, not read.
        if (slips.isFull()) {
            slips.dropOne();
            continue;
        }
        std::unique_ptr<TaxSlip> slip = kind->make();
        slip->parseXMLDataBasic(element);
        slip->parseXMLData(element);
        slips.add(std::move(slip));
    }

    if (slips.dropped() > 0)
        qCWarning(lcAutoFillRecord, "kept %d of %d tax slips received; at most %d are kept", slips.count(),
                  slips.received(), kMaxSlips);
    if (unknownSlipElements > 0)
        qCWarning(lcAutoFillRecord, "skipped %d slip element(s) of no kind this program reads",
                  unknownSlipElements);
    return slipCount();
}
