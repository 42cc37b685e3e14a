// The core's report lines and its yes/no code reader, as every report and
// reading of the agency's data uses them.
#include <QtTest>

#include "companion/core/htmllines.h"
#include "companion/core/yesnoindicator.h"

namespace {

QStringList g_messages;

void recordMessage(QtMsgType, const QMessageLogContext&, const QString& message)
{
    g_messages << message;
}

} // namespace

class TestReportLines : public QObject
{
    Q_OBJECT
private slots:
    void oneLineItem_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("skip");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "1234.50" << "" << "Label: 1234.50<br>\n";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("blank") << " \t\n" << "" << "";
        QTest::newRow("equals skip") << "0" << "0" << "";
        QTest::newRow("equals skip, blanks around") << " 0 " << "0" << "";
        QTest::newRow("equals skip ignoring case") << "N/A" << "n/a" << "";
        QTest::newRow("differs from skip") << "2" << "0" << "Label: 2<br>\n";
        QTest::newRow("0.00 is not the skip 0.0") << "0.00" << "0.0" << "Label: 0.00<br>\n";
        // Agency texts are shown as rich text: markup in them stays text.
        QTest::newRow("ampersand and angle brackets")
            << "A&B <Co>" << "" << "Label: A&amp;B &lt;Co&gt;<br>\n";
        QTest::newRow("image tag") << "<img src=x>" << "" << "Label: &lt;img src=x&gt;<br>\n";
        QTest::newRow("quotes") << "\"Bob's\"" << "" << "Label: &quot;Bob's&quot;<br>\n";
        QTest::newRow("accents kept") << "Édith Côté" << "" << "Label: Édith Côté<br>\n";
    }

    void oneLineItem()
    {
        QFETCH(QString, value);
        QFETCH(QString, skip);
        QFETCH(QString, expected);
        CString html("before|");
        const int written = toHtmlOneLineItem(html, value.toStdString(), "Label", skip.toUtf8().constData());
        QCOMPARE(QString(html), "before|" + expected);
        QCOMPARE(written, expected.isEmpty() ? 0 : 1);
    }

    // Labels are the program's own texts and go in as written.
    void labelIsNotEscaped()
    {
        CString html;
        toHtmlOneLineItem(html, "7", "<i>Box 7</i>", nullptr);
        QCOMPARE(QString(html), QString("<i>Box 7</i>: 7<br>\n"));
    }

    void newLineAppendsABreak()
    {
        CString html("x");
        toHtmlNewLine(html);
        toHtmlNewLine(html);
        QCOMPARE(QString(html), QString("x<br>\n<br>\n"));
    }

    void yesNoIndicator_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("logged");
        QTest::newRow("1") << "1" << true << false;
        QTest::newRow("Y") << "Y" << true << false;
        QTest::newRow("y") << "y" << true << false;
        QTest::newRow("true") << "true" << true << false;
        QTest::newRow("1 with blanks") << " 1\n" << true << false;
        QTest::newRow("0") << "0" << false << false;
        // The agency writes no as 2; read as a number it would pass for yes.
        QTest::newRow("2") << "2" << false << false;
        QTest::newRow("N") << "N" << false << false;
        QTest::newRow("false") << "false" << false << false;
        QTest::newRow("empty") << "" << false << false;
        QTest::newRow("0.9") << "0.9" << false << true;
        QTest::newRow("1.5") << "1.5" << false << true;
        QTest::newRow("yes please") << "yes please" << false << true;
    }

    void yesNoIndicator()
    {
        QFETCH(QString, code);
        QFETCH(bool, yes);
        QFETCH(bool, logged);
        if (logged) {
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable(QString("unknown yes/no code \"%1\" read as no").arg(code.trimmed())));
            QCOMPARE(yesNoIndicatorIsYes(code.toStdString()), yes);
            return;
        }
        // A known code is read without a word in the log.
        g_messages.clear();
        const QtMessageHandler previous = qInstallMessageHandler(recordMessage);
        const bool read = yesNoIndicatorIsYes(code.toStdString());
        qInstallMessageHandler(previous);
        QCOMPARE(read, yes);
        QCOMPARE(g_messages, QStringList());
    }

    // A long unknown code is logged shortened, never whole.
    void unknownCodeIsLoggedShortened()
    {
        const std::string code(500, 'x');
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QString("unknown yes/no code \"%1\" read as no")
                                                          .arg(QString(32, QLatin1Char('x')))));
        QVERIFY(!yesNoIndicatorIsYes(code));
    }
};

QTEST_GUILESS_MAIN(TestReportLines)
#include "tst_reportlines.moc"
