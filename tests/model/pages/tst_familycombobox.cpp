// The family return's one widget member, apart from the model's headless
// tests: it fills a combo box with the persons of the return.
#include <QtTest>

#include <QComboBox>

#include "model/modelfixture.h"

using namespace modelfixture;

class TestFamilyComboBox : public QObject
{
    Q_OBJECT
private slots:
    void comboBoxListsThePersons()
    {
        CFamilyTaxData family;
        NewReturnBasicData data = newReturn(0, true);
        data.FirstName = data.LastName = data.FirstNameSpouse = data.LastNameSpouse = CString();
        family.NewData(&data);
        QComboBox box;
        QCOMPARE(family.fillComboBox(&box, true), 2);
        QCOMPARE(box.itemText(0), QStringLiteral("(self)"));
        QCOMPARE(box.itemText(1), QStringLiteral("(spouse/common-law)"));
        QCOMPARE(box.itemData(1).toInt(), -1);
        QCOMPARE(box.currentIndex(), 1);
        QCOMPARE(family.getCurIndv(), -1);
        QCOMPARE(family.fillComboBox(&box, false), 2);
        QCOMPARE(family.getCurIndv(), -2);
    }
};

QTEST_MAIN(TestFamilyComboBox)
#include "tst_familycombobox.moc"
