// The form filing dialog on its own: its layout and, by form type, its
// title, OK button and heading; Cancel is the default and closes it
// without filing.
#include <QtTest>

#include "filing/ui/cformfilingdlg.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

class TestCFormFilingDlg : public QObject
{
    Q_OBJECT
private slots:
    void layout();
    void textsByFormType_data();
    void textsByFormType();
    void cancelFilesNothing();
    void setLabel3();
};

void TestCFormFilingDlg::layout()
{
    CString xml;
    CFormFilingDlg dlg(CString(), CString(), FORM_T1135, xml, nullptr, nullptr, FormFilingSettings());
    QCOMPARE(dlg.objectName(), QStringLiteral("CFormFilingDlg"));
    QCOMPARE(dlg.size(), QSize(612, 325));
    QCOMPARE(dlg.font().pointSize(), 11);
    QCOMPARE(dlg.ui()->lbl1->font().pointSize(), 12);
    QVERIFY(dlg.ui()->lbl1->font().bold());
    QVERIFY(dlg.ui()->lbl2->wordWrap());
    QVERIFY(dlg.ui()->lbl3->wordWrap());
    QVERIFY(dlg.ui()->lbl4->wordWrap());
    QCOMPARE(dlg.ui()->line->frameShape(), QFrame::HLine);
    QCOMPARE(dlg.ui()->line->frameShadow(), QFrame::Sunken);
    QCOMPARE(dlg.ui()->buttonBox->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    // Top to bottom inside the inner layout.
    QVBoxLayout* inner = dlg.ui()->verticalLayout;
    const QList<QWidget*> order{dlg.ui()->lbl1, dlg.ui()->lbl2, dlg.ui()->lbl3,
                                dlg.ui()->lbl4, dlg.ui()->line, dlg.ui()->buttonBox};
    for (int i = 0; i < order.size(); ++i)
        QCOMPARE(inner->indexOf(order[i]), i);
    QCOMPARE(dlg.ui()->verticalLayout_2->indexOf(inner), 0);
    QVERIFY(dlg.ui()->lbl4->text().startsWith("Make sure the program can access Internet"));
}

void TestCFormFilingDlg::textsByFormType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("okText");
    QTest::addColumn<QString>("heading");
    QTest::newRow("T1135") << 101 << "Submit T1135" << "Submit T1135 to CRA";
    QTest::newRow("T1013") << 117 << "Submit E-Auth" << "Submit E-Authorization (T1013) to Represent a Tax Payer";
    QTest::newRow("T185") << 181 << "EFile Online" << "Submit Form To CRA";
}

void TestCFormFilingDlg::textsByFormType()
{
    QFETCH(int, type);
    QFETCH(QString, okText);
    QFETCH(QString, heading);
    CString xml("<doc/>");
    CFormFilingDlg dlg(CString("EF123"), CString("pw"), ENUMTYPE_FORM(type), xml, nullptr, nullptr,
                       FormFilingSettings());
    QCOMPARE(dlg.windowTitle(), okText);
    QCOMPARE(dlg.ui()->buttonBox->button(QDialogButtonBox::Ok)->text(), okText);
    QCOMPARE(dlg.ui()->lbl1->text(), QStringLiteral("Submit Form To CRA"));
    dlg.SetStringInfo(CString("Anne <Lee> & Co"), CString("123456782"));
    QCOMPARE(dlg.ui()->lbl1->text(), heading);
    // The name is the user's text: escaped inside the bold part.
    QCOMPARE(dlg.ui()->lbl2->text(),
             QStringLiteral(" This filing is for <b>Anne &lt;Lee&gt; &amp; Co (123456782)</b>"));
    QCOMPARE(dlg.ui()->lbl2->textFormat(), Qt::RichText);
    QVERIFY(dlg.ui()->buttonBox->button(QDialogButtonBox::Cancel)->isDefault());
    QVERIFY(!dlg.ui()->buttonBox->button(QDialogButtonBox::Ok)->autoDefault());
    QVERIFY(!dlg.succeeded());
}

void TestCFormFilingDlg::cancelFilesNothing()
{
    CString xml;
    CFormFilingDlg dlg(CString(), CString(), FORM_T1135, xml, nullptr, nullptr, FormFilingSettings());
    dlg.SetStringInfo(CString("Jean Tremblay"), CString("123456782"));
    QTimer::singleShot(0, &dlg, [&dlg] { dlg.ui()->buttonBox->button(QDialogButtonBox::Cancel)->click(); });
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QVERIFY(!dlg.succeeded());
}

void TestCFormFilingDlg::setLabel3()
{
    CString xml;
    CFormFilingDlg dlg(CString(), CString(), FORM_T1135, xml, nullptr, nullptr, FormFilingSettings());
    QVERIFY(dlg.ui()->lbl3->text().isEmpty());
    dlg.SetLabel3(CString("Filed on behalf of the estate."));
    QCOMPARE(dlg.ui()->lbl3->text(), QStringLiteral("Filed on behalf of the estate."));
}

QTEST_MAIN(TestCFormFilingDlg)
#include "tst_cformfilingdlg.moc"
