#pragma once

#include "agencydata/threadtddsession.h"
#include "companion/core/cstring.h"

#include <QDialog>
#include <QSqlDatabase>

#include <functional>

class CFamilyTaxData;
class QLabel;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class TDDDataEntriesModel;
class TDDDataEntry;
struct TDDTaxDataOnePerson;

// What the stored-records dialog needs of the window: the open return (or
// none), what to do once a record went into it, the terms dialog, and a
// session's options with readers that store what the session fetches.
struct TddMainContext
{
    unsigned char edition = 2;
    CFamilyTaxData* family = nullptr;
    std::function<void()> afterApply;
    std::function<bool(QWidget* parent, const QString& title, const char* resource)> askTerms;
    std::function<TddSessionOptions()> sessionOptions;
    // Where notice pages are written; only files inside it are ever removed.
    QString noticeFolder;
};

// The stored Auto-fill records (forWhich 1) or notices (2): lists them,
// fetches new ones in a session, shows one, applies an Auto-fill record to
// the open return and removes records.
class DlgTDDMain : public QDialog
{
    Q_OBJECT
public:
    DlgTDDMain(short forWhich, QSqlDatabase& db, const CString& sin, const TddMainContext& context,
               QWidget* parent);
    ~DlgTDDMain() override;

    int RefillItems();
    int LoadTDDDataFromDB();
    int LoadNOADataFromDB();
    // 1 found, 0 not found or failed (the failure is shown).
    int LoadHtmlByIDFromDB(int id, CString& sin, int& taxYear, CString& html);
    // 1 read, 0 no record, -2 stored text unreadable, -100 database failure.
    int LoadPersonDataByIDFromDB(int id, TDDTaxDataOnePerson& person);
    // True when the record is gone.
    bool removeByIDFromDB(int id);
    TDDDataEntry* getSelEntry() const;

    TDDDataEntriesModel* model() const { return m_model; }
    QTableView* tableView() const { return m_table; }

public slots:
    void on_btnView_clicked();
    void on_btnNew_clicked();
    void on_btnRemove_clicked();
    void on_btnClose_clicked();

protected:
    void showEvent(QShowEvent* event) override;

private:
    int loadRows(const QString& sql);
    QModelIndex selectedModelIndex() const;
    void viewNotice(const CString& text);
    void viewAutoFill(const TDDDataEntry& entry, const CString& sin, int taxYear, const CString& html);
    void applyRecord(int id, int taxYear, class DataAFR& options);
    bool isRemovableNoticePage(const QString& path, int id);
    void tell(const QString& text);
    bool ask(const QString& text);
    bool isAutoFill() const { return m_forWhich == 1; }

    short m_forWhich;
    QSqlDatabase m_db;
    CString m_sin;
    TddMainContext m_context;
    TDDDataEntriesModel* m_model;
    QSortFilterProxyModel* m_proxy;
    QLabel* m_label;
    QTableView* m_table;
    QPushButton* m_btnView;
    QPushButton* m_btnNew;
    QPushButton* m_btnRemove;
    QPushButton* m_btnClose;
};
