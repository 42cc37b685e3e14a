#pragma once

#include "companion/forms/ctaxdata_form.h"
#include "companion/forms/fieldchoices.h"

#include <memory>
#include <vector>

// One disposition of shares or units, a row of Schedule 3 that agency data
// can add; the schedule owns any number of them. A row that Auto-fill made
// from the agency's data is marked, so that the next Auto-fill replaces it
// instead of adding it again.
struct Sch3EquityEntry
{
    double Quantity = 0;
    CString Identification;
    double Proceeds = 0;
    double Cost = 0;
    double Outlays = 0;
    bool AutoFilled = false;
};

// Schedule 3: capital gains (or losses).
class TaxData_Sch3 : public CTaxData_Form
{
    Q_OBJECT
public:
    TaxData_Sch3() : CTaxData_Form(FROM_FORM, FORM_SCH3) {}

    CIntField EquityEntryCount{this, 1, "EquityEntryCount", "", "Share disposition rows"};
    CFloatField EquityEntryCountAmount{this, 2, "EquityEntryCountAmount", "", "Share disposition rows in use", fld::Count()};
    CFloatField line10700QSBCSGain{this, 10700, "line10700QSBCSGain", "10700", "Qualified small business corporation shares, gain"};
    CFloatField line11000FarmFishingGain{this, 11000, "line11000FarmFishingGain", "11000", "Qualified farm or fishing property, gain"};
    CFloatField line12400FarmFishingMortgage{this, 12400, "line12400FarmFishingMortgage", "12400", "Qualified farm or fishing property mortgage foreclosures"};
    CFloatField line13100SharesProceeds{this, 13100, "line13100SharesProceeds", "13100", "Mutual fund units and shares, proceeds"};
    CFloatField line13200SharesGain{this, 13200, "line13200SharesGain", "13200", "Mutual fund units and shares, gain", fld::ReadOnly()};
    CFloatField line13200SharesLoss{this, 13201, "line13200SharesLoss", "13200", "Mutual fund units and shares, loss", fld::ReadOnly()};
    CFloatField line13800RealEstateGain{this, 13800, "line13800RealEstateGain", "13800", "Real estate and depreciable property, gain"};
    CFloatField line15300BondsGain{this, 15300, "line15300BondsGain", "15300", "Bonds, debentures and promissory notes, gain"};
    CFloatField line15500OtherGain{this, 15500, "line15500OtherGain", "15500", "Other mortgage foreclosures and conditional sales repossessions"};
    CFloatField line15800PersonalUseGain{this, 15800, "line15800PersonalUseGain", "15800", "Personal-use property, gain"};
    CFloatField line16100ListedPersonalGain{this, 16100, "line16100ListedPersonalGain", "16100", "Listed personal property, net gain"};
    CFloatField line17400SlipGains{this, 17400, "line17400SlipGains", "17400", "Capital gains from information slips"};
    CFloatField line17600CapitalGainsReserves{this, 17600, "line17600CapitalGainsReserves", "17600", "Capital gains deferral from investment in small business"};
    CFloatField line17800LossesFromSlips{this, 17800, "line17800LossesFromSlips", "17800", "Capital losses from a reduction in business investment loss"};
    // Starts unanswered (-1): a Schedule 3 that has nothing to do with a
    // principal residence must not claim one.
    CIntField line17900PrincipalResidences{this, 17900, "line17900PrincipalResidences", "17900", "Principal residences designated", fld::Start(-1).choices("-1:Not answered|1:One|2:Two|3:More than two")};
    CIntField line17905PropertyFlipping{this, 17905, "line17905PropertyFlipping", "17905", "Housing unit disposed of within 12 months", fld::Question()};
    CIntField line17906LifeEvent{this, 17906, "line17906LifeEvent", "17906", "A life event applies to that disposition", fld::Choices(choices::kYesNoFlag)};
    CFloatField line19200CapitalGainsOrLoss{this, 19200, "line19200CapitalGainsOrLoss", "19200", "Total capital gains or losses", fld::ReadOnly()};
    CFloatField line19700TaxableGain{this, 19700, "line19700TaxableGain", "19700", "Taxable capital gains", fld::ReadOnly()};
    CFloatField SlipFedAmount{this, 3, "SlipFedAmount", "", "Capital gains from slips", fld::ReadOnly()};
    CIntField DeceasedFlag{this, 4, "DeceasedFlag", "", "The person died in the year", fld::Choices(choices::kYesNoFlag)};
    CFloatField T2091Sum{this, 5, "T2091Sum", "", "Gains from forms T2091", fld::ReadOnly()};
    CFloatField T1170Amount1{this, 6, "T1170Amount1", "", "Gifts of property, gain 1", fld::ReadOnly()};
    CFloatField T1170Base1{this, 7, "T1170Base1", "", "Gifts of property, base 1", fld::ReadOnly()};
    CFloatField T1170Amount2{this, 8, "T1170Amount2", "", "Gifts of property, gain 2", fld::ReadOnly()};
    CFloatField T1170Base2{this, 9, "T1170Base2", "", "Gifts of property, base 2", fld::ReadOnly()};
    CFloatField T1170Amount3{this, 10, "T1170Amount3", "", "Gifts of property, gain 3", fld::ReadOnly()};
    CFloatField T1170Base3{this, 11, "T1170Base3", "", "Gifts of property, base 3", fld::ReadOnly()};
    CFloatField T1Amount{this, 12, "T1Amount", "", "Capital gains from the return", fld::ReadOnly()};
    CFloatField T2017Reserve{this, 13, "T2017Reserve", "", "Reserves from form T2017", fld::ReadOnly()};
    CFloatField Result{this, 14, "Result", "", "Net capital gain or loss", fld::Computed()};
    CFloatField Result2{this, 15, "Result2", "", "Gains eligible for the capital gains deduction", fld::Computed()};
    CFloatField Result3{this, 16, "Result3", "", "Capital gains reduction", fld::Computed()};
    CFloatField MortgageForeclosure{this, 17, "MortgageForeclosure", "", "Mortgage foreclosures and conditional sales"};

    int Calculate01() override;
    void CalculateBeforeLine193();
    void CalculateTaxableCapGain();
    void CalculateCapGainReduction();
    double getMortgageForClosureAndConditionSale() const;
    int getF17906LifeEvents(CString& text) const;

    // Grows the share-disposition table to hold at least n rows.
    void AllocateMoreEquityEntries(int n);
    int equityEntryRows() const { return int(m_equity.size()); }
    Sch3EquityEntry& equityEntry(int row) { return m_equity.at(size_t(row)); }
    // Drops the rows Auto-fill made; the user's rows keep their order. The
    // row counts follow. Returns the number of rows dropped.
    int removeAutoFilledEquityEntries();

    void CopyData(const CTaxData_Form* from) override;
    bool CompareData(const CTaxData_Form* other) const override;

    // At most this many rows are kept; a file claiming more is damaged.
    static constexpr int kMaxEquityRows = 10000;

protected:
    void clearExtraData() override { m_equity.clear(); }
    bool writeExtraData(QDataStream& out) const override;
    bool readExtraData(QDataStream& in, quint16 dataVersion) override;

private:
    std::vector<Sch3EquityEntry> m_equity;
};
