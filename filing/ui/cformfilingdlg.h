#pragma once

#include "filing/formfilingsettings.h"

#include "companion/core/cstring.h"
#include "companion/core/templatevaluemap.h"
#include "companion/forms/taxtypes.h"

#include <QDialog>
#include <QMutex>

#include <functional>
#include <string>

class CFamilyTaxData;
class QDialogButtonBox;
class QFrame;
class QLabel;
class QVBoxLayout;

// The widgets of the form filing dialog.
struct Ui_CFormFilingDlg
{
    QVBoxLayout* verticalLayout_2 = nullptr;
    QVBoxLayout* verticalLayout = nullptr;
    QLabel* lbl1 = nullptr;
    QLabel* lbl2 = nullptr;
    QLabel* lbl3 = nullptr;
    QLabel* lbl4 = nullptr;
    QFrame* line = nullptr;
    QDialogButtonBox* buttonBox = nullptr;

    void setupUi(QDialog* dialog);
};

// Files one form apart from the T1 return: the T1135 statement (form type
// 101), the T1013 authorisation (117) or the T185 pre-authorised debit
// (181). It shows which form is filed for whom; OK runs the whole filing
// (terms, request, result, filing status, log and filing record) and
// closes; Cancel, the default button, closes without any exchange.
//
// The form type picks the texts and the filing from one table
// (cformfilingdlg.cpp). The caller's xml must outlive the dialog.
class CFormFilingDlg final : public QDialog
{
    Q_OBJECT
public:
    CFormFilingDlg(const CString& efilerId, const CString& password, ENUMTYPE_FORM type, CString& xml,
                   CFamilyTaxData* family, QWidget* parent, FormFilingSettings settings);
    ~CFormFilingDlg() override;

    // The taxpayer's name and S.I.N.; called once, before exec().
    void SetStringInfo(const CString& name, const CString& id);
    void SetLabel3(const CString& text);

    // What OK runs for a T1135: the road's steps after the dialog
    // (T1135Road), given the placeholders; the code of the step that
    // stopped, 0 when the agency answered. Without it OK files nothing.
    void setT1135Sender(std::function<int(TemplateValueMap&)> send) { m_sendT1135 = std::move(send); }

    // Whether the filing counts as succeeded (read after exec()).
    bool succeeded() const { return m_bSucceeded; }
    Ui_CFormFilingDlg* ui() const { return m_ui; }

public slots:
    // The filing, then the dialog closes whatever its outcome. A press
    // that arrives while a filing runs sends nothing.
    void accept() override;
    // Ignored while a filing runs: the filing must end before the dialog.
    void reject() override;

private:
    // One row of the table of form types.
    struct Kind
    {
        ENUMTYPE_FORM type;
        const char* okText;  // also the window title
        const char* heading; // "lbl1" after SetStringInfo; null keeps the first one
        int (CFormFilingDlg::*file)(TemplateValueMap& values);
    };
    static const Kind& kindOf(ENUMTYPE_FORM type);

    // The filings, each given the request putFilingRequest puts for the form;
    // 0, or the code of the step that stopped it.
    int fileT1135(TemplateValueMap& values);
    int fileT1013orT185(TemplateValueMap& values);

    std::string m_strShortName; // the form's code in the catalogue ("T1135")
    ENUMTYPE_FORM m_nFormType;
    CString m_strEfilerId;
    CString m_strEfilerPassword;
    CFamilyTaxData* m_pFamilyData;
    bool m_bSucceeded = false;
    CString m_strTaxpayerId;
    CString m_strTaxpayerName;
    CString& m_strXml;
    Ui_CFormFilingDlg* m_ui;
    FormFilingSettings m_settings;
    const Kind& m_kind;
    QMutex m_filing; // held while a filing runs
    std::function<int(TemplateValueMap&)> m_sendT1135;
};
