#include "fakes/agency/agencyrecorder.h"

#include <QElapsedTimer>
#include <QMutexLocker>
#include <QTest>
#include <QXmlStreamReader>

namespace {

// Finds the first element of that local name; true with its text (the
// text of its children joined) in text.
bool findElement(const QByteArray& body, const QString& localName, QString* text)
{
    QXmlStreamReader xml(body);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == localName) {
            const QString value = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (xml.hasError())
                return false;
            if (text)
                *text = value;
            return true;
        }
    }
    return false;
}

} // namespace

QString AgencyRequest::elementText(const QString& localName) const
{
    QString text;
    findElement(http.body, localName, &text);
    return text;
}

bool AgencyRequest::hasElement(const QString& localName) const
{
    return findElement(http.body, localName, nullptr);
}

void AgencyRecorder::record(const AgencyRequest& request)
{
    QMutexLocker lock(&m_mutex);
    m_requests.append(request);
}

void AgencyRecorder::clear()
{
    QMutexLocker lock(&m_mutex);
    m_requests.clear();
}

QList<AgencyRequest> AgencyRecorder::requests() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

int AgencyRecorder::count() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests.size();
}

int AgencyRecorder::count(AgencyEndpoint endpoint, AgencyKind kind) const
{
    QMutexLocker lock(&m_mutex);
    int n = 0;
    for (const AgencyRequest& r : m_requests) {
        if (r.endpoint == endpoint && (kind == AgencyKind::Any || r.kind == kind))
            ++n;
    }
    return n;
}

AgencyRequest AgencyRecorder::at(int index) const
{
    QMutexLocker lock(&m_mutex);
    return m_requests.value(index);
}

AgencyRequest AgencyRecorder::last() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests.isEmpty() ? AgencyRequest() : m_requests.last();
}

bool AgencyRecorder::waitForCount(int wanted, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (count() < wanted && clock.elapsed() < timeoutMs)
        QTest::qWait(10);
    return count() >= wanted;
}
