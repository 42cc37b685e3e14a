#pragma once

#include "agencydata/records/taxslip.h"

#include <memory>
#include <vector>

// Everything the agency's Auto-fill service returned for one taxpayer, as
// the return model takes it: the tax year and the slips. The agency-data
// library parses, stores and renders the record; the model only applies it.
struct TDDTaxDataOnePerson
{
    explicit TDDTaxDataOnePerson(int year = 0) : taxYear(year) {}
    virtual ~TDDTaxDataOnePerson() = default;
    TDDTaxDataOnePerson(const TDDTaxDataOnePerson&) = delete;
    TDDTaxDataOnePerson& operator=(const TDDTaxDataOnePerson&) = delete;

    // A record holds at most this many slips.
    static constexpr int kMaxSlips = 2048;

    int taxYear = 0;
    std::vector<std::unique_ptr<TaxSlip>> slips; // owned by the record
};
