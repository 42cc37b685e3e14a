#pragma once

#include <QDate>
#include <QString>

// The checks made where a user types a value, with the words the user reads.
// Each returns an empty text for an acceptable value. Pages and the new-return
// wizard share them, so one mistake gets one message wherever it is made.
namespace entrycheck {

// No amount a person enters on a return comes near this; a larger one is a
// slip of the keyboard.
constexpr double kAmountBound = 100000000.0;

// whose: "taxpayer's", "spouse's", or empty.
QString birthDateProblem(const QDate& birth, const QString& whose);
QString deathDateProblem(const QDate& birth, const QDate& death);
// mayBeNegative: false for a slip box that holds no loss.
QString amountProblem(double value, bool mayBeNegative);
QString notAnAmountProblem(const QString& text);
// An empty S.I.N. is accepted (entered later).
QString sinProblem(const QString& sin, const QString& whose);
// Both numbers are taken in their nine digits.
QString sameSinProblem(const QString& own, const QString& spouse);

} // namespace entrycheck
