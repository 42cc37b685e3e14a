// Runs the print type tables export once, for the build: the print engine
// then finds every form's and slip's layout where the program's default
// configuration points it. Usage: JAVA_PROJECT_FOLDER XML_FOLDER BFORM_FOLDER
// With "--engine-tables FOLDER" it writes only the tables the engine itself
// is compiled with (no plug-in needed).
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

#include "print/typetablesexport.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("--engine-tables")) {
        if (!QDir().mkpath(args[2])) {
            std::fprintf(stderr, "cannot make the folder %s\n", qPrintable(args[2]));
            return 1;
        }
        TypeTablesExport::writeEngineTables({args[2], QString(), QString()});
        return 0;
    }
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: %s JAVA_PROJECT_FOLDER XML_FOLDER BFORM_FOLDER\n", argv[0]);
        return 2;
    }
    const TypeTablesFolders folders{args[1], args[2], args[3]};
    for (const QString& folder : {folders.javaProject, folders.xml, folders.bform})
        if (!QDir().mkpath(folder)) {
            std::fprintf(stderr, "cannot make the folder %s\n", qPrintable(folder));
            return 1;
        }
    // A form the program can hold but the engine has no layout for would
    // print without captions: the build stops instead.
    const int withoutLayout = TypeTablesExport::writeFormFiles(folders);
    TypeTablesExport::writeSlipFiles(folders);
    TypeTablesExport::writeNoteFiles(folders);
    if (withoutLayout > 0) {
        std::fprintf(stderr, "%d form type(s) left without a print layout\n", withoutLayout);
        return 1;
    }
    return 0;
}
