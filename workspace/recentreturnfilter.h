#pragma once

#include <QSortFilterProxyModel>
#include <QStringList>

class QSqlDatabase;

// Sits between the recent-return list and the start page's table. With a
// filter text it keeps the rows whose taxpayer or spouse name or whose file
// path contains the text (without regard to case), and the rows of the
// taxpayers whose S.I.N. contains the digits typed. It never sorts.
class RecentReturnFilter : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit RecentReturnFilter(QObject* parent = nullptr);

    // sinNames: full names of the taxpayers whose S.I.N. matches the text.
    void setFilter(const QString& text, const QStringList& sinNames);
    QString filterText() const { return m_text; }

    // The digits of a text that looks like (part of) a S.I.N.: at least three
    // digits, and nothing else but blanks and dashes. Empty otherwise.
    static QString sinDigits(const QString& text);
    // Names of the taxpayers recorded with a S.I.N. containing the digits.
    static QStringList namesWithSin(QSqlDatabase& db, const QString& digits);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    bool nameMatchesSin(const QString& rowName) const;

    QString m_text;
    QStringList m_sinNames;
};
