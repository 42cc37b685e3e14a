#include <QtTest>

#include "companion/core/qwebclient.h"
#include "fakes/agency/fakeagencyserver.h"
#include "filing/filingwebclient.h"
#include "filing/ui/filingwaitcursor.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <qpa/qwindowsysteminterface.h>

// A post to the agency from the interface thread, as the filing dialogs make
// it: the window stays painted, the wait cursor shows, and a click the user
// makes meanwhile is held back until the post has returned, so it cannot
// start a second filing.
class TestWaitForReply : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void clickDuringSlowReplyWaitsForThePost();
};

void TestWaitForReply::initTestCase()
{
    QVERIFY2(AgencyCerts::available(), "certificates missing: run through ctest (fixture agency_certs)");
    QVERIFY(QWebClient::addTrustedCaFile(AgencyCerts::caPem()));
    installFilingWaitCursor();
}

void TestWaitForReply::cleanupTestCase()
{
    FilingWebClient::setWaitIndicator(nullptr);
    QWebClient::clearTrustedCaFiles();
}

void TestWaitForReply::clickDuringSlowReplyWaitsForThePost()
{
    FakeAgencyServer agency;
    QVERIFY2(agency.start(), qPrintable(agency.errorString()));
    const QByteArray accepted = AgencyFixtures::read("accepted.xml");
    QVERIFY(!accepted.isEmpty());
    agency.script().enqueue(AgencyEndpoint::Direrad, AgencyKind::Any, AgencyReply::fixture("accepted.xml", 200, 1500));

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* button = new QPushButton(QStringLiteral("File again"), &window);
    layout->addWidget(button);
    window.resize(240, 120);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    bool posting = false;
    int clicksWhilePosting = 0;
    int clicks = 0;
    connect(button, &QPushButton::clicked, this, [&] {
        ++clicks;
        if (posting)
            ++clicksWhilePosting;
    });

    // Halfway through the wait: the user clicks the button, through the
    // window system's queue as a real click arrives.
    bool queued = false;
    Qt::CursorShape cursorDuringWait = Qt::ArrowCursor;
    QTimer::singleShot(500, this, [&] {
        if (const QCursor* cursor = QGuiApplication::overrideCursor())
            cursorDuringWait = cursor->shape();
        QWindow* handle = window.windowHandle();
        const QPointF local = button->mapTo(&window, button->rect().center());
        const QPointF global = window.mapToGlobal(local.toPoint());
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            handle, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress);
        QWindowSystemInterface::handleMouseEvent<QWindowSystemInterface::AsynchronousDelivery>(
            handle, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease);
        queued = true;
    });

    FilingWebClient client(agency.url(AgencyEndpoint::Direrad), false);
    client.setTimeoutMs(5000);
    posting = true;
    const SoapPostResult r = client.post("<soapenv:Envelope/>", "text/xml; charset=UTF-8");
    posting = false;

    QCOMPARE(r.outcome, SoapPostOutcome::Reply);
    QCOMPARE(r.body, accepted);
    QVERIFY(queued);
    QCOMPARE(cursorDuringWait, Qt::WaitCursor);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(clicksWhilePosting, 0);
    // The click was real: it arrives once the post has returned.
    QTRY_COMPARE(clicks, 1);
    QCOMPARE(agency.recorder().count(), 1);
}

QTEST_MAIN(TestWaitForReply)
#include "tst_waitforreply.moc"
