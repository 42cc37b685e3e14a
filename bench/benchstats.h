#pragma once
// What every benchmark prints: a figure's median with its min and max over
// the runs, beside its budget and the median's ratio to it, on one line of a
// fixed form that bench_budgets reads back (parse) to build its table. Under
// valgrind only the measured work is instrumented, so callgrind's
// instruction count is that of the work alone.
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#if defined(__has_include)
#if __has_include(<valgrind/callgrind.h>)
#include <valgrind/callgrind.h>
#endif
#endif
#ifndef CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_START_INSTRUMENTATION
#define CALLGRIND_STOP_INSTRUMENTATION
#endif

namespace benchstats {

// A budget's figure: samples and budget in one unit, milliseconds unless a
// memory figure says "MB".
struct Figure
{
    const char* name;
    double budgetMs;
    std::vector<double> samplesMs;
    const char* unit = "ms";
};

inline void print(Figure& figure)
{
    std::vector<double>& s = figure.samplesMs;
    if (s.empty())
        return;
    std::sort(s.begin(), s.end());
    const double median = s[s.size() / 2];
    std::printf("%-44s median %9.4f %s  min %9.4f  max %9.4f  budget %8.3f %s  ratio %5.2f  (%zu runs)\n",
                figure.name, median, figure.unit, s.front(), s.back(), figure.budgetMs, figure.unit,
                median / figure.budgetMs, s.size());
    std::fflush(stdout);
}

// One line printed by print(), read back: false for any other line.
struct ParsedFigure
{
    QString name;
    double medianMs = 0;
    double minMs = 0;
    double maxMs = 0;
    double budgetMs = 0;
    int runs = 0;
    QString unit;
};

inline bool parse(const QString& line, ParsedFigure& out)
{
    static const QRegularExpression form(QStringLiteral(
        R"(^(\S.*?)\s+median\s+(\S+) (ms|MB)\s+min\s+(\S+)\s+max\s+(\S+)\s+budget\s+(\S+) \3\s+ratio\s+\S+\s+\((\d+) runs\)\s*$)"));
    const QRegularExpressionMatch m = form.match(line);
    if (!m.hasMatch())
        return false;
    bool ok[5] = {};
    out.name = m.captured(1);
    out.medianMs = m.captured(2).toDouble(&ok[0]);
    out.unit = m.captured(3);
    out.minMs = m.captured(4).toDouble(&ok[1]);
    out.maxMs = m.captured(5).toDouble(&ok[2]);
    out.budgetMs = m.captured(6).toDouble(&ok[3]);
    out.runs = m.captured(7).toInt(&ok[4]);
    return ok[0] && ok[1] && ok[2] && ok[3] && ok[4] && out.budgetMs > 0;
}

// The time one run of work takes.
template <typename Work>
double elapsedMs(Work&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// Runs work once per sample and records its time.
template <typename Work>
Figure measure(const char* name, double budgetMs, int runs, Work&& work)
{
    Figure figure{name, budgetMs, {}};
    figure.samplesMs.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i)
        figure.samplesMs.push_back(elapsedMs(work));
    return figure;
}

// "--count N": run the work N times under instrumentation and print
// nothing else (scripts/bench divides callgrind's count by N).
inline int countRuns(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--count") == 0)
            return std::max(1, std::atoi(argv[i + 1]));
    return 0;
}

template <typename Work>
void instrumented(int count, Work&& work)
{
    CALLGRIND_START_INSTRUMENTATION;
    for (int i = 0; i < count; ++i)
        work();
    CALLGRIND_STOP_INSTRUMENTATION;
}

// A program argument naming which work to count ("--what NAME"), or "".
inline const char* countWhat(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--what") == 0)
            return argv[i + 1];
    return "";
}

} // namespace benchstats
