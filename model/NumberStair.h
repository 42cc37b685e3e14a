#pragma once

#include <vector>

// One spouse as the bracket move sees it: the taxable income, and the part
// of it that may still move to the other spouse.
struct PersonalAmt
{
    PersonalAmt(double amount, double movable) : m_amount(amount), m_movable(movable) {}
    double m_amount;
    double m_movable;
};

// The income thresholds where a higher rate starts (federal and provincial
// together), ascending. Moving income between two spouses pays while they
// sit on different steps of the same staircase.
class NumberStair
{
public:
    // Inserted after every threshold not above it, so equal values keep
    // their arrival order.
    void AddStepAmt(double amount);
    // The number of thresholds not above x (0 below the first).
    int GetLevel(double x) const;
    // The i-th threshold counting from 0. Indices outside the staircase are
    // bounded to its first and last step; an empty staircase gives 0.
    double GetStepAmt(int i) const;
    int GetMaxLevel() const { return int(m_steps.size()); }
    const std::vector<double>& steps() const { return m_steps; }

    // The amount to move so that both persons end in the same bracket.
    // Positive values move from first to second, negative from second to
    // first. [lower, upper] is the range of moves that leaves both in one
    // bracket; both are the same when the movable amounts run out first.
    void Optimize(PersonalAmt first, PersonalAmt second, double& upper, double& lower) const;

private:
    std::vector<double> m_steps;
};
