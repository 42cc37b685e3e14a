#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QuillorAccountPanel;
class TabWndApp;

// The program's own settings: default folders, the preparer's business and
// EFILE details, assessment contacts, print switches and the e-signature
// account. Shows what the application object holds; "Apply Changes" copies
// every field back and writes the settings table, "Cancel" drops all edits.
class PreferenceDlg : public QDialog
{
    Q_OBJECT
public:
    explicit PreferenceDlg(QWidget* parent = nullptr);

    QTabWidget* tabWidget = nullptr;
    QLineEdit* edtFolderRetFiles = nullptr;
    QLineEdit* edtFolderPdfFiles = nullptr;
    QPushButton* btnBrowseRetFilesFolder = nullptr;
    QPushButton* btnBrowsePdfFilesFolder = nullptr;
    QCheckBox* chkPdfSavedWithRet = nullptr;
    QLineEdit* edtBusiName = nullptr;
    QLineEdit* edtStreetAddr = nullptr;
    QLineEdit* edtCity = nullptr;
    QLineEdit* edtProv = nullptr;
    QLineEdit* edtPostcode = nullptr;
    QLineEdit* edtPhone = nullptr;
    QLineEdit* edtEFilerID = nullptr;
    QLineEdit* edtEFilerPswd = nullptr;
    QLineEdit* edtDiscounterID = nullptr;
    QRadioButton* rdoPreAssessPreparer = nullptr;
    QRadioButton* rdoPreAssessTaxPayer = nullptr;
    QRadioButton* rdoPostAssessPreparer = nullptr;
    QRadioButton* rdoPostAssessTaxPayer = nullptr;
    QCheckBox* chkInclClientLetter = nullptr;
    QCheckBox* chkSaveBakFile = nullptr;
    QCheckBox* chkFilingReport = nullptr;
    QCheckBox* chkCustomizedClientLetter = nullptr;
    QuillorAccountPanel* accountPanel = nullptr; // edtUserEmail, edtUserPswd, btnCheckPoints
    QLineEdit* edtFromEmail = nullptr;
    QPushButton* btnApply = nullptr;
    QPushButton* btnCancel = nullptr;

public slots:
    void on_btnBrowseRetFilesFolder_clicked();
    void on_btnBrowsePdfFilesFolder_clicked();
    void on_btnApply_clicked();
    void on_btnCancel_clicked();

private:
    QWidget* buildFoldersTab();
    QWidget* buildPreparerTab();
    QWidget* buildEsignTab();
    void fillFromApp(const TabWndApp& app);
    void storeIntoApp(TabWndApp& app) const;
    void browseInto(QLineEdit* edit);
    // A folder that is missing or not writable would make every later save
    // fail; the user may have it created. False keeps the dialog open.
    bool folderUsable(const QString& path);

    QButtonGroup* buttonGroupPreAssess = nullptr;
    QButtonGroup* buttonGroupPostAssess = nullptr;
};
