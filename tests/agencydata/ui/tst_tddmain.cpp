// The stored-records dialog, the records table and the S.I.N. entry,
// offscreen, over a database made by the application's schema, with the
// scripted prompter answering and recording every box.
#include <QtTest>

#include "agencydata/records/tddtaxdataoneperson.h"
#include "agencydata/ui/dlgtddentersin.h"
#include "agencydata/ui/dlgtddmain.h"
#include "agencydata/ui/tdddataentry.h"
#include "common/capturingurlopener.h"
#include "common/scriptedprompter.h"
#include "companion/forms/slips/slips_employment.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "model/cfamilytaxdata.h"
#include "agencydata/storefixture.h"

#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QWizard>

namespace {

QString artefact(const QString& name)
{
    const QString folder = QCoreApplication::applicationDirPath() + "/../artefacts";
    QDir().mkpath(folder);
    return QDir(folder).absoluteFilePath(name);
}

QStringList shownTexts(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const PromptRecord& r : prompter.records())
        texts << r.texts.join(QLatin1Char(' '));
    return texts;
}

// A stored row as a session stores it.
int storeRow(QSqlDatabase db, const char* table, const QString& sin, const QString& data1, const QString& html,
             const QString& time, int year)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("insert or ignore into tb_taxpayers (sin) values (:sin)"));
    q.bindValue(QStringLiteral(":sin"), sin);
    q.exec();
    q.prepare(QStringLiteral("select id from tb_taxpayers where sin=:sin"));
    q.bindValue(QStringLiteral(":sin"), sin);
    if (!q.exec() || !q.next())
        return -1;
    const int uid = q.value(0).toInt();
    const QString column = QString::fromLatin1(table) == QLatin1String("tb_taxdata") ? "html1" : "htmlfile";
    q.prepare(QStringLiteral("insert into %1 (uid, create_time, data1, %2, taxyear) values (:u, :t, :d, :h, :y)")
                  .arg(QLatin1String(table), column));
    q.bindValue(QStringLiteral(":u"), uid);
    q.bindValue(QStringLiteral(":t"), time);
    q.bindValue(QStringLiteral(":d"), data1);
    q.bindValue(QStringLiteral(":h"), html);
    q.bindValue(QStringLiteral(":y"), year);
    if (!q.exec())
        return -1;
    return q.lastInsertId().toInt();
}

const char* const kItem =
    "<IndividualIncomeTaxDataItem><IndividualTaxpayerIdentifier>1a4e</IndividualTaxpayerIdentifier>"
    "<Slips><T4Slip><EmployerName>ACME</EmployerName><Amount boxNumber=\"14\">41000.00</Amount></T4Slip></Slips>"
    "</IndividualIncomeTaxDataItem>";

void newReturn(CFamilyTaxData& family, const char* sin)
{
    NewReturnBasicData data;
    data.FirstName = CString("Ann");
    data.LastName = CString("Lee");
    data.sin = CString(sin);
    data.TaxPronv = PROV_ON;
    data.MaritalStatus = 5;
    family.NewData(&data);
    family.Calculate(-1, nullptr);
}

// Selects the table's row showing sin.
void selectSin(DlgTDDMain& dialog, const QString& sin)
{
    QTableView* table = dialog.tableView();
    for (int row = 0; row < table->model()->rowCount(); ++row)
        if (table->model()->index(row, 0).data().toString() == sin)
            table->selectRow(row);
}

// Finishes the wizard the dialog shows, from its last page.
void finishWizardWhenShown(bool* pages3 = nullptr)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, pages3] {
        auto* wizard = qobject_cast<QWizard*>(QApplication::activeModalWidget());
        if (!wizard)
            return;
        timer->stop();
        timer->deleteLater();
        if (pages3)
            *pages3 = wizard->pageIds().size() == 3;
        while (wizard->currentId() != wizard->pageIds().last())
            wizard->next();
        wizard->grab().save(artefact(QStringLiteral("tdd-main-wizard.png")));
        wizard->accept();
    });
    timer->start(50);
}

} // namespace

