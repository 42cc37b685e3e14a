#pragma once

#include <QDialog>
#include <QSet>
#include <QString>

#include <functional>

class QButtonGroup;
class QCloseEvent;
class QLabel;
class QListView;
class QPushButton;
class QRadioButton;
class QStandardItemModel;
class ThreadFindFiles;

// What the search does with the file the user picks: the window's own
// open and import commands (each tells the user of its own failures).
struct FoundFileOpener
{
    std::function<void(const QString&)> openReturnFile;
    std::function<void(const QString&)> importReturnFile;
    unsigned char edition = 2; // titles the dialog's message boxes
};

// "Find Return Files": searches the user's folders for the return files of a
// chosen year on a worker thread, lists every file found once, keeps the list
// for the next use in the list file, and opens (this year's) or imports (last
// year's) the file the user picks, then closes.
//
// Every way of closing (Close, Escape, the close box) stops a running search
// and waits for it: the rows found up to then are listed and saved, and no
// worker outlives the dialog.
class DlgFindFiles : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 741;
    static constexpr int kHeight = 563;

    DlgFindFiles(const QString& title, const QString& saveFilePath, FoundFileOpener opener,
                 QWidget* parent = nullptr);
    ~DlgFindFiles() override;

    // True when no search runs; otherwise asks the user to stop it first.
    bool continueIfSearchStopped();
    bool isSearching() const { return m_worker != nullptr; }
    QStandardItemModel* resultList() const { return m_model; }
    // The paths listed, in row order.
    QStringList listedPaths() const;

    QRadioButton* radLastYear = nullptr;
    QRadioButton* radCurYear = nullptr;
    QRadioButton* radPriorYears = nullptr;
    QButtonGroup* grpSearchOption = nullptr;
    QPushButton* btnSearch = nullptr;
    QPushButton* btnStop = nullptr;
    QPushButton* btnClear = nullptr;
    QLabel* lblSearching = nullptr;
    QListView* listView = nullptr;
    QPushButton* btnOpen = nullptr;
    QPushButton* btnClose = nullptr;

public slots:
    void on_btnSearch_clicked();
    void on_btnStop_clicked();
    void on_btnOpenReturn();
    void on_btnClose();
    void on_btnClearResult();
    void onProgressChanged(int nSeconds);
    void onThreadFinished();
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void onFileFound(const QString& path, const QString& canonicalPath);
    void onStatusChanged(const QString& text);

private:
    void buildLayout();
    void loadFromSaveFile();
    void saveToSaveFile();
    // Appends a row unless the file is listed already.
    void appendRow(const QString& path, const QString& canonicalPath);
    // Raises the worker's stop flag, waits for it to end and takes in what
    // it sent meanwhile (its rows and its end).
    void stopAndWaitForSearch();

    QString m_saveFilePath;
    FoundFileOpener m_opener;
    QStandardItemModel* m_model = nullptr;
    QSet<QString> m_listed; // canonical paths of the rows
    QString m_statusText;
    ThreadFindFiles* m_worker = nullptr;
};
