#include "workspace/notfiledreport.h"

#include "model/cfamilytaxdata.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

// Why a file gets a line of its own, or the return's not-filed text.
QString verdictOf(const QString& path, bool& notFiled)
{
    notFiled = false;
    QFile probe(path);
    if (!QFileInfo(path).isFile() || !probe.open(QIODevice::ReadOnly))
        return QStringLiteral("file open failed");
    probe.close();
    int code = 0;
    std::unique_ptr<CFamilyTaxData> family(CFamilyTaxData::serializeFromFile(CString(path), code));
    if (!family)
        return QStringLiteral("file open failed");
    // A damaged or foreign file says nothing true about its filing.
    if (code != 0)
        return QStringLiteral("file read failed (code %1)").arg(code);
    // The open password guards the return's contents from this program too.
    if (family->shouldCheckReadPassword())
        return QStringLiteral("password protected");
    QString text;
    family->getReport(0, text);
    notFiled = !text.isEmpty();
    return text;
}

} // namespace

NotFiledReport scanReturnsNotFiled(const QStringList& paths, const std::function<void()>& beforeEach)
{
    NotFiledReport report;
    report.total = paths.size();
    for (int row = 0; row < paths.size(); ++row) {
        if (beforeEach)
            beforeEach();
        bool notFiled = false;
        const QString verdict = verdictOf(paths[row], notFiled);
        if (verdict.isEmpty())
            continue;
        report.text += QStringLiteral("%1 %2\n===> %3\n\n")
                           .arg(row, 4, 10, QLatin1Char('0'))
                           .arg(paths[row], verdict);
        if (notFiled)
            ++report.notFiled;
    }
    report.text += QStringLiteral("Summary: Total files scaned: %1;  Not-filed files: %2\n\n")
                       .arg(report.total)
                       .arg(report.notFiled);
    return report;
}

QString notFiledReportPath(const QString& runFolder, const QDateTime& now)
{
    return QStringLiteral("%1/filing%2.txt").arg(runFolder, now.toString(QStringLiteral("yyMMddHHmmss")));
}
