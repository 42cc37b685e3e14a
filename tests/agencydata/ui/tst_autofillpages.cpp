// The three pages of the Auto-fill wizard, offscreen: their layouts, what
// they bind and when they let the wizard finish. Each page leaves a picture
// in the build's artefacts.
#include <QtTest>

#include "agencydata/records/dataafr.h"
#include "agencydata/ui/afr_data.h"
#include "agencydata/ui/afr_message.h"
#include "agencydata/ui/afr_option.h"
#include "companion/ui/wizardbase.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {

QString artefact(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

} // namespace

class TestAutoFillPages : public QObject
{
    Q_OBJECT
private slots:
    void optionPageOpensOnEverything()
    {
        DataAFR options;
        AFR_Option page(&options, nullptr);
        QCOMPARE(options.fld_iFillOption.m_value, DataAFR::kAllElements);
        page.bindOnce();
        QCOMPARE(page.size(), QSize(797, 490));
        QCOMPARE(page.findChild<QLabel*>("label")->text(), QStringLiteral("Auto-Fill Tax Return Options"));
        auto* group = page.findChild<QButtonGroup*>("fld_iFillOption");
        QVERIFY(group);
        QCOMPARE(group->id(page.findChild<QRadioButton*>("fld_iFillOption_0")), 0);
        QCOMPARE(group->id(page.findChild<QRadioButton*>("fld_iFillOption_1")), 1);
        QVERIFY(page.findChild<QRadioButton*>("fld_iFillOption_0")->isChecked());
        const auto boxes = page.findChildren<QCheckBox*>();
        QCOMPARE(boxes.size(), 23);
        for (QCheckBox* box : boxes)
            QVERIFY2(!box->isChecked(), qPrintable(box->objectName()));
        QVERIFY(page.validatePage());
        page.show();
        QVERIFY(page.grab().save(artefact("autofill-options.png")));
    }

    void optionPageStoresTheChoice()
    {
        DataAFR options;
        AFR_Option page(&options, nullptr);
        page.bindOnce();
        page.findChild<QRadioButton*>("fld_iFillOption_1")->click();
        page.findChild<QCheckBox*>("fld_bT4")->setChecked(true);
        page.findChild<QCheckBox*>("fld_bHBPLLP")->setChecked(true);
        QVERIFY(page.validatePage());
        QCOMPARE(options.fld_iFillOption.m_value, DataAFR::kTickedElements);
        QVERIFY(options.allowApplySlip(1));
        QVERIFY(!options.allowApplySlip(2));
        QVERIFY(options.allowHBPLLP());
        QVERIFY(!options.allowTuition());
    }

    void optionPageRefusesNoChoice()
    {
        DataAFR options;
        AFR_Option page(&options, nullptr);
        page.bindOnce();
        options.fld_iFillOption.m_value = DataAFR::kNotChosen;
        page.GetDataFromDoc();
        QVERIFY(!page.validatePage());
        QCOMPARE(options.fld_iFillOption.m_value, DataAFR::kNotChosen);
    }

    void dataPageShowsTheReport_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty report") << QString() << QString();
        QTest::newRow("report") << "<h3>Summary</h3><br>\nInstalment: 1200.00<br>\n" << "Summary\n\nInstalment: 1200.00";
    }

    void dataPageShowsTheReport()
    {
        QFETCH(QString, html);
        QFETCH(QString, shown);
        AFR_Data page(CString(html), nullptr);
        page.bindOnce();
        auto* text = page.findChild<QPlainTextEdit*>("txtTaxData");
        QVERIFY(text->isReadOnly());
        QCOMPARE(text->toPlainText().trimmed(), shown);
        QVERIFY(page.validatePage());
        QCOMPARE(page.size(), QSize(885, 547));
        QCOMPARE(page.findChild<QLabel*>("lblTitle")->text(), QStringLiteral("View Auto-Fill Tax Data"));
        QVERIFY(page.findChild<QLabel*>("TopupInfo")->text().startsWith(QStringLiteral("If currently opened return")));
        if (!html.isEmpty()) {
            page.show();
            QVERIFY(page.grab().save(artefact("autofill-data.png")));
        }
    }

    void messagePageAcceptsAtOnce()
    {
        DataAFR options;
        AFR_Message page(&options, nullptr);
        page.bindOnce();
        QVERIFY(page.validatePage());
        QCOMPARE(page.size(), QSize(735, 400));
        const QStringList expected = {
            "Important Notice:",
            "AFR (Auto-Fill Return) will not populate Capital Gain/Loss",
            "data, Capital Gain Deduction, and Non-Capital loss information",
            "into tax return. Please handle it manually",
            "After auto-fill return, please re-verify auto-filled data in the tax",
            "return, check if there are any missed data in tax slips/forms.",
            "Auto-Filled tax slips will be marked as 'Auto-Fill' in its names.",
        };
        QCOMPARE(page.findChild<QLabel*>("label")->text(), expected[0]);
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(page.findChild<QLabel*>(QStringLiteral("label%1").arg(i))->text(), expected[i]);
        page.show();
        QVERIFY(page.grab().save(artefact("autofill-notice.png")));
    }

    // The three pages in their wizard: Finish is refused only while the
    // options page has no choice.
    void wizardFinishesOnlyWithAChoice()
    {
        DataAFR options;
        WizardBase wizard(nullptr, QStringLiteral("Auto-Fill Tax Return"));
        wizard.addPage(new AFR_Data(CString("<b>Report</b>"), &wizard));
        wizard.addPage(new AFR_Message(&options, &wizard));
        auto* optionPage = new AFR_Option(&options, &wizard);
        wizard.addPage(optionPage);
        wizard.initUI(800, 700);
        wizard.show();
        wizard.next();
        wizard.next();
        QCOMPARE(wizard.currentPage(), optionPage);
        QVERIFY(wizard.grab().save(artefact("autofill-wizard-options.png")));
        options.fld_iFillOption.m_value = DataAFR::kNotChosen;
        optionPage->GetDataFromDoc();
        QVERIFY(!wizard.validateCurrentPage());
        optionPage->findChild<QRadioButton*>("fld_iFillOption_0")->click();
        QVERIFY(wizard.validateCurrentPage());
    }
};

QTEST_MAIN(TestAutoFillPages)
#include "tst_autofillpages.moc"
