// The print options: how the dialog opens, what "Generate Print" records in
// the static results and what Cancel keeps.
#include <QtTest>

#include "dialogs/dlgprintoption_info.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

void saveShot(QWidget* widget, const QString& name)
{
    const QString folder = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../artefacts");
    QDir().mkpath(folder);
    widget->grab().save(folder + "/" + name + ".png");
}

QCheckBox* box(DlgPrintOption_Info& d, const char* name)
{
    return d.findChild<QCheckBox*>(QString::fromLatin1(name));
}

void click(DlgPrintOption_Info& d, const char* button)
{
    d.findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

} // namespace

class TestPrintOptions : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheClientCopy()
    {
        DlgPrintOption_Info dialog(nullptr, 1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.windowTitle(), QString("Print Options"));
        QCOMPARE(dialog.size(), QSize(613, 370));
        QVERIFY(dialog.fld_PrintOption_0->isChecked());
        QVERIFY(box(dialog, "fld_ClientLetter")->isChecked());
        QCOMPARE(DlgPrintOption_Info::m_iPrintClientLetter, 1);
        QVERIFY(!box(dialog, "fld_CurFormOnly")->isChecked());
        // Nothing prints an engagement cover: not offered.
        QVERIFY(!box(dialog, "fld_EngagementCover")->isVisible());
        saveShot(&dialog, "printoptions");
    }

    void settingOffLeavesTheLetterUnticked()
    {
        DlgPrintOption_Info dialog(nullptr, 0);
        QVERIFY(!box(dialog, "fld_ClientLetter")->isChecked());
        QCOMPARE(DlgPrintOption_Info::m_iPrintClientLetter, 0);
    }

    void generatePrintRecordsTheChoices_data()
    {
        QTest::addColumn<bool>("condensed");
        QTest::addColumn<bool>("curForm");
        QTest::addColumn<bool>("letter");
        QTest::addColumn<bool>("invoice");
        QTest::addColumn<bool>("fullSin");
        QTest::newRow("client copy, letter and invoice") << false << false << true << true << false;
        QTest::newRow("client copy, selected form, full S.I.N.") << false << true << false << false << true;
        // The boxes are recorded whatever the option; the road ignores them.
        QTest::newRow("condensed with every box") << true << true << true << true << true;
    }
    void generatePrintRecordsTheChoices()
    {
        QFETCH(bool, condensed);
        QFETCH(bool, curForm);
        QFETCH(bool, letter);
        QFETCH(bool, invoice);
        QFETCH(bool, fullSin);
        DlgPrintOption_Info dialog(nullptr, 0);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        if (condensed)
            dialog.fld_PrintOption_1->click();
        box(dialog, "fld_CurFormOnly")->setChecked(curForm);
        box(dialog, "fld_ClientLetter")->setChecked(letter);
        box(dialog, "fld_Invoice")->setChecked(invoice);
        box(dialog, "fld_FullSIN")->setChecked(fullSin);
        click(dialog, "btnPrint");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.fld_PrintOption_0->isChecked(), !condensed);
        QCOMPARE(DlgPrintOption_Info::m_iPrintOption, condensed ? 1 : 0);
        QCOMPARE(DlgPrintOption_Info::m_iPrintCurForm, curForm ? 1 : 0);
        QCOMPARE(DlgPrintOption_Info::m_iPrintClientLetter, letter ? 1 : 0);
        QCOMPARE(DlgPrintOption_Info::m_iPrintReceipt, invoice ? 1 : 0);
        QCOMPARE(DlgPrintOption_Info::m_iPrintFullSIN, fullSin ? 1 : 0);
    }

    void cancelKeepsTheEarlierResults()
    {
        {
            DlgPrintOption_Info first(nullptr, 0);
            box(first, "fld_CurFormOnly")->setChecked(true);
            click(first, "btnPrint");
        }
        QCOMPARE(DlgPrintOption_Info::m_iPrintCurForm, 1);
        DlgPrintOption_Info second(nullptr, 1);
        // Every dialog opens with the box unticked, whatever was chosen.
        QVERIFY(!box(second, "fld_CurFormOnly")->isChecked());
        click(second, "btnCancel");
        QCOMPARE(second.result(), int(QDialog::Rejected));
        QCOMPARE(DlgPrintOption_Info::m_iPrintCurForm, 1);
        // The client letter follows the setting of the dialog last opened.
        QCOMPARE(DlgPrintOption_Info::m_iPrintClientLetter, 1);
    }
};

QTEST_MAIN(TestPrintOptions)
#include "tst_printoptions.moc"
