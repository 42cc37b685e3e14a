#include "workspace/slipsummaryfile.h"

#include "companion/core/folders.h"

#include <QDir>
#include <QSaveFile>
#include <QTextStream>

QString slipSummaryPath(const QString& folder, const QString& personName)
{
    const QString name = makeValidFilename(CString(personName)) + QStringLiteral("_SlipSummary.html");
    return QDir(folder).filePath(name);
}

bool writeSlipSummaryFile(const QString& path, const std::function<void(QTextStream&)>& body, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QTextStream out(&file);
        out.setCodec("UTF-8");
        out << "<html><head><title>Slip Summary</title></head><body>";
        if (body)
            body(out);
        out << "</body></html>";
        out.flush();
        if (out.status() != QTextStream::Ok) {
            file.cancelWriting();
            if (error)
                *error = QObject::tr("the summary could not be written");
            return false;
        }
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
