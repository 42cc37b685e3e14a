#pragma once

#include <QString>

// The program's settings a feature reads while it runs, as values: taken from
// the configuration when the command starts, so a feature never reaches into
// the application object and a test hands it what it wants.
struct FeatureSettings
{
    QString runFolder; // the run folder, where the filing logs and the result file live
    QString pdfFolder; // where printable returns are written
};
