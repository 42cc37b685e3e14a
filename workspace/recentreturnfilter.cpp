#include "workspace/recentreturnfilter.h"

#include "app/returnfileentry.h"

#include <QSqlDatabase>
#include <QSqlQuery>

RecentReturnFilter::RecentReturnFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setFilterKeyColumn(ReturnFileEntriesModel::PathColumn);
    setDynamicSortFilter(false);
}

void RecentReturnFilter::setFilter(const QString& text, const QStringList& sinNames)
{
    m_text = text.trimmed();
    m_sinNames = sinNames;
    invalidateFilter();
}

QString RecentReturnFilter::sinDigits(const QString& text)
{
    QString digits;
    for (const QChar c : text) {
        if (c.isDigit())
            digits += c;
        else if (c != QLatin1Char(' ') && c != QLatin1Char('-'))
            return QString();
    }
    return digits.size() >= 3 ? digits : QString();
}

QStringList RecentReturnFilter::namesWithSin(QSqlDatabase& db, const QString& digits)
{
    QStringList names;
    if (digits.isEmpty() || !db.isOpen())
        return names;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Digits only, so the pattern holds no wildcard of its own.
    query.prepare(QStringLiteral(
        "select distinct name from tb_taxpayers where replace(replace(sin, ' ', ''), '-', '') like :pattern"));
    query.bindValue(QStringLiteral(":pattern"), QStringLiteral("%") + digits + QStringLiteral("%"));
    if (!query.exec())
        return names;
    while (query.next()) {
        const QString name = query.value(0).toString().trimmed();
        if (!name.isEmpty())
            names << name;
    }
    return names;
}

bool RecentReturnFilter::nameMatchesSin(const QString& rowName) const
{
    // A row names the taxpayer, or "taxpayer & spouse" for a couple.
    const QStringList people = rowName.split(QStringLiteral(" & "));
    for (const QString& person : people) {
        for (const QString& name : m_sinNames) {
            if (person.trimmed().compare(name, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

bool RecentReturnFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    if (m_text.isEmpty())
        return true;
    const QAbstractItemModel* model = sourceModel();
    if (!model)
        return false;
    const QString name =
        model->index(sourceRow, ReturnFileEntriesModel::NameColumn, sourceParent).data().toString();
    const QString path =
        model->index(sourceRow, ReturnFileEntriesModel::PathColumn, sourceParent).data().toString();
    return name.contains(m_text, Qt::CaseInsensitive) || path.contains(m_text, Qt::CaseInsensitive) ||
           nameMatchesSin(name);
}
