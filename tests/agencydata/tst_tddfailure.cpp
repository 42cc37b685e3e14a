// What the user is told when a session stored nothing: each way a session
// ends names its own cause, never one text for every cause.
#include <QtTest>

#include "agencydata/tddfailure.h"
#include "agencydata/tddprogress.h"

Q_DECLARE_METATYPE(TddFailure)

class TestTddFailure : public QObject
{
    Q_OBJECT
private slots:
    void causeOfTheEnd_data()
    {
        QTest::addColumn<bool>("errorPosted");
        QTest::addColumn<int>("extra");
        QTest::addColumn<bool>("loggedIn");
        QTest::addColumn<bool>("dataArrived");
        QTest::addColumn<TddFailure>("failure");
        QTest::addColumn<QString>("textHas");

        QTest::newRow("stage: no reply") << true << int(TddExtra::Transport) << false << false
                                         << TddFailure::Unreachable << "cannot be reached (code -20)";
        QTest::newRow("poll: no reply") << true << int(TddExtra::PollTransport) << true << false
                                        << TddFailure::Unreachable << "cannot be reached (code -32)";
        QTest::newRow("login timed out") << true << int(TddExtra::LoginTimedOut) << false << false
                                         << TddFailure::LoginNotCompleted << "login was not completed";
        QTest::newRow("no browser") << true << int(TddExtra::LinkNotOpened) << false << false
                                    << TddFailure::LoginNotCompleted << "login was not completed";
        QTest::newRow("callback port busy") << true << int(TddExtra::PortInUse) << false << false
                                            << TddFailure::LoginNotCompleted << "login was not completed";
        QTest::newRow("stage refused") << true << int(TddExtra::StageRefused) << false << false
                                       << TddFailure::Refused << "did not deliver the data (code 100)";
        QTest::newRow("agency's ReturnCode 30") << true << 30 << true << false << TddFailure::Refused
                                                << "did not deliver the data (code 30)";
        QTest::newRow("never ready") << true << int(TddExtra::PollNeverReady) << true << false
                                     << TddFailure::Refused << "did not deliver the data (code -35)";
        QTest::newRow("reply not XML") << true << int(TddExtra::PollUnreadable) << true << false
                                       << TddFailure::Unreadable << "cannot be read (code -36)";
        QTest::newRow("nothing for this S.I.N.") << false << 0 << true << true << TddFailure::NoRecord
                                                 << "No record is found at the CRA system for the S.I.N. "
                                                    "entered and the tax year 2024.";
        QTest::newRow("cancelled before the login") << false << 0 << false << false
                                                    << TddFailure::LoginNotCompleted << "login was not completed";
        QTest::newRow("cancelled after the login") << false << 0 << true << false << TddFailure::Stopped
                                                   << "stopped before any record was stored";
    }
    void causeOfTheEnd()
    {
        QFETCH(bool, errorPosted);
        QFETCH(int, extra);
        QFETCH(bool, loggedIn);
        QFETCH(bool, dataArrived);
        QFETCH(TddFailure, failure);
        QFETCH(QString, textHas);
        QCOMPARE(tddFailureOf(errorPosted, extra, loggedIn, dataArrived), failure);
        const QString text = tddFailureText(failure, extra, 2024);
        QVERIFY2(text.contains(textHas), qPrintable(text));
        QVERIFY2(!text.contains("please try later!"), qPrintable(text));
    }
};

QTEST_GUILESS_MAIN(TestTddFailure)
#include "tst_tddfailure.moc"
