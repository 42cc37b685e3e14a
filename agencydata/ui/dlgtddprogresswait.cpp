#include "agencydata/ui/dlgtddprogresswait.h"

#include "agencydata/tddprogress.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QSpacerItem>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace {

void addFixedSpacer(QVBoxLayout* layout)
{
    layout->addItem(new QSpacerItem(20, 20, QSizePolicy::Fixed, QSizePolicy::Fixed));
}

// The status text a code sets; unchanged codes give the previous text.
QString statusTextFor(int code, int extra, const QString& previous)
{
    if (code == TddCode::PollSending1)
        return QStringLiteral("Start to receive data ...");
    if (code < 50) {
        if (code == TddCode::StageReplied)
            return QStringLiteral("Start to token request ...");
        if (code == TddCode::LinkOpening)
            return QStringLiteral(
                "You are about to be redirected to CRA secure server to authorize Auto-Fill/Express-NOA ...");
        return previous;
    }
    if (code == TddCode::Saved)
        return QStringLiteral("%1 record(s) saved into tax data locally (%2).")
            .arg(std::max(0, extra - 1000))
            .arg(extra);
    if (code == TddCode::Error) {
        if (extra == TddExtra::StageRefused)
            return QStringLiteral("initial web service handshake failed, code = %1").arg(extra);
        return QStringLiteral("some error occured, code = %1").arg(extra);
    }
    if (code > 100)
        return QStringLiteral("some unpected error occured, code = %1 - %2.").arg(code).arg(extra);
    return previous;
}

} // namespace

void Ui_DlgTDDProgressWait::setupUi(QDialog* dialog)
{
    dialog->setObjectName(QStringLiteral("DlgTDDProgressWait"));
    dialog->resize(622, 281);
    QFont font = dialog->font();
    font.setPointSize(12);
    dialog->setFont(font);
    dialog->setWindowTitle(QStringLiteral("Auto Fill Progress"));

    auto* layout = new QVBoxLayout(dialog);
    addFixedSpacer(layout);
    lblTitle = new QLabel(QStringLiteral("Auto-Fill Tax Data/Express Notice of Assessment Progress"), dialog);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont bold = font;
    bold.setBold(true);
    lblTitle->setFont(bold);
    lblTitle->setStyleSheet(QStringLiteral("font-weight: heavy;"));
    layout->addWidget(lblTitle);
    addFixedSpacer(layout);
    lblDetail = new QLabel(
        QStringLiteral("Please log in to CRA portal to authorize this Auto-Fill operation; or click Cancel button"),
        dialog);
    lblDetail->setObjectName(QStringLiteral("lblDetail"));
    layout->addWidget(lblDetail);
    lblDetail2 = new QLabel(dialog);
    lblDetail2->setObjectName(QStringLiteral("lblDetail2"));
    layout->addWidget(lblDetail2);
    addFixedSpacer(layout);
    progressBar = new QProgressBar(dialog);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setValue(24);
    layout->addWidget(progressBar);
    addFixedSpacer(layout);
    lblStatus = new QLabel(QStringLiteral("Start querying server ..."), dialog);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    layout->addWidget(lblStatus);
    buttonBox = new QDialogButtonBox(QDialogButtonBox::Cancel, Qt::Horizontal, dialog);
    buttonBox->setObjectName(QStringLiteral("buttonBox"));
    buttonBox->setCenterButtons(true);
    layout->addWidget(buttonBox);
    QObject::connect(buttonBox, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttonBox, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
}

DlgTDDProgressWait::DlgTDDProgressWait(short forWhich, std::list<std::string>& SINs, QWidget* parent)
    : QDialog(parent), m_forWhich(forWhich), m_sins(SINs), m_timer(new QTimer(this))
{
    m_ui.setupUi(this);
    setWindowTitle(forWhich == 1 ? QStringLiteral("Auto-Fill Return Progress")
                                 : QStringLiteral("Express NOA Progress"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, &DlgTDDProgressWait::timerTimeout);
    m_timer->start();
}

DlgTDDProgressWait::~DlgTDDProgressWait()
{
    endSession();
}

void DlgTDDProgressWait::setSessionOptions(const TddSessionOptions& options)
{
    m_options = options;
}

QString DlgTDDProgressWait::statusText() const
{
    QMutexLocker lock(&m_mutex);
    return m_statusText;
}

int DlgTDDProgressWait::code() const
{
    QMutexLocker lock(&m_mutex);
    return m_code;
}

TddFailure DlgTDDProgressWait::failure() const
{
    QMutexLocker lock(&m_mutex);
    const bool dataArrived = m_dataArrived || (m_session && m_session->isOffline());
    return tddFailureOf(m_errorPosted, m_errorExtra, m_loggedIn, dataArrived);
}

int DlgTDDProgressWait::errorExtra() const
{
    QMutexLocker lock(&m_mutex);
    return m_errorExtra;
}

int DlgTDDProgressWait::PostMessage(int code, int extra)
{
    QString text;
    {
        QMutexLocker lock(&m_mutex);
        m_code = code;
        m_statusText = statusTextFor(code, extra, m_statusText);
        if (code == TddCode::Error) {
            m_errorPosted = true;
            m_errorExtra = extra;
        }
        m_loggedIn = m_loggedIn || code == TddCode::TokenAAccepted;
        m_dataArrived = m_dataArrived || code == TddCode::Saved;
        text = m_statusText;
    }
    if (QThread::currentThread() == thread())
        showStatus(text);
    else
        QMetaObject::invokeMethod(this, [this, text] { showStatus(text); }, Qt::QueuedConnection);
    return 0;
}

void DlgTDDProgressWait::showStatus(const QString& text)
{
    m_ui.lblStatus->setText(text);
}

void DlgTDDProgressWait::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    QProgressBar* bar = m_ui.progressBar;
    bar->setRange(0, 100);
    bar->setValue(code());
    bar->setTextVisible(true);
    bar->setFormat(QStringLiteral("Loading..."));
    bar->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);

    m_session.reset(new TddSession(m_options, m_forWhich, m_sins));
    m_session->setDisplay(this);
    if (!m_session->isOffline()) {
        m_session->start();
        return;
    }
    // Offline: the file stands for the agency's reply; no request, no
    // link, no listener. The dialog stays until the user closes it.
    const int stored = m_session->runOffline();
    m_savedCount = std::max(0, stored);
}

