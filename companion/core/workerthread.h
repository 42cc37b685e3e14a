#pragma once

#include <QMutex>
#include <QStringList>
#include <QThread>

// Base of the program's background workers. A subclass implements run() and
// looks at isCancelled() between steps; cancel() may be called from any
// thread. finished() comes from QThread.
class MyWorkerThread : public QThread
{
    Q_OBJECT
public:
    explicit MyWorkerThread(QObject* parent = nullptr);
    ~MyWorkerThread() override;

    // Asks run() to stop at its next check.
    void cancel();
    bool isCancelled() const;

    // True when text equals an entry of list (ignoring case unless
    // caseSensitive).
    static bool checkStrInStrList(const QString& text, const QStringList& list, bool caseSensitive);

signals:
    void progressChanged(int value);

protected:
    // Clears the stop flag, for a worker that is started again.
    void resetCancel();

    mutable QMutex m_mutex;
    bool m_stop = false;
};
