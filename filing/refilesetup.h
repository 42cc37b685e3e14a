#pragma once

#include "model/featurecontext.h"

#include <QDateTime>
#include <QString>

#include <functional>

// The file that the ReFILE set-up writes the amended return to, beside the
// return file at source: its file name with the ".r24" suffix (in any case;
// a name without it keeps its whole self) followed by "_RF", the time now as
// "yyMMddHHmm" and ".r24". The folder part of source is kept as it is, so a
// folder whose name holds ".r24" stays the same folder. When taken says a
// name is in use, the seconds are added, then a counter; an empty text when
// every name is taken. Never source itself.
QString reFileCopyPath(const QString& source, const QDateTime& now, const std::function<bool(const QString&)>& taken);

// What the set-up needs of the open page. The window layer fills it.
struct ReFileEnvironment
{
    // The "ReFile Restrictions" terms: true only when the user agreed.
    std::function<bool()> agreeToRestrictions;
    // The open return's file; empty when it was never saved.
    std::function<QString()> returnFilePath;
    // Moves the page to path, which holds the amended return already, and
    // saves the return there with the page's own state.
    std::function<void(const QString& path)> moveToFile;
};

// ReFILE of a filed return that must be amended: the set-up turns the open
// return into an amended return kept in a new file, so that the file of the
// filed return stays as it was; the reset takes the ReFILE mark off again.
class ReFileSetup
{
public:
    ReFileSetup(FeatureContext context, ReFileEnvironment environment);

    void prepare();
    // Whether the return may be refiled; when not, the first reason is shown.
    bool isEligible();
    // Clears the current person's ReFILE mark in the open return only.
    void unset();

private:
    void tell(const QString& text, QWidget* parent);

    FeatureContext m_context;
    ReFileEnvironment m_env;
};
