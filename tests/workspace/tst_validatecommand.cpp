// The Validate Return command of the open-return page: the messages found,
// or the offer of the confirmations before filing when there are none.
#include <QtTest>

#include "returnpagefixture.h"

using namespace returnpage;

class TestValidateCommand : public QObject
{
    Q_OBJECT

private slots:
    void errorsAreListedByPerson()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        // A return without a S.I.N. cannot be filed.
        Form_Return* page = present(f, newFamily(singleRecord()));
        QVERIFY(page);
        f.prompter->clear();
        QVERIFY(page->ValidateTaxReturn(2, true, false) > 0);
        QCOMPARE(f.prompter->records().size(), 1);
        const QString text = f.promptTexts().first();
        QVERIFY2(text.startsWith("Ann Lee\n------- Tax Forms -------\n[T1 Income Tax and Benefit Return] - "), qPrintable(text));
        QVERIFY2(text.contains(" 1 - T1: the social insurance number is not valid."), qPrintable(text));
    }

    void askedFirstAndDeclinedShowsNothing()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        Form_Return* page = present(f, newFamily(singleRecord()));
        f.prompter->clear();
        f.prompter->queueYes(false);
        QVERIFY(page->ValidateTaxReturn(2, false, true) > 0);
        QCOMPARE(f.promptTexts(),
                 QStringList{"This return contains validation errors. Do you want to view the validation errors?"});
    }

    void cleanReturnOffersTheConfirmations()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        NewReturnBasicData record = singleRecord();
        record.sin = "046454286";
        record.dob = QDate(1970, 4, 12);
        Form_Return* page = present(f, newFamily(record));
        f.prompter->clear();
        f.prompter->queueYes(true);  // view the warning messages
        f.prompter->queueYes(false); // the first confirmation declined
        QCOMPARE(page->ValidateTaxReturn(2, true, false), 0);
        const QStringList texts = f.promptTexts();
        QVERIFY2(texts.size() == 2, qPrintable(texts.join("\n---\n")));
        QCOMPARE(texts.first(), QString("This tax return passes validation check, there are no errors found.\n\nDo "
                                        "you want to view the warning message?"));
        QVERIFY(texts.last().startsWith("Please confirm tax residency of the tax payer."));
    }
};

QTEST_APPLESS_MAIN(TestValidateCommand)
#include "tst_validatecommand.moc"
