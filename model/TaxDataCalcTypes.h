#pragma once

#include <QDate>

#include "companion/forms/taxtypes.h"

// The item whose edit started a calculation: its kind (0 form, 1 slip,
// 2 interview data, -1 none) and its type number. Both travel together so
// that a slip and a form that share a type number (slip 6 and Schedule 5)
// are never confused.
struct CalcChange
{
    int kind = -1;
    int type = 0;

    bool isInterviewData() const { return kind == FROM_TAXWIZARD; }
    bool isForm(int formType) const { return kind == FROM_FORM && type == formType; }
    // The type as the provincial plug-ins take it: forms and interview data
    // only (the interview-data flag tells those apart), 0 for anything else.
    int typeForPlugins() const { return kind == FROM_FORM || kind == FROM_TAXWIZARD ? type : 0; }
};

// The three day counts every step starts from.
struct CalcDays
{
    int daysInYear = 0;
    int bankruptDays = 0;
    int daysInCanada = 0;
};

int GetDaysInYear(int year);
// Days of the year the person lived in Canada: from the arrival date (when
// it falls in the year) to the departure date (when it falls in the year),
// both included; never below 0.
int DaysInCanadaInTaxYear(int year, const QDate& arrival, const QDate& departure);
// a / b, or fallback when b is 0.
double div(double a, double b, double fallback);
// Half away from zero, to a whole number: a value at least a cent below zero
// loses 0.5 and is truncated, any other value gains 0.5 and is truncated.
double roundHalfAwayFromZero(double value);
