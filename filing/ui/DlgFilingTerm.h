#pragma once

#include <QDialog>

class QAbstractButton;
class QDialogButtonBox;
class QLabel;
class QTextBrowser;
class StyledCheckBox;

// The widgets of the terms dialog.
struct Ui_DlgFilingTerm
{
    QLabel* lblHeader1 = nullptr;
    QLabel* lblHeader2 = nullptr;
    QLabel* lblLink = nullptr;
    QTextBrowser* fld_term = nullptr;
    StyledCheckBox* fld_bAgree = nullptr;
    QLabel* lblAgree = nullptr;
    QDialogButtonBox* buttonBox = nullptr;

    void setupUi(QDialog* dialog);
};

// Terms and conditions the user must agree to before an exchange with the
// agency. Knows nothing of filing: the caller picks title, link, texts and
// reads only whether exec() returned Accepted (OK with the box ticked).
class DlgFilingTerm : public QDialog
{
    Q_OBJECT
public:
    DlgFilingTerm(int mode, QWidget* parent);
    ~DlgFilingTerm() override;

    // The link may come from the agency: it is escaped, and only an http or
    // https address becomes a clickable anchor.
    void setMsg(const QString& agreeText, const QString& link, const QString& title, const char* resourcePath);
    // Empty arguments leave their label as it is.
    void setHeader(const QString& header1, const QString& header2);

    Ui_DlgFilingTerm* ui() const { return m_ui; }

private slots:
    void on_buttonBox_clicked(QAbstractButton* button);

private:
    int m_mode;
    Ui_DlgFilingTerm* m_ui;
};
