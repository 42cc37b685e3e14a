#pragma once

#include <QObject>
#include <QString>

class QThread;

// Runs one latest-version query on a worker thread, so the window stays
// responsive while the web site answers (or does not), and reports the
// reply word on the thread that started it.
class LatestVersionCheck : public QObject
{
    Q_OBJECT
public:
    // The date of this version; only a later one is announced.
    static constexpr const char* kThisVersionDate = "20241213";

    explicit LatestVersionCheck(const QString& host, QObject* parent = nullptr);
    ~LatestVersionCheck() override;

    void start();
    // Runs the event loop until the query has finished (at most its
    // time-out) and its result has been reported.
    void wait();
    bool isRunning() const;

    // True for a word of exactly eight digits later than this version's date.
    static bool isNewerVersion(const QString& word);

signals:
    // The reply word (empty when the query failed or had no answer).
    void finished(const QString& word);

private:
    QString m_host;
    QThread* m_thread = nullptr;
    QString m_word; // written by the worker, read after it has finished
};
