#pragma once

class IndividualTaxData;
class TaxData_T1New;

// Moves answers between a person's interview data and the forms: the answers
// of one kind into the forms, and after a calculation every form value the
// interview shows back into the interview data (the provincial part through
// the plug-in host).
class InterviewTransfer
{
public:
    explicit InterviewTransfer(IndividualTaxData& person) : m_person(person) {}
    InterviewTransfer(const InterviewTransfer&) = delete;
    InterviewTransfer& operator=(const InterviewTransfer&) = delete;

    // The answers of one kind (1 to 6) into the forms (kind 2: last year's
    // amounts; kind 6: the province's, through the host).
    void readFromWizards(int kind);
    // The forms' values back into every interview-data object.
    void writeToWizards();

private:
    void writeDependants();
    // t1 may be null (no return: the interview data stays as it is).
    void writeMedical(TaxData_T1New* t1);
    void writeGeneral(const TaxData_T1New* t1);
    // Also takes the carry-forwards the schedules hold back into the T1.
    void writeLastYear(TaxData_T1New* t1);
    void writeRrsp();

    IndividualTaxData& m_person;
};
