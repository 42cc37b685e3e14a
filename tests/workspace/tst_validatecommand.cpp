// The Validate Return command of the open-return page: the messages found,
// or the offer of the confirmations before filing when there are none.
#include <QtTest>

#include "common/modalsteps.h"
#include "companion/forms/fieldchoices.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "dialogs/dlgvalidationmsgs.h"
#include "returnpagefixture.h"

#include <QListWidget>
#include <QTabWidget>

using namespace returnpage;

namespace {

// The tabs of "Validation Result": each title with its rows.
struct ShownResult
{
    QString title;
    QSize size;
    QStringList tabTitles;
    QList<QStringList> rows;
};

void readValidationResult(ShownResult& out, const QString& picture = QString())
{
    modalsteps::whenModal<DlgValidationMsgs>([&out, picture](DlgValidationMsgs* dialog) {
        out.title = dialog->windowTitle();
        out.size = dialog->size();
        auto* tabs = dialog->findChild<QTabWidget*>("tabPeople");
        for (int i = 0; i < tabs->count(); ++i) {
            out.tabTitles << tabs->tabText(i);
            auto* list = tabs->widget(i)->findChild<QListWidget*>();
            QStringList rows;
            for (int r = 0; r < list->count(); ++r)
                rows << list->item(r)->text();
            out.rows << rows;
        }
        if (!picture.isEmpty())
            dialog->grab().save(modalsteps::artefactPath(picture));
        dialog->accept();
    });
}

} // namespace

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
        modalsteps::closeModalLater();
        ShownResult shown;
        readValidationResult(shown, "validate-return.png");
        QVERIFY(page->ValidateTaxReturn(2, true, false) > 0);
        QCOMPARE(f.prompter->records().size(), 0);
        QCOMPARE(shown.title, QString("Validation Result"));
        QCOMPARE(shown.size, QSize(750, 650));
        QCOMPARE(shown.tabTitles, QStringList{"Ann Lee"});
        const QStringList rows = shown.rows.value(0);
        QVERIFY2(rows.size() > 2, qPrintable(rows.join("\n")));
        QCOMPARE(rows[0], QString("------- Tax Forms -------"));
        QVERIFY2(rows[1].startsWith("[T1 Income Tax and Benefit Return] - "), qPrintable(rows[1]));
        QVERIFY2(rows.contains(" 1 - T1: the social insurance number is not valid."), qPrintable(rows.join("\n")));
    }

    // The current person's tab comes first, with the checks between the
    // spouses; the other person's follows.
    void coupledReturnHasATabPerPerson()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        Form_Return* page = present(f, newFamily(coupledRecord()));
        QVERIFY(page);
        page->familyData()->setCurIndv(CFamilyTaxData::kSpouse);
        modalsteps::closeModalLater();
        ShownResult shown;
        readValidationResult(shown);
        QVERIFY(page->ValidateTaxReturn(2, true, false) > 0);
        QCOMPARE(shown.tabTitles, (QStringList{"Bob Roy", "Ann Lee"}));
        for (const QStringList& rows : shown.rows)
            QVERIFY2(!rows.isEmpty() && !rows.first().isEmpty(), qPrintable(rows.join("\n")));
    }

    void askedFirstAndAcceptedShowsTheDialog()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        Form_Return* page = present(f, newFamily(singleRecord()));
        f.prompter->clear();
        f.prompter->queueYes(true);
        modalsteps::closeModalLater();
        ShownResult shown;
        readValidationResult(shown);
        QVERIFY(page->ValidateTaxReturn(2, false, true) > 0);
        QCOMPARE(f.promptTexts(),
                 QStringList{"This return contains validation errors. Do you want to view the validation errors?"});
        QCOMPARE(shown.tabTitles, QStringList{"Ann Lee"});
    }

    void t1135IsValidatedOnItsOwn()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        Form_Return* page = present(f, newFamily(singleRecord()));
        f.prompter->clear();
        // Without a T1135 there is nothing to find.
        QCOMPARE(page->ValidateTaxForm(2, 101, true, false), 0);
        QCOMPARE(f.promptTexts(), QStringList{"Form passes validation check, there are no errors found."});
        // Another form type is not validated here.
        page->familyData()->getTaxpayer()->GetFormData(101, true);
        f.prompter->clear();
        QCOMPARE(page->ValidateTaxForm(2, 1, true, false), 0);
        QCOMPARE(f.promptTexts(), QStringList{"Form passes validation check, there are no errors found."});
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
        const QMap<Prompt::StandardButton, QString> words{{Prompt::Yes, "Show the errors"},
                                                          {Prompt::No, "Don't show them"}};
        QCOMPARE(f.prompter->records().first().buttonTexts, words);
    }

    void cleanReturnOffersTheConfirmations()
    {
        WindowFixture f;
        QVERIFY(f.ready);
        NewReturnBasicData record = singleRecord();
        record.sin = "046454286";
        record.dob = QDate(1970, 4, 12);
        CFamilyTaxData* family = newFamily(record);
        // The rest of what the agency asks of every T1.
        TaxData_T1New* t1 = family->getTaxpayer()->GetT1();
        t1->AddressLine1.m_value = CString("100 Wellington St");
        t1->City.m_value = CString("Ottawa");
        t1->MailingProvince.m_value = kOntario;
        t1->PostalCode.m_value = CString("K1A 0A6");
        t1->FirstTimeFilerAnswer.m_value = choices::kNo;
        t1->CitizenshipAnswer.m_value = choices::kYes;
        t1->ElectionsCanadaAnswer.m_value = choices::kNo;
        t1->ForeignPropertyAnswer.m_value = choices::kNo;
        Form_Return* page = present(f, family);
        f.prompter->clear();
        f.prompter->queueYes(true);  // view the warning messages
        f.prompter->queueYes(false); // the first confirmation declined
        QCOMPARE(page->ValidateTaxReturn(2, true, false), 0);
        const QStringList texts = f.promptTexts();
        QVERIFY2(texts.size() == 2, qPrintable(texts.join("\n---\n")));
        QCOMPARE(texts.first(), QString("This tax return passes validation check, there are no errors found.\n\nDo "
                                        "you want to view the warning message?"));
        // Yes starts the questions before filing, and says so.
        const QMap<Prompt::StandardButton, QString> words{{Prompt::Yes, "Go through the questions before filing"},
                                                          {Prompt::No, "Close"}};
        QCOMPARE(f.prompter->records().first().buttonTexts, words);
        QVERIFY(texts.last().startsWith("Please confirm tax residency of the tax payer."));
    }
};

QTEST_APPLESS_MAIN(TestValidateCommand)
#include "tst_validatecommand.moc"
