#pragma once

#include "workspace/recentreturnfilter.h"

#include <QWidget>

class MainWindow;
class QKeyEvent;
class QShowEvent;
class TabWndApp;
class Ui_ViewIntroduction;

// The start page: the recent return files with a filter, and the buttons to
// create, open, import and remove returns and to set the preferences.
class ViewIntroduction : public QWidget
{
    Q_OBJECT
public:
    ViewIntroduction(TabWndApp* app, MainWindow* mainWindow, QWidget* parent);
    ~ViewIntroduction() override;

    Ui_ViewIntroduction* widgets() const { return ui; }
    RecentReturnFilter* proxyModel() { return &m_proxyModel; }
    // Reloads the recent-return list from the database (keeps the filter).
    void reloadEntries();
    // The source row of the first selected row of the table, or -1.
    int selectedSourceRow() const;

public slots:
    void on_newButton_clicked();
    void on_prefButton_clicked();
    void on_openButton_clicked();
    void on_delButton_clicked();
    void on_tableView_doubleClicked(const QModelIndex& index);
    void on_importButton_clicked();
    void on_edtFilter_textChanged(const QString& arg1);
    void on_resetFilterButton_clicked();
    void ShowContextMenu(const QPoint& pos);
    void gotoSelectedFolder();
    void copySelectedFolder();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The file path of a table (proxy) index's row, or empty.
    QString pathOfProxyIndex(const QModelIndex& index) const;
    QString selectedFolder() const;
    void openPath(const QString& path);

    bool m_bFirstShow;
    Ui_ViewIntroduction* ui;
    MainWindow* m_pMainWindow;
    TabWndApp* m_pApp;
    RecentReturnFilter m_proxyModel;
};
