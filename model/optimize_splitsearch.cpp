#include "model/optimize_splitsearch.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {

// Two balances closer than this are the same figure (they are sums of
// rounded amounts; anything below is floating-point noise).
constexpr double kSameBalance = 1e-6;
// The narrowing ends when the bracket is narrower than this.
constexpr double kFinestWidth = 0.03;

long long cents(double value) { return std::llround(value * 100.0); }

} // namespace

bool OptimizeRun::step()
{
    ++m_recalculations;
    if (!m_cancelled && m_progress && !m_progress(m_recalculations))
        m_cancelled = true;
    return !m_cancelled;
}

SplitSearch::SplitSearch(double low, double high, Balance balance, OptimizeRun* run)
    : m_low(std::min(low, high)), m_high(std::max(low, high)), m_balance(std::move(balance)), m_run(run)
{
}

void SplitSearch::addBreakPoint(double value)
{
    if (value > m_low && value < m_high)
        m_breakPoints.push_back(value);
}

double SplitSearch::tryValue(double value)
{
    value = std::clamp(std::round(value * 100.0) / 100.0, m_low, m_high);
    const long long key = cents(value);
    if (const auto found = m_tried.find(key); found != m_tried.end())
        return found->second;
    if (m_run && m_run->cancelled())
        return m_bestBalance;
    const double balance = m_balance(value);
    ++m_evaluations;
    m_tried.emplace(key, balance);
    if (balance < m_bestBalance - kSameBalance) {
        m_best = value;
        m_bestBalance = balance;
    }
    if (m_run)
        m_run->step();
    return balance;
}

void SplitSearch::narrow(double from, double to)
{
    // Golden section: each step keeps the part of the bracket that holds
    // the lower of two inner points, and reuses the other inner point.
    const double ratio = (std::sqrt(5.0) - 1.0) / 2.0;
    double a = from, b = to;
    double c = b - ratio * (b - a), d = a + ratio * (b - a);
    double fc = tryValue(c), fd = tryValue(d);
    while (b - a > kFinestWidth && !(m_run && m_run->cancelled())) {
        if (fc <= fd) {
            b = d;
            d = c;
            fd = fc;
            c = b - ratio * (b - a);
            fc = tryValue(c);
        } else {
            a = c;
            c = d;
            fc = fd;
            d = a + ratio * (b - a);
            fd = tryValue(d);
        }
    }
}

double SplitSearch::run(double start, double startBalance)
{
    // A start outside the range is no answer: any value tried beats it.
    const bool startInRange = start >= m_low && start <= m_high;
    m_best = std::clamp(start, m_low, m_high);
    m_bestBalance = startInRange ? startBalance : std::numeric_limits<double>::infinity();
    if (startInRange)
        m_tried.emplace(cents(start), startBalance);
    if (m_high - m_low < 0.01)
        return m_best;

    tryValue(m_low);
    tryValue(m_high);
    std::sort(m_breakPoints.begin(), m_breakPoints.end());
    for (double point : m_breakPoints)
        tryValue(point);
    const double spacing = (m_high - m_low) / kGridIntervals;
    for (int i = 1; i < kGridIntervals; ++i)
        tryValue(m_low + spacing * i);

    // The best lies between the points tried on either side of the best
    // one (in a piecewise-linear balance the minimum sits on a bend; one
    // the break points did not name is narrowed down here).
    const auto best = m_tried.find(cents(m_best));
    if (best == m_tried.end())
        return m_best; // stopped before anything was tried
    const double from = best == m_tried.begin() ? m_low : std::prev(best)->first / 100.0;
    const double to = std::next(best) == m_tried.end() ? m_high : std::next(best)->first / 100.0;
    narrow(std::max(m_low, from), std::min(m_high, to));
    return m_best;
}
