#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QTextBrowser;
class QWidget;

// The widgets of the filing result dialog, at fixed places.
struct Ui_DlgFilingResult
{
    QWidget* verticalLayoutWidget = nullptr;
    QLabel* lblOverview = nullptr;
    QTextBrowser* pteDetails = nullptr;
    QLabel* lblCause = nullptr;
    QLabel* lblBottom = nullptr;
    QLabel* lblLink = nullptr;
    QDialogButtonBox* buttonBox = nullptr;

    void setupUi(QDialog* dialog);
};

// The dialog that ends every submission to the agency: an overview, the
// agency's message, a bottom line and a link to the local file that holds
// the details. It knows nothing of filing; its callers pick every text.
class DlgFilingResult : public QDialog
{
    Q_OBJECT
public:
    DlgFilingResult(const QString& title, QWidget* parent);
    ~DlgFilingResult() override;

    // overview and bottom are shown as plain text. details is HTML when
    // detailsAreHtml (the refusal HTML, whose agency texts are escaped
    // already); otherwise it is plain text (an agency message in CR LF
    // lines, a failure text), escaped here with its line ends kept. path
    // is a local file, shown as itself and opened on a click.
    void setMsg(const QString& overview, const QString& details, const QString& bottom, const QString& path,
                bool detailsAreHtml = false);

    // The cause of a filing that was not answered, in the words of what
    // failed, as a paragraph of its own under the details; hidden when empty.
    void setCause(const QString& cause);

    Ui_DlgFilingResult* ui() const { return m_ui; }

private:
    Ui_DlgFilingResult* m_ui;
};