class TestTddMain : public QObject
{
    Q_OBJECT
private slots:
    void sinEntry_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("sins");
        QTest::addColumn<QString>("told");
        QTest::newRow("invalid third, later ones not looked at")
            << QStringList{"046454286", "", "123456789", "not a number"} << false << QStringList()
            << "The S.I.N (123456789) entered is invalid!";
        QTest::newRow("typed twice") << QStringList{"046454286", "046454286"} << true << QStringList{"046454286"}
                                     << QString();
        QTest::newRow("dashes") << QStringList{"046-454-286"} << true << QStringList{"046454286"} << QString();
        QTest::newRow("all blank") << QStringList{} << false << QStringList()
                                   << "Please enter at least one S.I.N.";
    }

    void sinEntry()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, accepted);
        QFETCH(QStringList, sins);
        QFETCH(QString, told);
        ScriptedPrompter prompter;
        std::list<std::string> list;
        DlgTDDEnterSin dialog(list, nullptr);
        QCOMPARE(dialog.size(), QSize(529, 284));
        QCOMPARE(dialog.edit(0)->maxLength(), 11);
        for (int i = 0; i < typed.size(); ++i)
            dialog.edit(i)->setText(typed[i]);
        dialog.accept();
        QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
        QStringList got;
        for (const std::string& s : list)
            got << QString::fromStdString(s);
        if (accepted)
            QCOMPARE(got, sins);
        QCOMPARE(shownTexts(prompter), told.isEmpty() ? QStringList() : QStringList{told});
    }

    void modelRowsAndSorting()
    {
        TDDDataEntriesModel model;
        QCOMPARE(model.remove(model.index(0, 0)), 0);
        model.append(new TDDDataEntry(1, "046454286", "2025-03-01", 2024));
        model.append(new TDDDataEntry(2, "130692544", "2025-03-02", 999));
        model.append(new TDDDataEntry(3, "100064286", "2025-03-03", 10000));
        QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Tax Year"));
        QCOMPARE(model.data(model.index(0, 2)).type(), QVariant::Int);
        QSortFilterProxyModel proxy;
        proxy.setSourceModel(&model);
        proxy.sort(2);
        QCOMPARE(proxy.index(0, 2).data().toInt(), 999);
        QCOMPARE(proxy.index(2, 2).data().toInt(), 10000);
        QCOMPARE(model.remove(model.index(1, 0)), 1);
        QCOMPARE(model.rowCount(), 2);
    }

    void termsDeclinedStartNothing()
    {
        AgencyStoreFixture store;
        ScriptedPrompter prompter;
        int asked = 0;
        TddMainContext context;
        context.askTerms = [&](QWidget*, const QString& title, const char* resource) {
            ++asked;
            return title == QLatin1String("Auto-Fill Tax Return") && QFile::exists(QString::fromLatin1(resource)) &&
                   false;
        };
        QSqlDatabase db = QSqlDatabase::database(store.worker()->connectionName());
        DlgTDDMain dialog(1, db, CString(), context, nullptr);
        dialog.on_btnNew_clicked();
        QCOMPARE(asked, 1);
        QVERIFY(QFile::exists(QStringLiteral(":/tdd/tdd/tdd_direrad.txt")));
        QVERIFY(prompter.records().isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
    }

    void viewAndApplyToTheMatchingReturn()
    {
        AgencyStoreFixture store;
        ScriptedPrompter prompter;
        QSqlDatabase db = *store.worker();
        QVERIFY(storeRow(db, "tb_taxdata", "046454286", kItem, "<b>report</b>", "2025-03-01 10:00:00", 2024) > 0);
        CFamilyTaxData family;
        newReturn(family, "046 454 286");
        int applied = 0;
        TddMainContext context;
        context.family = &family;
        context.afterApply = [&] { ++applied; };
        DlgTDDMain dialog(1, db, CString("046 454 286"), context, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Auto Fill Tax Data"));
        QCOMPARE(dialog.size(), QSize(813, 423));
        dialog.show();
        QCOMPARE(dialog.model()->rowCount(), 1);
        QVERIFY(dialog.grab().save(artefact(QStringLiteral("tdd-main.png"))));
        selectSin(dialog, "046454286");
        bool threePages = false;
        finishWizardWhenShown(&threePages);
        dialog.on_btnView_clicked();
        QVERIFY(threePages);
        QCOMPARE(applied, 1);
        int autoFilled = 0;
        for (const STRUCT_SLIPDATA_ITEM_2004* item : family.getTaxpayer()->m_slipList)
            autoFilled += item->data->isAutoFilled() ? 1 : 0;
        QCOMPARE(autoFilled, 1);
        QCOMPARE(family.getTaxpayer()->GetT1()->line10100EmploymentIncome.m_value, 41000.0);
    }

    void unreadableRecordIsRefused()
    {
        AgencyStoreFixture store;
        ScriptedPrompter prompter;
        QSqlDatabase db = *store.worker();
        QVERIFY(storeRow(db, "tb_taxdata", "046454286", "<x", "<b>report</b>", "2025-03-01 10:00:00", 2024) > 0);
        CFamilyTaxData family;
        newReturn(family, "046454286");
        const int slipsBefore = int(family.getTaxpayer()->m_slipList.size());
        TddMainContext context;
        context.family = &family;
        DlgTDDMain dialog(1, db, CString("046454286"), context, nullptr);
        dialog.show();
        selectSin(dialog, "046454286");
        finishWizardWhenShown();
        dialog.on_btnView_clicked();
        QCOMPARE(int(family.getTaxpayer()->m_slipList.size()), slipsBefore);
        QCOMPARE(family.getTaxpayer()->GetT1()->AutoFillFlag.m_value, 0);
        QVERIFY(shownTexts(prompter).join(' ').contains(QStringLiteral("cannot be read (code -2)")));
    }

    void viewWithoutReturnAppliesNothing()
    {
        AgencyStoreFixture store;
        ScriptedPrompter prompter;
        QSqlDatabase db = *store.worker();
        storeRow(db, "tb_taxdata", "046454286", kItem, "<b>report</b>", "2025-03-01 10:00:00", 2024);
        TddMainContext context;
        DlgTDDMain dialog(1, db, CString(), context, nullptr);
        dialog.show();
        selectSin(dialog, "046454286");
        bool threePages = true;
        finishWizardWhenShown(&threePages);
        dialog.on_btnView_clicked();
        QVERIFY(!threePages);
    }

    void noticeView_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("opened");
        QTest::newRow("message") << "For tax payer (S.I.N. xxxxx4286), no message presents."
                                 << "For tax payer (S.I.N. xxxxx4286), no message presents." << false;
        QTest::newRow("missing page") << "/nowhere/noa.html" << "cannot find the file for viewing" << false;
        QTest::newRow("page with a space and a hash") << "PAGE" << QString() << true;
    }

    void noticeView()
    {
        QFETCH(QString, stored);
        QFETCH(QString, told);
        QFETCH(bool, opened);
        AgencyStoreFixture store;
        ScriptedPrompter prompter;
        CapturingUrlOpener urls;
        QSqlDatabase db = *store.worker();
        const QString folder = store.noticeFolder() + "/my notes #1";
        QDir().mkpath(folder);
        const QString page = folder + "/noa 2024#x.html";
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html/>");
        file.close();
        storeRow(db, "tb_taxnoa", "046454286", "<n/>", stored == "PAGE" ? page : stored, "2025-03-01", 2024);
        TddMainContext context;
        context.noticeFolder = store.noticeFolder();
        DlgTDDMain dialog(2, db, CString(), context, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Express Notice of Assessment"));
        dialog.show();
        selectSin(dialog, "046454286");
        dialog.on_btnView_clicked();
        QCOMPARE(shownTexts(prompter), told.isEmpty() ? QStringList() : QStringList{told});
        QCOMPARE(urls.urls.size(), opened ? 1 : 0);
        if (opened) {
            QVERIFY(urls.urls.first().isLocalFile());
            QCOMPARE(urls.urls.first().toLocalFile(), page);
        }
    }

    void removeKeepsAPageAnotherRowNames()
    {
        AgencyStoreFixture store;
        ScriptedPrompter prompter;
        QSqlDatabase db = *store.worker();
        QDir().mkpath(store.noticeFolder());
        const QString page = store.noticeFolder() + "/noa2024.html";
        QFile file(page);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        storeRow(db, "tb_taxnoa", "046454286", "<n/>", page, "2025-03-01", 2024);
        storeRow(db, "tb_taxnoa", "130692544", "<n/>", page, "2025-03-02", 2024);
        TddMainContext context;
        context.noticeFolder = store.noticeFolder();
        DlgTDDMain dialog(2, db, CString(), context, nullptr);
        dialog.show();
        QCOMPARE(dialog.model()->rowCount(), 2);
        dialog.tableView()->sortByColumn(0, Qt::DescendingOrder);
        selectSin(dialog, "046454286");
        prompter.queueYes(false);
        dialog.on_btnRemove_clicked();
        QCOMPARE(dialog.model()->rowCount(), 2);
        prompter.queueYes(true);
        dialog.on_btnRemove_clicked();
        QCOMPARE(dialog.model()->rowCount(), 1);
        QCOMPARE(dialog.model()->getElementData(0)->getName(), QStringLiteral("130692544"));
        QVERIFY(QFile::exists(page));
        selectSin(dialog, "130692544");
        prompter.queueYes(true);
        dialog.on_btnRemove_clicked();
        QCOMPARE(dialog.model()->rowCount(), 0);
        QVERIFY(!QFile::exists(page));
    }
};

QTEST_MAIN(TestTddMain)
#include "tst_tddmain.moc"
