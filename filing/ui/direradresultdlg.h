#pragma once

#include "filing/direradsubmission.h"

#include "companion/core/cstring.h"

#include <QDialog>
#include <QMutex>

class CFamilyTaxData;
class QAbstractButton;
class QDialogButtonBox;
class QFrame;
class QLabel;
class QLineEdit;

// The widgets of the submission dialog.
struct Ui_CDireradResultDlg
{
    QFrame* frame = nullptr;
    QLabel* lblResult = nullptr;
    QLineEdit* edtTestcase = nullptr;
    QLabel* label_5 = nullptr;
    QLabel* lblResult_2 = nullptr;
    QLabel* lblMsg1 = nullptr;
    QLabel* label_2 = nullptr;
    QLabel* lblMsgBottom = nullptr;
    QDialogButtonBox* buttonBox = nullptr;

    void setupUi(QDialog* dialog);
};

// The dialog in which the user confirms and sends one person's T1 return:
// OK fetches the agency's terms, files the return, shows the result and the
// after-filing page, then closes; Cancel closes without sending. The caller
// reads m_outcome, m_strConfirmation and m_strAgencyMessage after exec().
//
// Mode 1 is the EFILE submission of a tax preparer, any other mode DIRERAD.
// After an EFILE refusal m_strConfirmation holds the agency's codes.
class CDireradResultDlg : public QDialog
{
    Q_OBJECT
public:
    CDireradResultDlg(int mode, CFamilyTaxData* data, int isReFile, CString& xml, QWidget* parent,
                      DireradSubmissionSettings settings);
    ~CDireradResultDlg() override;

    void SetStringInfo(const CString& status, const CString& name);
    // The test-case field is offered in test mode only.
    bool allowTestId() const;

    Ui_CDireradResultDlg* ui() const { return m_ui; }

    DireradOutcome m_outcome = DireradOutcome::NotSent;
    bool m_bSucceeded = false;
    CString m_strConfirmation;
    CString m_strAgencyMessage;
    QString m_strTestCase;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void on_buttonBox_clicked(QAbstractButton* button);

private:
    void onSendInterdirErad();
    void sendDirErad();
    // The EFILE submission of mode 1, under the preparer's number and
    // password from the settings.
    void sendEFile(const CString& efileNumber, const CString& password);

    QMutex m_mutex;
    int m_nMode;
    Ui_CDireradResultDlg* m_ui;
    CFamilyTaxData* m_pFamilyData;
    int m_nIsReFile;
    CString* m_pXml;
    CString m_strName;
    CString m_strStatus;
    DireradSubmissionSettings m_settings;
};
