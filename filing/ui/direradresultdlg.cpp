#include "filing/ui/direradresultdlg.h"

#include "filing/direradsending.h"
#include "filing/efilesubmission.h"
#include "filing/ui/DlgFilingResult.h"
#include "filing/ui/direradtermsstep.h"
#include "filing/ui/pagewidgets.h"
#include "filing/ui/ppgafterdirerad.h"

#include "companion/core/messages.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

QSpacerItem* gap()
{
    return new QSpacerItem(20, 12, QSizePolicy::Minimum, QSizePolicy::Fixed);
}

// Restores the cursor on every way out of a wait.
class OverrideCursor
{
public:
    OverrideCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~OverrideCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

void Ui_CDireradResultDlg::setupUi(QDialog* dialog)
{
    using namespace pagewidgets;
    dialog->setObjectName("CDireradResultDlg");
    dialog->resize(704, 367);
    setPointSize(dialog, 12);
    dialog->setWindowTitle("Corporate Internet Filing");

    auto* verticalLayout = new QVBoxLayout(dialog);
    verticalLayout->setObjectName("verticalLayout");
    frame = new QFrame(dialog);
    frame->setObjectName("frame");
    verticalLayout->addWidget(frame);
    auto* inner = new QVBoxLayout(frame);
    inner->setObjectName("verticalLayout_3");
    inner->setSpacing(3);
    inner->setContentsMargins(5, 5, 5, 5);

    auto* grid = new QGridLayout;
    grid->setObjectName("gridLayout");
    lblResult = label(frame, "lblResult", "TextLabel");
    setPointSize(lblResult, 12, true);
    lblResult->setStyleSheet("font-weight: bold;");
    edtTestcase = new QLineEdit(frame);
    edtTestcase->setObjectName("edtTestcase");
    grid->addWidget(lblResult, 0, 0);
    grid->addWidget(edtTestcase, 0, 1);
    inner->addLayout(grid);

    label_5 = label(frame, "label_5", "Please confirm the return result below before you submit the return to CRA.");
    inner->addWidget(label_5);
    lblResult_2 = label(frame, "lblResult_2", QString());
    setPointSize(lblResult_2, 10);
    lblResult_2->setStyleSheet("color:blue");
    inner->addWidget(lblResult_2);
    inner->addWidget(sunkenLine(frame, "line"));
    inner->addItem(gap());
    lblMsg1 = label(frame, "lblMsg1",
                    "DirErad/EFile is for one person only at a time, please don't forget to submit spouse's return.");
    inner->addWidget(lblMsg1);
    inner->addItem(gap());
    label_2 = label(frame, "label_2",
                    "T1134/T1135 and E-Auth (former T1013) is NOT filed along with T1 return, you need to file them "
                    "separately.");
    label_2->setWordWrap(true);
    inner->addWidget(label_2);
    inner->addItem(new QSpacerItem(20, 20, QSizePolicy::Minimum, QSizePolicy::Expanding));
    lblMsgBottom = label(frame, "lblMsgBottom", QString());
    inner->addWidget(lblMsgBottom);
    inner->addWidget(sunkenLine(frame, "line_2"));

    buttonBox = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttonBox->setObjectName("buttonBox");
    verticalLayout->addWidget(buttonBox);
}

CDireradResultDlg::CDireradResultDlg(int mode, CFamilyTaxData* data, int isReFile, CString& xml, QWidget* parent,
                                     DireradSubmissionSettings settings)
    : QDialog(parent),
      m_nMode(mode),
      m_ui(new Ui_CDireradResultDlg),
      m_pFamilyData(data),
      m_nIsReFile(isReFile),
      m_pXml(&xml),
      m_settings(std::move(settings))
{
    m_ui->setupUi(this);
    setWindowTitle(mode == 1 ? tr("EFile Tax Return to CRA") : tr("DirErad Tax Return to CRA"));
    connect(m_ui->buttonBox, &QDialogButtonBox::clicked, this, &CDireradResultDlg::on_buttonBox_clicked);
}

CDireradResultDlg::~CDireradResultDlg()
{
    delete m_ui;
}

void CDireradResultDlg::SetStringInfo(const CString& status, const CString& name)
{
    m_strStatus = status;
    m_strName = name;
}

bool CDireradResultDlg::allowTestId() const
{
    return m_settings.exchange.testMode;
}

void CDireradResultDlg::showEvent(QShowEvent* event)
{
    if (!allowTestId())
        m_ui->edtTestcase->hide();
    QString line;
    QPushButton* ok = m_ui->buttonBox->button(QDialogButtonBox::Ok);
    if (m_nMode == 1) {
        m_ui->lblResult->setText(tr("EFile (by Tax Professional)"));
        ok->setText(tr("EFile Return"));
        line = tr("This T1 EFile filing is only for %1").arg(m_strName);
    } else {
        m_ui->lblResult->setText(tr("DirErad (for youself, family member or friend's tax return)"));
        ok->setText(tr("DirErad Return"));
        line = tr("This T1 DirErad filing is only for %1").arg(m_strName);
    }
    m_ui->lblResult_2->setText(m_strStatus);
    m_ui->lblMsg1->setText(line);
    QDialog::showEvent(event);
}

void CDireradResultDlg::on_buttonBox_clicked(QAbstractButton* button)
{
    const QDialogButtonBox::StandardButton which = m_ui->buttonBox->standardButton(button);
    if (which == QDialogButtonBox::Cancel) {
        done(0);
        return;
    }
    if (which != QDialogButtonBox::Ok)
        return;
    // A press that arrives while a submission runs (through the event loop
    // of a nested dialog) must neither send again nor close the dialog
    // under the running submission.
    if (!m_mutex.tryLock())
        return;
    m_ui->buttonBox->setEnabled(false);
    onSendInterdirErad();
    m_mutex.unlock();
    done(0);
}

void CDireradResultDlg::onSendInterdirErad()
{
    if (m_nMode == 1) {
        if (m_settings.efileNumber.isEmpty() || m_settings.efilePassword.isEmpty()) {
            gMsgInformation(m_nMode, tr("Please enter EFiler ID/password and RepID into preference from menu Start | Preference."),
                            this);
            return;
        }
        sendEFile(m_settings.efileNumber, m_settings.efilePassword);
        return;
    }
    sendDirErad();
}

void CDireradResultDlg::sendEFile(const CString& efileNumber, const CString& password)
{
    EfileSubmission submission(m_pFamilyData, m_settings);
    const QString refusal = submission.refusalBeforeSending();
    if (!refusal.isEmpty()) {
        gMsgInformation(m_nMode, refusal, this);
        return;
    }
    if (allowTestId())
        m_strTestCase = m_ui->edtTestcase->text();
    FilingResultReport report;
    {
        OverrideCursor wait;
        report = submission.file(efileNumber, password, m_strTestCase, *m_pXml, m_strName, m_strStatus);
    }

    DlgFilingResult result(report.title, this);
    result.setMsg(report.overview, report.details, report.bottom, report.path, report.detailsAreHtml);
    result.exec();

    // A filing that was not answered leaves the members as they were.
    m_outcome = submission.outcome();
    if (m_outcome == DireradOutcome::Accepted) {
        m_bSucceeded = true;
        m_strConfirmation = submission.confirmation();
        m_strAgencyMessage = submission.agencyMessage();
    } else if (m_outcome == DireradOutcome::Refused) {
        m_bSucceeded = false;
        m_strConfirmation = submission.confirmation();
    }
}

namespace {

// The submission dialog's answers to what sending asks: the terms dialog,
// the test case typed in the dialog, the result dialog and the after-filing
// page, all over the submission dialog.
class DialogSendingQuestions : public DireradSendingQuestions
{
public:
    DialogSendingQuestions(CDireradResultDlg& dialog, QString testCase) : m_dialog(dialog), m_testCase(std::move(testCase)) {}

