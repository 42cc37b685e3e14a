#pragma once

// The one place that says how an answer the user gave goes to the agency:
// the same code in the electronic return, the barcode and the statement
// records, and nothing at all for a question left unanswered, so that the
// agency never reads an answer the user did not give.

namespace agencyanswers {

// How the return keeps an answer.
enum class Stored {
    Question, // 0 yes, 1 no, -1 (or anything else) not answered
    Flag,     // 0 no, any other value yes: always answered
};

enum class Medium { Xml, Barcode };

// The yes/no questions the agency receives.
enum class Question {
    Citizenship,           // t1:CanadianCitizenshipIndicator, barcode item 37
    ElectionsCanada,       // t1:ElectionsCanadaAuthorizationIndicator, item 38
    RuralSupplement,       // tp:CCRRuralSupplementIndicator, item 47
    OrganDonor,            // t1:DonorConsentIndicator, item 50
    HomeSameAsMailing,     // tp:HomeAddressSameAsMailingAddressIndicator, item 20
    SettlementLand,        // Tlicho, Deline and the other settlement lands, items 39 to 41
    FirstNationCitizen,    // tp:FirstNationIdentificationIndicator (Yukon), item 43
    MaritalStatusChanged,  // tp:TaxpayerMaritalStatusChangeIndicator
    StatementQuestion,     // a statement's own question (T2042, T2121), record item 5
    StatementFlag,         // a statement's flag (T2125 partnership), record item 16
};

// The agency's code of the stored answer, or nullptr when nothing is sent
// (the XML element is left out, the barcode item keeps its initial value).
const char* code(Question question, int stored, Medium medium);

// Whether the stored answer is one the user gave.
bool answered(Question question, int stored);

} // namespace agencyanswers
