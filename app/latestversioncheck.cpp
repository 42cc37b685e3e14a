#include "app/latestversioncheck.h"

#include "app/cwebinfoutil.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QRegularExpression>
#include <QThread>

LatestVersionCheck::LatestVersionCheck(const QString& host, QObject* parent) : QObject(parent), m_host(host) {}

LatestVersionCheck::~LatestVersionCheck()
{
    // The worker writes into this object: it must be done before it goes.
    if (m_thread)
        m_thread->wait();
}

bool LatestVersionCheck::isNewerVersion(const QString& word)
{
    static const QRegularExpression eightDigits(QStringLiteral("^\\d{8}$"));
    return eightDigits.match(word).hasMatch() && word.compare(QLatin1String(kThisVersionDate)) > 0;
}

void LatestVersionCheck::start()
{
    if (m_thread)
        return;
    const QString host = m_host;
    m_thread = QThread::create([this, host] {
        CString word;
        CWebInfoUtil(host).getInfoByTwoKeyWords("QT1N-2024", "latest", word);
        m_word = word;
    });
    m_thread->setParent(this);
    connect(m_thread, &QThread::finished, this, [this] { emit finished(m_word); });
    m_thread->start();
}

void LatestVersionCheck::wait()
{
    if (!m_thread)
        return;
    // The events keep flowing meanwhile: the page that answers may itself be
    // served by this thread (a test's loopback server).
    QEventLoop loop;
    connect(m_thread, &QThread::finished, &loop, &QEventLoop::quit);
    if (!m_thread->isFinished())
        loop.exec();
    // The result is reported before this returns.
    QCoreApplication::sendPostedEvents(this);
}

bool LatestVersionCheck::isRunning() const
{
    return m_thread && m_thread->isRunning();
}
