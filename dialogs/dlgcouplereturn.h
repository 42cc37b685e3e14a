#pragma once

#include "companion/ui/ppgwizardpage.h"

class StringLineEdit;

// The one page of "Couple Two Returns Together": the two return files, typed
// or browsed for. Binds no record: the paths are read after the wizard.
class DlgCoupleReturn_tab1 : public PpgWizardPage
{
    Q_OBJECT
public:
    static constexpr int kWidth = 735;
    static constexpr int kHeight = 400;

    // edition titles the messages; browseFolder is where browsing starts.
    DlgCoupleReturn_tab1(unsigned char edition, const QString& browseFolder, QWidget* parent);

    // True when both name an existing regular file; otherwise tells the
    // user and keeps the wizard open.
    bool validatePage() override;
    bool browseToGetFilename(QString& path);

    QString m_strFile1;
    QString m_strFile2;

public slots:
    void on_btnBtn1_clicked();
    void on_btnBtn2_clicked();

private:
    unsigned char m_edition;
    QString m_browseFolder;
    StringLineEdit* m_edit1 = nullptr;
    StringLineEdit* m_edit2 = nullptr;
};

// The wizard "Couple Two Returns Together" (700 x 370, modern style, no Back
// button on its start page). After Finish (1) file1 and file2 hold the
// paths.
int runCoupleReturnWizard(unsigned char edition, const QString& browseFolder, QWidget* parent, QString& file1, QString& file2);
