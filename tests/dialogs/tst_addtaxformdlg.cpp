#include <QtTest>

#include "companion/forms/taxtypes.h"
#include "companion/ui/ct1combobox.h"
#include "dialogs/addtaxformdlg.h"

#include <QPushButton>

// The quick-add buttons of "Add a Tax Form" allow only what its list allows.
class TestAddTaxFormDlg : public QObject
{
    Q_OBJECT
private slots:
    void quickButtonsFollowTheList_data();
    void quickButtonsFollowTheList();
};

void TestAddTaxFormDlg::quickButtonsFollowTheList_data()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<bool>("offered");
    QTest::newRow("the DIRERAD edition offers them") << int(EDITION_DIRERAD) << true;
    // An edition bit no form carries: the list is empty and so is every button.
    QTest::newRow("an edition without forms") << 4 << false;
}

void TestAddTaxFormDlg::quickButtonsFollowTheList()
{
    QFETCH(int, edition);
    QFETCH(bool, offered);
    AddTaxFormDlg::s_strFilter.clear();
    std::list<unsigned int> provinces{9};
    AddTaxFormDlg dialog(static_cast<unsigned char>(edition), provinces, nullptr);
    auto* list = dialog.findChild<CT1ComboBox*>("cmbTaxForms");
    QCOMPARE(list->count() > 0, offered);
    for (const AddTaxFormDlg::QuickForm& quick : AddTaxFormDlg::kQuickForms) {
        auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(quick.objectName));
        QVERIFY(button);
        QCOMPARE(button->isEnabled(), offered);
        QCOMPARE(button->isEnabled(), list->findData(quick.type) >= 0);
    }
    // A disabled button adds nothing.
    QTest::mouseClick(dialog.findChild<QPushButton*>("btnAddSch5"), Qt::LeftButton);
    QCOMPARE(dialog.getSelectedForm(), offered ? 6 : 0);
}

QTEST_MAIN(TestAddTaxFormDlg)
#include "tst_addtaxformdlg.moc"
