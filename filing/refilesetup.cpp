#include "filing/refilesetup.h"

#include "model/cfamilytaxdata.h"
#include "model/returnfileloadcode.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <list>

namespace {

const char* const kSuffix = ".r24";
const int kMostCopiesAMinute = 999;

QString tr(const char* text)
{
    return QCoreApplication::translate("ReFileSetup", text);
}

} // namespace

QString reFileCopyPath(const QString& source, const QDateTime& now, const std::function<bool(const QString&)>& taken)
{
    const QString fileName = QFileInfo(source).fileName();
    if (fileName.isEmpty())
        return QString();
    const QString folder = source.left(source.size() - fileName.size());
    QString base = fileName;
    if (base.endsWith(QLatin1String(kSuffix), Qt::CaseInsensitive))
        base.chop(int(qstrlen(kSuffix)));
    const QString stem = folder + base + QStringLiteral("_RF") + now.toString(QStringLiteral("yyMMddHHmm"));

    auto usable = [&](const QString& path) {
        return path.compare(source, Qt::CaseInsensitive) != 0 && !(taken && taken(path));
    };
    QString path = stem + QLatin1String(kSuffix);
    if (usable(path))
        return path;
    // A second set-up within the same minute keeps the first copy.
    const QString withSeconds = stem + now.toString(QStringLiteral("ss"));
    path = withSeconds + QLatin1String(kSuffix);
    if (usable(path))
        return path;
    for (int n = 2; n <= kMostCopiesAMinute; ++n) {
        path = withSeconds + QLatin1Char('_') + QString::number(n) + QLatin1String(kSuffix);
        if (usable(path))
            return path;
    }
    return QString();
}

ReFileSetup::ReFileSetup(FeatureContext context, ReFileEnvironment environment)
    : m_context(std::move(context)), m_env(std::move(environment))
{
}

void ReFileSetup::tell(const QString& text, QWidget* parent)
{
    m_context.tellInformation(text, parent);
}

bool ReFileSetup::isEligible()
{
    if (!m_context.family)
        return false;
    std::list<CString> messages;
    // The rules of the DIRERAD edition, which is the one that refiles.
    m_context.family->IsEligibleForReFile(2, messages);
    if (messages.empty())
        return true;
    tell(messages.front(), m_context.dialogParent);
    return false;
}

void ReFileSetup::prepare()
{
    CFamilyTaxData* family = m_context.family;
    if (!family || !m_env.agreeToRestrictions || !m_env.agreeToRestrictions())
        return;
    if (!isEligible())
        return;
    const QString source = m_env.returnFilePath ? m_env.returnFilePath() : QString();
    if (source.isEmpty()) {
        tell(tr("Please save current return to a file first!"), m_context.dialogParent);
        return;
    }
    const QString target =
        reFileCopyPath(source, m_context.currentTime(), [](const QString& path) { return QFileInfo::exists(path); });
    if (target.isEmpty()) {
        tell(tr("No free name was found beside %1 for the ReFile copy. Please try again in a minute.").arg(source),
             m_context.dialogParent);
        return;
    }

    // The amended return is written first from a copy, so that a failed
    // write leaves the open return, and the file it belongs to, as they were.
    CFamilyTaxData amended;
    amended = *family;
    if (amended.prepareForReFile() != 0)
        return;
    QString error;
    if (amended.saveToFile(CString(target), m_context.edition, &error) != RFL_SUCCESS) {
        tell(tr("The ReFile copy could not be saved to %1.\n%2\nThe return was not set for ReFile.").arg(target, error),
             m_context.dialogParent);
        return;
    }
    family->prepareForReFile();
    if (m_env.moveToFile)
        m_env.moveToFile(target);
    tell(tr("ReFile copied a new file named [%1] to handle amendment. Original file is untouched.").arg(target),
         nullptr);
}

void ReFileSetup::unset()
{
    if (!m_context.family)
        return;
    m_context.family->UnsetReFile();
}
