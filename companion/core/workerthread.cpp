#include "companion/core/workerthread.h"

#include <QMutexLocker>

MyWorkerThread::MyWorkerThread(QObject* parent) : QThread(parent) {}

MyWorkerThread::~MyWorkerThread()
{
    // Destroying a running QThread aborts the process. A subclass should stop
    // and wait in its own destructor (its members go first); this is the last guard.
    cancel();
    wait();
}

void MyWorkerThread::cancel()
{
    QMutexLocker lock(&m_mutex);
    m_stop = true;
}

bool MyWorkerThread::isCancelled() const
{
    QMutexLocker lock(&m_mutex);
    return m_stop;
}

void MyWorkerThread::resetCancel()
{
    QMutexLocker lock(&m_mutex);
    m_stop = false;
}

bool MyWorkerThread::checkStrInStrList(const QString& text, const QStringList& list, bool caseSensitive)
{
    return list.contains(text, caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}
