#pragma once

#include <functional>
#include <map>
#include <vector>

// The course of one optimisation: it counts the recalculations and, after
// each, asks the caller whether to go on. The user interface keeps its
// window alive and offers a cancel through the callback; the model itself
// never touches a widget.
class OptimizeRun
{
public:
    // Called with the number of recalculations so far; false stops the run.
    using Progress = std::function<bool(int recalculations)>;

    explicit OptimizeRun(Progress progress = {}) : m_progress(std::move(progress)) {}
    // One recalculation done; false once the caller has asked to stop.
    bool step();
    bool cancelled() const { return m_cancelled; }
    int recalculations() const { return m_recalculations; }

private:
    Progress m_progress;
    int m_recalculations = 0;
    bool m_cancelled = false;
};

// Search of one split amount in [low, high] (both ends included) for the
// smallest family balance. Every candidate costs a whole recalculation, so
// the search tries few: both ends, the given break points (where a spouse
// crosses a threshold, the places a piecewise-linear tax bends), a coarse
// grid of the range, then a golden-section narrowing around the best down
// to a cent. Only a strictly smaller balance replaces the best, so the
// start value wins ties and the first minimum found stays.
class SplitSearch
{
public:
    // Puts the candidate in place, recalculates and returns the balance.
    using Balance = std::function<double(double candidate)>;

    static constexpr int kGridIntervals = 8;

    SplitSearch(double low, double high, Balance balance, OptimizeRun* run = nullptr);
    // A value worth trying; ignored outside the range.
    void addBreakPoint(double value);
    // start is the value in effect and startBalance the balance it gives.
    // Returns the best value found (a whole number of cents, or start).
    double run(double start, double startBalance);
    int evaluations() const { return m_evaluations; }

private:
    // The balance at value (tried once; later calls read the record).
    double tryValue(double value);
    void narrow(double from, double to);

    double m_low;
    double m_high;
    Balance m_balance;
    OptimizeRun* m_run;
    std::vector<double> m_breakPoints;
    std::map<long long, double> m_tried; // by cents
    double m_best = 0.0;
    double m_bestBalance = 0.0;
    int m_evaluations = 0;
};
