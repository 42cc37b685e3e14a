// The terms dialog: OK only with the box ticked, the agency's link shown
// safely, and the program's own terms texts.
#include <QtTest>

#include "companion/ui/styledwidgets.h"
#include "filing/ui/DlgFilingTerm.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>

class TestDlgFilingTerm : public QObject
{
    Q_OBJECT
private slots:
    void layoutTexts();
    void okNeedsTheTick();
    void cancelAfterTickRejects();
    void links_data();
    void links();
    void termsTextsAndScreenshot();
};

void TestDlgFilingTerm::layoutTexts()
{
    DlgFilingTerm dlg(0, nullptr);
    QCOMPARE(dlg.ui()->lblHeader1->text(), QString("Terms and Condition"));
    QCOMPARE(dlg.ui()->lblHeader2->text(),
             QString("Please read the following terms and conditions, you will need to agree to proceed."));
    QCOMPARE(dlg.ui()->fld_bAgree->text(), QString("&Yes,"));
    QVERIFY(!dlg.ui()->fld_bAgree->isChecked());
    dlg.setMsg("I agree", "", "Terms of filing", ":/net/net/netfileterm.txt");
    QCOMPARE(dlg.windowTitle(), QString("Terms of filing"));
    dlg.setHeader("", "Second");
    QCOMPARE(dlg.ui()->lblHeader1->text(), QString("Terms and Condition"));
    QCOMPARE(dlg.ui()->lblHeader2->text(), QString("Second"));
}

void TestDlgFilingTerm::okNeedsTheTick()
{
    DlgFilingTerm dlg(0, nullptr);
    dlg.setMsg("I agree", "", "T", ":/net/net/netfileterm.txt");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    dlg.ui()->fld_bAgree->setChecked(true);
    dlg.ui()->buttonBox->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TestDlgFilingTerm::cancelAfterTickRejects()
{
    DlgFilingTerm dlg(0, nullptr);
    dlg.setMsg("I agree", "", "T", ":/net/net/netfileterm.txt");
    QTimer::singleShot(0, &dlg, [&dlg] {
        dlg.ui()->fld_bAgree->setChecked(true);
        dlg.ui()->buttonBox->button(QDialogButtonBox::Cancel)->click();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
}

void TestDlgFilingTerm::links_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("anchor");
    QTest::newRow("empty") << "" << "" << false;
    QTest::newRow("https") << "https://a/b" << "https://a/b" << true;
    QTest::newRow("script") << "javascript:alert(1)" << "javascript:alert(1)" << false;
    QTest::newRow("markup") << "https://a/\"><b>x" << "https://a/\"><b>x" << true;
}

void TestDlgFilingTerm::links()
{
    QFETCH(QString, link);
    QFETCH(QString, shown);
    QFETCH(bool, anchor);
    DlgFilingTerm dlg(0, nullptr);
    dlg.setMsg("<b>agree</b>", link, "T", ":/net/net/netfileterm.txt");
    const QString html = dlg.ui()->lblLink->text();
    QCOMPARE(html.contains("<a "), anchor);
    QVERIFY(!html.contains("<b>"));
    QTextDocument doc;
    doc.setHtml(html);
    QCOMPARE(doc.toPlainText(), shown);
    QCOMPARE(dlg.ui()->lblAgree->textFormat(), Qt::PlainText);
}

void TestDlgFilingTerm::termsTextsAndScreenshot()
{
    for (const char* path : {":/net/net/netfileterm.txt", ":/net/net/ReFilestmt.txt"}) {
        DlgFilingTerm dlg(0, nullptr);
        dlg.setMsg("I agree with the terms", "https://example.test/terms", "Filing terms", path);
        QVERIFY2(dlg.ui()->fld_term->toPlainText().size() > 100, path);
        QVERIFY(dlg.windowTitle() != QString("PpgAT1Filing_Term"));
    }
    DlgFilingTerm dlg(0, nullptr);
    dlg.setMsg("I agree with the terms and conditions of electronic filing", "https://example.test/terms",
               "Terms and conditions of electronic filing", ":/net/net/netfileterm.txt");
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QString folder = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../artefacts");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(dlg.grab().save(folder + "/dlgfilingterm.png"));
}

QTEST_MAIN(TestDlgFilingTerm)
#include "tst_dlgfilingterm.moc"