    bool agreeToTerms(const SoapFilingResult& terms, bool isReFile) override
    {
        return askFilingTerms(terms, isReFile, &m_dialog);
    }
    QString testCaseText() override { return m_testCase; }
    void showResult(const FilingResultReport& report) override
    {
        DlgFilingResult result(report.title, &m_dialog);
        result.setMsg(report.overview, report.details, report.bottom, report.path, report.detailsAreHtml);
        result.setCause(report.cause);
        result.exec();
    }
    void afterAcceptance(bool hasEmail, double balance) override { runAfterDireradPage(hasEmail, balance, &m_dialog); }
    QWidget* promptParent() const override { return &m_dialog; }
    void waiting(bool on) override
    {
        if (on)
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QApplication::restoreOverrideCursor();
    }

private:
    CDireradResultDlg& m_dialog;
    QString m_testCase;
};

} // namespace

void CDireradResultDlg::sendDirErad()
{
    if (allowTestId())
        m_strTestCase = m_ui->edtTestcase->text();
    DialogSendingQuestions questions(*this, m_strTestCase);
    DireradSubmissionRequest request;
    request.family = m_pFamilyData;
    request.isReFile = m_nIsReFile;
    request.xml = m_pXml;
    request.status = m_strStatus;
    request.name = m_strName;
    request.parent = this;
    request.settings = m_settings;
    const DireradSubmissionResult result = sendDireradReturn(request, questions);
    m_outcome = result.outcome;
    m_bSucceeded = m_outcome == DireradOutcome::Accepted;
    m_strConfirmation = result.confirmation;
    m_strAgencyMessage = result.agencyMessage;
}
