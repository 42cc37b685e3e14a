#include "filing/agencyanswers.h"

#include "companion/forms/fieldchoices.h"


namespace agencyanswers {

namespace {

// The agency reads 1 for yes and 2 for no everywhere, but for the two-digit
// Elections Canada code. A question the user left unanswered is sent as
// nothing, except where the document must hold the element: the
// citizenship indicator then says "0" (no answer), which the agency refuses
// and validation stops before any filing.
struct Row
{
    Question question;
    Stored stored;
    const char* yes;
    const char* no;
    const char* xmlUnanswered;
    const char* barcodeUnanswered;
};

const Row kRows[] = {
    {Question::Citizenship, Stored::Question, "1", "2", "0", nullptr},
    {Question::ElectionsCanada, Stored::Question, "01", "02", nullptr, "00"},
    {Question::RuralSupplement, Stored::Question, "1", "2", nullptr, nullptr},
    {Question::OrganDonor, Stored::Question, "1", "2", nullptr, nullptr},
    {Question::HomeSameAsMailing, Stored::Question, "1", "2", nullptr, nullptr},
    {Question::SettlementLand, Stored::Question, "1", "2", nullptr, nullptr},
    {Question::FirstNationCitizen, Stored::Question, "1", "2", nullptr, nullptr},
    {Question::MaritalStatusChanged, Stored::Flag, "1", "2", nullptr, nullptr},
    {Question::StatementQuestion, Stored::Question, "1", "2", nullptr, "0"},
    {Question::StatementFlag, Stored::Flag, "1", "2", nullptr, nullptr},
};

const Row* rowOf(Question question)
{
    for (const Row& row : kRows)
        if (row.question == question)
            return &row;
    return nullptr;
}

} // namespace

bool answered(Question question, int stored)
{
    const Row* row = rowOf(question);
    if (!row)
        return false;
    return row->stored == Stored::Flag || stored == choices::kYes || stored == choices::kNo;
}

const char* code(Question question, int stored, Medium medium)
{
    const Row* row = rowOf(question);
    if (!row)
        return nullptr;
    if (row->stored == Stored::Flag)
        return stored != 0 ? row->yes : row->no;
    if (stored == choices::kYes)
        return row->yes;
    if (stored == choices::kNo)
        return row->no;
    return medium == Medium::Xml ? row->xmlUnanswered : row->barcodeUnanswered;
}

} // namespace agencyanswers
