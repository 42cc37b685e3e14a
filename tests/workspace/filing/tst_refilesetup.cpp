// "Set Return for ReFile" and "Un-set Return for ReFile" on the real page:
// the restrictions, the refusals, the name and content of the amended copy,
// the file of the filed return left as it was, and a copy that cannot be
// written.
#include <QtTest>

#include "common/modalscript.h"
#include "common/modalsteps.h"
#include "companion/core/appclock.h"
#include "companion/forms/t1/taxdata_t1new.h"
#include "companion/ui/styledwidgets.h"
#include "filing/ui/DlgFilingTerm.h"
#include "model/individualtaxdata.h"
#include "workspace/returnpagefixture.h"

#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QProcess>
#include <QPushButton>


using namespace returnpage;

namespace {

const QDateTime kSetUpTime(QDate(2025, 3, 2), QTime(14, 5));

// The restrictions dialog: its title kept (and its picture taken), then
// agreed or declined.
ModalScript::Step restrictions(bool agree, QString* title = nullptr)
{
    return [=](QWidget* w) {
        auto* dlg = qobject_cast<DlgFilingTerm*>(w);
        if (!dlg)
            return false;
        if (title) {
            *title = dlg->windowTitle();
            dlg->grab().save(modalsteps::artefactPath("refilerestrictions.png"));
        }
        dlg->ui()->fld_bAgree->setChecked(agree);
        dlg->ui()->buttonBox->button(agree ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        return true;
    };
}

QByteArray sha256(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// A folder in which no file can be made, for as long as it lives: read-only,
// and, for an account that file permissions do not stop, immutable too.
class LockedFolder
{
public:
    explicit LockedFolder(const QString& path) : m_path(path)
    {
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
        if (!canWrite())
            return;
        m_immutable = QProcess::execute("chattr", {"+i", m_path}) == 0;
    }
    ~LockedFolder()
    {
        if (m_immutable)
            QProcess::execute("chattr", {"-i", m_path});
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool canWrite() const { return QTemporaryFile(m_path + "/probe-XXXXXX").open(); }

private:
    QString m_path;
    bool m_immutable = false;
};

} // namespace

class TestReFileSetup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void declinedRestrictionsChangeNothing();
    void notEligible();
    void returnNeverSaved();
    void copyBesideTheFiledReturn_data();
    void copyBesideTheFiledReturn();
    void secondSetUpInTheSameMinute();
    void copyThatCannotBeWritten();
    void unsetKeepsTheStatus();

private:
    // The window and Jean's filed return, saved as name in folder (relative
    // to the test's home; empty: the home itself); name empty: never saved.
    Form_Return* openJean(const QString& folder, const QString& name);
    void setUp() { m_f->action("actionSet_Return_for_ReFile")->trigger(); }
    QString pagePath(Form_Return* page) const
    {
        QString path;
        page->getFilepath(path);
        return path;
    }
    TaxData_T1New* t1(Form_Return* page) const { return page->familyData()->getTaxpayer()->GetT1(); }
    // The T1 of the return as the file at path holds it.
    TaxData_T1New* reloadedT1(const QString& path);

    std::unique_ptr<WindowFixture> m_f;
    std::unique_ptr<CFamilyTaxData> m_reloaded;
    QString m_original;
};

void TestReFileSetup::init()
{
    m_f = std::make_unique<WindowFixture>();
    QVERIFY(m_f->ready);
    AppClock::setFixed(kSetUpTime);
}

void TestReFileSetup::cleanup()
{
    m_reloaded.reset();
    m_f.reset();
    AppClock::reset();
}

Form_Return* TestReFileSetup::openJean(const QString& folder, const QString& name)
{
    NewReturnBasicData record = singleRecord();
    record.FirstName = "Jean";
    record.LastName = "Tremblay";
    record.sin = "123456782";
    record.dob = QDate(1975, 6, 15);
    CFamilyTaxData* family = newFamily(record);
    TaxData_T1New* filed = family->getTaxpayer()->GetT1();
    filed->FilingStatus.m_value = 1;
    filed->FilingResultText.m_value = CString("XK47Q9");
    Form_Return* page = present(*m_f, family);
    if (!page || name.isEmpty())
        return page;
    const QString dir = folder.isEmpty() ? m_f->home.path() : m_f->home.path() + "/" + folder;
    QDir().mkpath(dir);
    m_original = dir + "/" + name;
    QFileInfo info(m_original);
    page->setFilepath(&info);
    if (page->saveReturnFile(false) != 0)
        return nullptr;
    m_f->prompter->clear();
    return page;
}

TaxData_T1New* TestReFileSetup::reloadedT1(const QString& path)
{
    int code = 0;
    m_reloaded.reset(CFamilyTaxData::serializeFromFile(CString(path), code));
    return m_reloaded ? m_reloaded->getTaxpayer()->GetT1() : nullptr;
}

void TestReFileSetup::declinedRestrictionsChangeNothing()
{
    Form_Return* page = openJean(QString(), "Tremblay.r24");
    QVERIFY(page);
    const QByteArray before = sha256(m_original);
    QString title;
    ModalScript script;
    script.add(restrictions(false, &title));
    setUp();
    QCOMPARE(script.pending(), 0);
    QCOMPARE(title, QStringLiteral("ReFile Restrictions"));
    QVERIFY(m_f->promptTexts().isEmpty());
    QCOMPARE(pagePath(page), m_original);
    QCOMPARE(t1(page)->ReFileFlag.m_value, 0);
    QCOMPARE(t1(page)->FilingStatus.m_value, 1);
    QCOMPARE(filesIn(m_f->home.path()), QStringList{"Tremblay.r24"});
    QCOMPARE(sha256(m_original), before);
}

void TestReFileSetup::notEligible()
{
    Form_Return* page = openJean(QString(), "Tremblay.r24");
    QVERIFY(page);
    t1(page)->DepartureDate.m_value = QDate(2024, 8, 1);
    ModalScript script;
    script.add(restrictions(true));
    page->OnPrepareReFile();
    QCOMPARE(script.pending(), 0);
    QCOMPARE(m_f->promptTexts(),
             QStringList{"Re-File is not allowed for tax return of an immigrant or emigrant in the tax year."});
    QVERIFY(m_f->prompter->records().value(0).hadParent);
    QCOMPARE(pagePath(page), m_original);
    QCOMPARE(t1(page)->ReFileFlag.m_value, 0);
    QCOMPARE(filesIn(m_f->home.path()), QStringList{"Tremblay.r24"});
}

void TestReFileSetup::returnNeverSaved()
{
    Form_Return* page = openJean(QString(), QString());
    QVERIFY(page);
    m_f->prompter->clear();
    ModalScript script;
    script.add(restrictions(true));
    page->OnPrepareReFile();
    QCOMPARE(script.pending(), 0);
    QCOMPARE(m_f->promptTexts(), QStringList{"Please save current return to a file first!"});
    QVERIFY(!page->hasFileToSave());
    QCOMPARE(t1(page)->ReFileFlag.m_value, 0);
}

void TestReFileSetup::copyBesideTheFiledReturn_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("copyName");
    QTest::newRow("Tremblay.r24") << "" << "Tremblay.r24" << "Tremblay_RF2503021405.r24";
    // The folder's name is not touched, only the file name's suffix.
    QTest::newRow("folder a.r24dir") << "a.r24dir" << "T.r24" << "T_RF2503021405.r24";
    // An upper-case suffix is the suffix too: the copy is a new file.
    QTest::newRow("T.R24") << "" << "T.R24" << "T_RF2503021405.r24";
}

void TestReFileSetup::copyBesideTheFiledReturn()
{
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(QString, copyName);
    Form_Return* page = openJean(folder, name);
    QVERIFY(page);
    const QString dir = QFileInfo(m_original).absolutePath();
    const QString copy = dir + "/" + copyName;
    const QByteArray before = sha256(m_original);
    ModalScript script;
    script.add(restrictions(true));
    setUp();
    QCOMPARE(script.pending(), 0);

    QCOMPARE(m_f->promptTexts(),
             QStringList{QStringLiteral("ReFile copied a new file named [%1] to handle amendment. Original file is "
                                        "untouched.")
                             .arg(copy)});
    QVERIFY(!m_f->prompter->records().value(0).hadParent);
    QCOMPARE(pagePath(page), copy);
    QVERIFY2(m_f->window->windowTitle().contains(copyName), qPrintable(m_f->window->windowTitle()));
    QCOMPARE(filesIn(dir), (QStringList{name, copyName}));
    QCOMPARE(sha256(m_original), before);

    QCOMPARE(t1(page)->ReFileFlag.m_value, 1);
    QCOMPARE(t1(page)->FilingStatus.m_value, 2);
    TaxData_T1New* saved = reloadedT1(copy);
    QVERIFY(saved);
    QCOMPARE(saved->ReFileFlag.m_value, 1);
    QCOMPARE(saved->FilingStatus.m_value, 2);
    QVERIFY(!page->isChanged());
    TaxData_T1New* filed = reloadedT1(m_original);
    QVERIFY(filed);
    QCOMPARE(filed->ReFileFlag.m_value, 0);
    QCOMPARE(filed->FilingStatus.m_value, 1);
}

void TestReFileSetup::secondSetUpInTheSameMinute()
{
    Form_Return* page = openJean(QString(), "Tremblay.r24");
    QVERIFY(page);
    const QString dir = m_f->home.path();
    {
        ModalScript script;
        script.add(restrictions(true));
        setUp();
        QCOMPARE(script.pending(), 0);
    }
    const QString first = dir + "/Tremblay_RF2503021405.r24";
    QCOMPARE(pagePath(page), first);
    const QByteArray firstCopy = sha256(first);

    // The filed return again, set up in the same minute: the first copy stays.
    QFileInfo original(m_original);
    page->setFilepath(&original);
    m_f->prompter->clear();
    for (const QString& expected : {QStringLiteral("Tremblay_RF250302140500.r24"),
                                    QStringLiteral("Tremblay_RF250302140500_2.r24")}) {
        ModalScript script;
        script.add(restrictions(true));
        setUp();
        QCOMPARE(script.pending(), 0);
        QCOMPARE(pagePath(page), dir + "/" + expected);
        page->setFilepath(&original);
    }
    QCOMPARE(sha256(first), firstCopy);
    QCOMPARE(filesIn(dir), (QStringList{"Tremblay.r24", "Tremblay_RF2503021405.r24", "Tremblay_RF250302140500.r24",
                                        "Tremblay_RF250302140500_2.r24"}));
}

void TestReFileSetup::copyThatCannotBeWritten()
{
    Form_Return* page = openJean("locked", "Tremblay.r24");
    QVERIFY(page);
    const QString dir = QFileInfo(m_original).absolutePath();
    const QByteArray before = sha256(m_original);
    {
        LockedFolder locked(dir);
        if (locked.canWrite())
            QSKIP("this account writes into read-only folders and the folder could not be made immutable");
        ModalScript script;
        script.add(restrictions(true));
        setUp();
        QCOMPARE(script.pending(), 0);
    }

    const QString told = m_f->promptTexts().join("|");
    QVERIFY2(told.contains("The ReFile copy could not be saved to " + dir + "/Tremblay_RF2503021405.r24"),
             qPrintable(told));
    QVERIFY(!told.contains("ReFile copied a new file"));
    QCOMPARE(pagePath(page), m_original);
    QCOMPARE(t1(page)->ReFileFlag.m_value, 0);
    QCOMPARE(t1(page)->FilingStatus.m_value, 1);
    QVERIFY(!page->isChanged());
    QCOMPARE(filesIn(dir), QStringList{"Tremblay.r24"});
    QCOMPARE(sha256(m_original), before);
}

void TestReFileSetup::unsetKeepsTheStatus()
{
    Form_Return* page = openJean(QString(), "Tremblay.r24");
    QVERIFY(page);
    QCOMPARE(page->familyData()->prepareForReFile(), 0);
    QCOMPARE(page->saveReturnFile(false), 0);
    const QByteArray before = sha256(m_original);
    m_f->prompter->clear();
    m_f->action("actionUn_set_Return_for_ReFile")->trigger();
    QCOMPARE(t1(page)->ReFileFlag.m_value, 0);
    QCOMPARE(t1(page)->FilingStatus.m_value, 2);
    QVERIFY(m_f->promptTexts().isEmpty());
    QCOMPARE(sha256(m_original), before);
    QCOMPARE(pagePath(page), m_original);
    QVERIFY(page->isChanged());
}

QTEST_APPLESS_MAIN(TestReFileSetup)
#include "tst_refilesetup.moc"
