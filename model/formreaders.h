#pragma once

// Values the model reads from particular forms where the answer takes more
// than one field.

class CTaxData_Form;

// A T2125's net income: the person's share when the business is a
// partnership, else the form's own net income.
double t2125NetIncome(const CTaxData_Form* form);

// The net income of a self-employment statement (T2125, T2042, T1163 or
// T2121) by its type number; 0 for any other form.
double selfEmploymentStatementNet(int type, const CTaxData_Form* form);