void DlgTDDProgressWait::timerTimeout()
{
    int current;
    QString text;
    {
        QMutexLocker lock(&m_mutex);
        current = m_code;
        text = m_statusText;
    }
    if (current == m_shownCode)
        return;
    m_shownCode = current;
    if (current <= 98) {
        m_ui.progressBar->setValue(current);
        showStatus(text);
        return;
    }
    if (current == TddCode::Saved) {
        {
            QMutexLocker lock(&m_mutex);
            m_code = 100; // the next tick ends the dialog
        }
        showStatus(text);
        return;
    }
    m_timer->stop();
    if (m_session)
        m_session->stop();
    int result = QDialog::Accepted;
    if (current != 100) {
        {
            QMutexLocker lock(&m_mutex);
            m_statusText = QStringLiteral("Error happened in auto-fill, please try again later.");
            text = m_statusText;
        }
        showStatus(text);
        result = QDialog::Rejected;
    }
    // Keeps the outcome on screen for a moment without holding up the
    // user-interface thread.
    QTimer::singleShot(m_closeDelayMs, this, [this, result] { done(result); });
}

void DlgTDDProgressWait::endSession()
{
    if (m_ended)
        return;
    m_ended = true;
    m_timer->stop();
    if (!m_session)
        return;
    m_session->stop();
    m_session->waitForWorkers();
    if (!m_session->isOffline())
        m_savedCount = std::max(0, m_session->savedCount());
}

void DlgTDDProgressWait::done(int result)
{
    endSession();
    QDialog::done(result);
}

void DlgTDDProgressWait::closeEvent(QCloseEvent* event)
{
    endSession();
    QDialog::closeEvent(event);
}
