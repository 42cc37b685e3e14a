#pragma once

// Values the model reads from particular forms where the answer takes more
// than one field.

class CTaxData_Form;
class CTaxData_T5013;

// Statements a partnership form holds (the activities it reports as
// statement forms).
int t5013StatementCount(const CTaxData_T5013& form);
// The partnership's self-employment net incomes, losses left out.
double t5013NonLossNetIncome(const CTaxData_T5013& form);
// A T2125's net income: the person's share when the business is a
// partnership, else the form's own net income.
double t2125NetIncome(const CTaxData_Form* form);
