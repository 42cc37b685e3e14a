#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <memory>
#include <vector>

// One row of the recent-return list as the start page shows it.
class ReturnFileEntry
{
public:
    ReturnFileEntry(int id, const QString& name, const QString& time, const QString& filepath)
        : m_id(id), m_name(name), m_time(time), m_filepath(filepath) {}

    int getId() const { return m_id; }
    QString getName() const { return m_name; }         // "A B", or "A B & C D" for a couple
    QString getTime() const { return m_time; }         // last open time as stored
    QString getFilepath() const { return m_filepath; } // path as stored

private:
    int m_id;
    QString m_name;
    QString m_time;
    QString m_filepath;
};

// The recent-return list: name, last open time and path of each return file.
// The model owns its entries.
class ReturnFileEntriesModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { NameColumn = 0, TimeColumn = 1, PathColumn = 2, ColumnCount = 3 };

    explicit ReturnFileEntriesModel(QObject* parent = nullptr);
    ~ReturnFileEntriesModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // Null, or "" for the path, when there is no entry at that row.
    ReturnFileEntry* getElementData(int row) const;
    QString getFilePath(int row) const;
    QString getFilePath(const QModelIndex& index) const;

    void append(ReturnFileEntry* entry); // takes ownership
    int remove(QModelIndex index);       // 1 removed, 0 no such row
    void clear();

private:
    std::vector<std::unique_ptr<ReturnFileEntry>> m_entries;
};
