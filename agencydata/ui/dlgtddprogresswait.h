#pragma once

#include "agencydata/TddWebService.h"
#include "agencydata/tddfailure.h"
#include "agencydata/threadtddsession.h"
#include "companion/core/cstring.h"

#include <QDialog>
#include <QMutex>

#include <list>
#include <map>
#include <memory>
#include <string>

class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QTimer;

// The widgets of the progress dialog, built in code.
struct Ui_DlgTDDProgressWait
{
    QLabel* lblTitle = nullptr;
    QLabel* lblDetail = nullptr;
    QLabel* lblDetail2 = nullptr;
    QProgressBar* progressBar = nullptr;
    QLabel* lblStatus = nullptr;
    QDialogButtonBox* buttonBox = nullptr;
    void setupUi(QDialog* dialog);
};

// The modal progress of one Auto-fill or Express NOA session. Showing it
// starts the session (TddSession); the session's codes arrive through
// PostMessage from any thread and are shown once a second by its timer,
// which ends the dialog three seconds after the records are saved or an
// error was posted. Cancel or closing it ends the session at once: the
// session stops, its listener closes and its workers are waited for before
// the dialog finishes, so the caller reads the saved count only once
// nothing can change it.
class DlgTDDProgressWait : public QDialog, public TddProgressSink
{
    Q_OBJECT
public:
    DlgTDDProgressWait(short forWhich, std::list<std::string>& SINs, QWidget* parent = nullptr);
    ~DlgTDDProgressWait() override;

    // Set before the dialog is shown.
    void setSessionOptions(const TddSessionOptions& options);

    // Stores the code and its status text and shows the text; from a worker
    // the label is updated on the user-interface thread, in posting order.
    int PostMessage(int code, int extra);
    void postMessage(int code, int extra) override { PostMessage(code, extra); }

    // Valid once exec() has returned.
    int savedCount() const { return m_savedCount; }
    // Why nothing was stored, when savedCount() is 0, and the error's code.
    TddFailure failure() const;
    int errorExtra() const;
    const std::map<std::string, CString>& messages() const { return m_messages; }

    // The session's status text and code, for whoever watches the dialog.
    QString statusText() const;
    int code() const;
    TddSession* session() const { return m_session.get(); }

    // The pause between the end of a session and the dialog's end.
    void setCloseDelayMs(int ms) { m_closeDelayMs = ms; }

    void done(int result) override;

public slots:
    void timerTimeout();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void endSession();
    void showStatus(const QString& text);

    Ui_DlgTDDProgressWait m_ui;
    short m_forWhich;
    std::list<std::string>& m_sins;
    TddSessionOptions m_options;
    std::unique_ptr<TddSession> m_session;
    QTimer* m_timer;
    int m_shownCode = -1;
    int m_savedCount = 0;
    int m_closeDelayMs = 3000;
    bool m_started = false;
    bool m_ended = false;
    std::map<std::string, CString> m_messages;

    mutable QMutex m_mutex; // guards the code and the status text
    int m_code = 0;
    QString m_statusText;
    bool m_errorPosted = false;
    int m_errorExtra = 0;
    bool m_loggedIn = false;
    bool m_dataArrived = false;
};
