#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <list>

// One stored record as the records table lists it.
class TDDDataEntry
{
public:
    TDDDataEntry(int id, const QString& sin, const QString& time, int taxYear)
        : m_id(id), m_sin(sin), m_time(time), m_taxYear(taxYear)
    {
    }
    int getId() const { return m_id; }
    QString getName() const { return m_sin; }
    QString getTime() const { return m_time; }
    int getTaxyear() const { return m_taxYear; }

private:
    int m_id;
    QString m_sin;
    QString m_time;
    int m_taxYear;
};

// The stored records of one service: "S.I.N.", "Update Time" and "Tax Year"
// (an integer, so a sorting proxy orders it by number). Owns its entries.
class TDDDataEntriesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit TDDDataEntriesModel(QObject* parent = nullptr);
    ~TDDDataEntriesModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Null for a row the model does not have.
    TDDDataEntry* getElementData(int row) const;
    // Takes ownership.
    void append(TDDDataEntry* entry);
    // 1 when the row existed and is gone, else 0.
    int remove(const QModelIndex& index);
    void clear();

private:
    std::list<TDDDataEntry*> m_entries;
};
