// "Generate Print (.pdf) Files" on the real window: the return is validated,
// the print options asked, the return saved and printed by our print engine
// in a real Java VM, and the new PDF offered for e-delivery. The engine's
// test switches and call trace live in the PDF template folder (PDFPATH),
// which is one folder for the whole process since the VM keeps it.
#include <QtTest>

#include "companion/core/qwebclient.h"
#include "companion/ui/styledwidgets.h"
#include "common/modalsteps.h"
#include "dialogs/dlgprintoption_info.h"
#include "dialogs/dlgvalidationmsgs.h"
#include "fakes/esignfake.h"
#include "print/JavaEnvs.h"
#include "returnpagefixture.h"
#include "workspace/featureenvironment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCryptographicHash>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <functional>

#include <unistd.h>

namespace {

const QString kEmail = QStringLiteral("agent@exemple.ca");
const QString kPassword = QStringLiteral("mdp-agent");
const QString kZeroContent =
    QStringLiteral("PDF file is created with zero content, usually it means anti-virus software blocks file generation.");

QTemporaryDir& engineFolder()
{
    static QTemporaryDir dir;
    return dir;
}
QString pdfTemplates() { return engineFolder().filePath("pdf"); }
QString xmlTemplates() { return engineFolder().filePath("xml"); }

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The engine's switches for the next jobs (trace always on); the old trace goes.
void engineSwitches(const QByteArray& switches = QByteArray())
{
    QFile::remove(pdfTemplates() + "/engine-trace.txt");
    // The facts page tells the test what the engine received.
    writeFile(pdfTemplates() + "/engine-test.properties", "trace=1\nfacts=1\n" + switches);
}

QStringList engineTrace()
{
    return QString::fromUtf8(readFile(pdfTemplates() + "/engine-trace.txt")).split('\n', Qt::SkipEmptyParts);
}

QString pdfText(const QString& pdf)
{
    QProcess p;
    p.start("pdftotext", {"-layout", pdf, "-"});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// A line "Name: value" of the engine's report.
QString reportValue(const QString& text, const QString& name)
{
    const QRegularExpression line("^\\s*" + QRegularExpression::escape(name) + ":\\s*(.*?)\\s*$",
                                  QRegularExpression::MultilineOption);
    // The engine's facts close the report: the last line of that name.
    QString value = QStringLiteral("<no %1 line>").arg(name);
    QRegularExpressionMatchIterator it = line.globalMatch(text);
    while (it.hasNext())
        value = it.next().captured(1);
    return value;
}

// A failed step inside a modal loop must not leave the test waiting.
void closeModalLater()
{
    QTimer::singleShot(20000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
}

// What the user does in the print options once they show.
using OptionsStep = std::function<void(DlgPrintOption_Info*)>;

void onPrintOptions(const OptionsStep& step)
{
    closeModalLater();
    QTimer::singleShot(0, [step] {
        auto* dialog = qobject_cast<DlgPrintOption_Info*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("the print options are not shown");
        step(dialog);
    });
}

// The e-delivery offer is closed.
void closeOffer(ScriptedPrompter& prompter)
{
    prompter.queueCancel();
}

OptionsStep choose(bool condensed, bool curForm, bool letter, bool invoice, bool fullSin)
{
    return [=](DlgPrintOption_Info* d) {
        (condensed ? d->fld_PrintOption_1 : d->fld_PrintOption_0)->setChecked(true);
        d->fld_CurFormOnly->setChecked(curForm);
        d->fld_ClientLetter->setChecked(letter);
        d->fld_Invoice->setChecked(invoice);
        d->fld_FullSIN->setChecked(fullSin);
        QTest::mouseClick(d->findChild<QPushButton*>("btnPrint"), Qt::LeftButton);
    };
}

QString sha256Of(const QString& path)
{
    return QString::fromLatin1(QCryptographicHash::hash(readFile(path), QCryptographicHash::Sha256).toHex());
}

// The program pointed at the engine folder and, when given, the service's
// stand-in, with a return presented in a page.
struct PrintWindow
{
    explicit PrintWindow(const QByteArray& extra = QByteArray(), const EsignFake* fake = nullptr)
        : window("PDFPATH=" + pdfTemplates().toUtf8() + "\nXMLPATH=" + xmlTemplates().toUtf8() + "\n" + extra
                 + (fake ? fake->configLines() : QByteArray()))
    {
        output = window.home.path() + "/PDFs";
        window.app->m_config.RetPdfPath = output;
        window.app->m_config.PdfPathSameAsRet = 0;
        window.app->m_config.PrntClientLetter = 0;
        window.app->m_config.QuillorEmail = kEmail;
        window.app->m_config.QuillorPswd = kPassword;
        window.app->refreshFeatureSettings();
    }

    // A return with a complete taxpayer, saved as returnFile.
    Form_Return* openSaved(NewReturnBasicData record, bool save = true)
    {
        if (record.sin.isEmpty())
            record.sin = "046454286";
        page = returnpage::present(window, returnpage::newFamily(record));
        if (!page)
            return nullptr;
        returnFile = window.home.path() + "/returns/" + record.FirstName + ".r24";
        QDir().mkpath(QFileInfo(returnFile).absolutePath());
        if (save) {
            QFileInfo file(returnFile);
            page->setFilepath(&file);
            if (page->saveReturnFile(false) != 0)
                return nullptr;
        }
        return page;
    }

    // Runs the print command: the validation's questions, when the return
    // has messages, are answered "do not view" and "print"; then answers
    // are queued for what follows the print options.
    void print(const OptionsStep& options, const std::function<void(ScriptedPrompter&)>& answers = {})
    {
        ScriptedPrompter& prompter = *window.prompter;
        prompter.queueYes(false);
        const bool hasMessages = page->ValidateTaxReturn(TabWndApp::s_appPurpose, false, true) > 0;
        prompter.clear(); // the look above is not the test's
        if (hasMessages) {
            prompter.queueYes(false);
            prompter.queueYes(true);
        }
        if (answers)
            answers(prompter);
        onPrintOptions([this, options](DlgPrintOption_Info* d) {
            shownBefore = window.prompter->records().size();
            options(d);
        });
        window.action("actionGenerate_Print_pdf_Files")->trigger();
    }

    // The texts shown after the print options closed.
    QStringList roadTexts() const { return window.promptTexts().mid(shownBefore); }

    // The engine names a PDF after the return, the person, the mode and the selection.
    QString pdfNamed(int mode, int category, int formId, const QString& person = QStringLiteral("taxpayer")) const
    {
        return output + QStringLiteral("/%1-%5_%2_%3_%4.pdf")
                            .arg(QFileInfo(returnFile).completeBaseName())
                            .arg(mode)
                            .arg(category)
                            .arg(formId)
                            .arg(person);
    }

    WindowFixture window;
    Form_Return* page = nullptr;
    int shownBefore = 0;
    QString output;
    QString returnFile;
};

NewReturnBasicData taxpayer()
{
    NewReturnBasicData r = returnpage::singleRecord();
    r.sin = "046454286";
    return r;
}

} // namespace

class TestPrintRoad : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(engineFolder().isValid());
        // What the program's main does: the bridge reads the application's
        // configuration and writes its run log.
        installJavaVMEnv();
        QVERIFY(QDir().mkpath(pdfTemplates()));
        // The engine names fields by the program's layouts.
        QVERIFY(QDir().mkpath(xmlTemplates()));
        const QDir built(QCoreApplication::applicationDirPath() + "/../Resources/xml");
        for (const QString& name : built.entryList(QDir::Files))
            QFile::copy(built.filePath(name), xmlTemplates() + "/" + name);
        QString why;
        QVERIFY2(EsignFake::makeCertificates(why), qPrintable(why));
        QWebClient::setDefaultTimeoutMs(5000);
    }

    void init() { engineSwitches(); }

    // First of all: the runtime library is looked for at the first print
    // of the process only (it stays loaded afterwards).
    void runtimeThatIsAFolder()
    {
        PrintWindow w;
        QVERIFY(w.openSaved(taxpayer()));
        w.window.app->m_config.JVMPATH = w.window.home.path();
        w.window.app->refreshFeatureSettings();
        w.print(choose(false, false, false, false, false));
        QCOMPARE(w.roadTexts(),
                 QStringList{"Print environment error, error code is -21.\nNo Java runtime was found. Install a Java "
                             "17 runtime (for example the package default-jre-headless), or set JVMPATH in the "
                             "configuration file to its libjvm.so, then print again."});
    }

    // The developer's test print file, written by "Generate Print Files"
    // and opened as any return, prints to a PDF that a PDF checker accepts.
    void testPrintFilePrintsToAWellFormedPdf()
    {
        PrintWindow w("EnableGenPrint=1\n");
        QVERIFY(w.window.ready);
        const QString path = TabWndApp::testPrintFilePath();
        QVERIFY(path.startsWith(w.window.home.path()));
        QFile::remove(path);
        w.window.prompter->queueYes(true);
        QAction* generate = w.window.window->findChild<QAction*>("actionGeneratePrintFiles");
        QVERIFY(generate);
        generate->trigger();
        QCOMPARE(w.window.promptTexts(), QStringList{"Creat test data file?"});
        QVERIFY(QFile::exists(path));

        w.window.prompter->clear();
        w.window.window->openReturnFile(path);
        w.page = dynamic_cast<Form_Return*>(w.window.window->currentReturnPage());
        QVERIFY2(w.page, qPrintable(w.window.promptTexts().join(" | ")));
        QString opened;
        w.page->getFilepath(opened);
        QCOMPARE(QFileInfo(opened).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
        w.returnFile = path;
        w.print(choose(false, false, false, false, false), closeOffer);

        const QString pdf = w.pdfNamed(0, 0, 0);
        QVERIFY2(QFileInfo(pdf).size() > 0, qPrintable(w.window.promptTexts().join(" | ")));
        QCOMPARE(reportValue(pdfText(pdf), "SHA-256"), sha256Of(path));
        QProcess qpdf;
        qpdf.setProcessChannelMode(QProcess::MergedChannels);
        qpdf.start("qpdf", {"--check", pdf});
        QVERIFY2(qpdf.waitForFinished(60000), "qpdf did not finish");
        const QString report = QString::fromUtf8(qpdf.readAll());
        // 0: no errors and no warnings.
        QVERIFY2(qpdf.exitStatus() == QProcess::NormalExit && qpdf.exitCode() == 0, qPrintable(report));
        QVERIFY2(report.contains("No syntax or stream encoding errors found"), qPrintable(report));
    }

    void coupledReturnPrintedWholeForTheSpouse()
    {
        PrintWindow w;
        QVERIFY(w.window.ready);
        QVERIFY(w.openSaved(returnpage::coupledRecord()));
        w.page->findChild<QComboBox*>("comboBox")->setCurrentIndex(1);
        QCOMPARE(w.page->familyData()->getCurIndv(), int(CFamilyTaxData::kSpouse));
        w.print(choose(false, false, false, false, false), closeOffer);

        const QString pdf = w.pdfNamed(0, 0, 0, QStringLiteral("spouse"));
        QVERIFY2(QFileInfo(pdf).size() > 0, qPrintable(w.window.promptTexts().join(" | ")));
        const QString text = pdfText(pdf);
        QCOMPARE(reportValue(text, "Spouse"), QString("1"));
        QCOMPARE(reportValue(text, "Mode"), QString("0"));
        QCOMPARE(reportValue(text, "Category"), QString("0"));
        QCOMPARE(reportValue(text, "Form id"), QString("0"));
        QCOMPARE(reportValue(text, "Flags"), QString("0"));
        // The engine printed the file as saved by this print.
        QCOMPARE(reportValue(text, "SHA-256"), sha256Of(w.returnFile));

        // Then the e-delivery offer, over the page, with the PDF's own URL.
        const PromptRecord offer = w.window.prompter->records().last();
        QCOMPARE(offer.kind, PromptKind::TextInput);
        QCOMPARE(offer.title, QString("Generate Printable Return File"));
        QCOMPARE(offer.link, QUrl::fromLocalFile(pdf).toString());
    }

    void flagsFollowTheOptions_data()
    {
        QTest::addColumn<bool>("letter");
        QTest::addColumn<bool>("invoice");
        QTest::addColumn<bool>("fullSin");
        QTest::addColumn<QString>("flags");
        QTest::newRow("letter and invoice") << true << true << false << "44"; // 36 | 8
        QTest::newRow("full S.I.N.") << false << false << true << "16";
        QTest::newRow("all") << true << true << true << "60"; // 36 | 8 | 16
    }
    void flagsFollowTheOptions()
    {
        QFETCH(bool, letter);
        QFETCH(bool, invoice);
        QFETCH(bool, fullSin);
        QFETCH(QString, flags);
        PrintWindow w;
        QVERIFY(w.openSaved(taxpayer()));
        w.print(choose(false, false, letter, invoice, fullSin), closeOffer);
        QCOMPARE(reportValue(pdfText(w.pdfNamed(0, 0, 0)), "Flags"), flags);
    }

    void condensedPrintIgnoresTheBoxes()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        PrintWindow w(QByteArray(), &fake);
        w.window.app->m_config.CustomizedClientLetter = true;
        w.window.app->refreshFeatureSettings();
        QVERIFY(w.openSaved(taxpayer()));
        w.print(choose(true, true, true, true, true), closeOffer);
        QCOMPARE(DlgPrintOption_Info::m_iPrintOption, 1);
        QCOMPARE(DlgPrintOption_Info::m_iPrintReceipt, 1); // recorded all the same

        const QString text = pdfText(w.pdfNamed(1, 0, 0));
        QCOMPARE(reportValue(text, "Mode"), QString("1"));
        QCOMPARE(reportValue(text, "Flags"), QString("0"));
        QCOMPARE(reportValue(text, "Category"), QString("0"));
        QVERIFY(fake.records().isEmpty()); // no template request
        QCOMPARE(w.window.prompter->records().last().title, QString("Generate Printable Return File"));
    }

    void selectedItemOnly_data()
    {
        QTest::addColumn<QString>("select"); // "slip", "nothing", "result", "form"
        QTest::addColumn<QString>("category");
        QTest::addColumn<bool>("itemIdKept");
        // A slip keeps its id too: "selected form only" prints that one slip.
        QTest::newRow("a slip") << "slip" << "1" << true;
        QTest::newRow("nothing") << "nothing" << "-1" << false;
        QTest::newRow("Result") << "result" << "99" << false;
        QTest::newRow("the T1") << "form" << "0" << true;
    }
    void selectedItemOnly()
    {
        QFETCH(QString, select);
        QFETCH(QString, category);
        QFETCH(bool, itemIdKept);
        PrintWindow w;
        QVERIFY(w.openSaved(taxpayer()));
        FolderView* tree = w.page->folderView();
        w.page->addTaxSlip(returnpage::kSlipT4);
        QVERIFY(w.page->saveReturnFile(false) == 0);
        int expectedId = 0;
        if (select == "slip") {
            TreeItem* t4 = returnpage::rowOf(tree, FROM_SLIP, returnpage::kSlipT4);
            QVERIFY(t4);
            expectedId = t4->itemId();
            tree->setCurrentItem(t4);
        } else if (select == "result") {
            tree->setCurrentItem(tree->resultItem());
        } else if (select == "form") {
            TreeItem* t1 = returnpage::rowOf(tree, FROM_FORM, FORM_T1);
            QVERIFY(t1);
            expectedId = t1->itemId();
            tree->setCurrentItem(t1);
        } else {
            // A branch is no item of the return: nothing is selected.
            tree->setCurrentItem(tree->slipsItem());
        }
        w.print(choose(false, true, false, false, false), closeOffer);
        const QStringList printed = QDir(w.output).entryList({"*.pdf"}, QDir::Files);
        QCOMPARE(printed.size(), 1);
        const QString pdf = w.output + "/" + printed.first();
        const QString text = pdfText(pdf);
        QCOMPARE(reportValue(text, "Category"), category);
        QCOMPARE(reportValue(text, "Form id"), QString::number(itemIdKept ? expectedId : 0));
    }

    void testModeTellsTheSelection()
    {
        PrintWindow w("EnableGenPrint=1\n");
        QVERIFY(w.openSaved(taxpayer()));
        w.page->addTaxSlip(5);
        FolderView* tree = w.page->folderView();
        TreeItem* slip = returnpage::rowOf(tree, FROM_SLIP, 5);
        QVERIFY(slip);
        tree->setCurrentItem(slip);
        w.print(choose(false, true, false, false, false), closeOffer);
        // The slip's own id, which the engine prints alone.
        QVERIFY2(w.roadTexts().contains(QStringLiteral("print category - 1 formtype 5 formid %1").arg(slip->itemId())),
                 qPrintable(w.roadTexts().join(" | ")));
    }

    void pdfBesideTheReturnFile()
    {
        PrintWindow w;
        w.window.app->m_config.PdfPathSameAsRet = 1;
        w.window.app->refreshFeatureSettings();
        QVERIFY(w.openSaved(taxpayer()));
        w.print(choose(false, false, false, false, false), closeOffer);
        const QString beside = QFileInfo(w.returnFile).absolutePath() + "/"
                             + QFileInfo(w.returnFile).completeBaseName() + "-taxpayer_0_0_0.pdf";
        QVERIFY(QFileInfo(beside).size() > 0);
        QVERIFY(!QFile::exists(w.pdfNamed(0, 0, 0)));
    }

    // Viewing the errors shows them in the validation messages dialog;
    // either way, No to printing prints nothing.
    void validationErrorsAndNoPrintNothing_data()
    {
        QTest::addColumn<bool>("viewErrors");
        QTest::newRow("errors not viewed") << false;
        QTest::newRow("errors viewed") << true;
    }
    void validationErrorsAndNoPrintNothing()
    {
        QFETCH(bool, viewErrors);
        PrintWindow w;
        NewReturnBasicData r = taxpayer();
        r.sin = "123";
        QVERIFY(w.openSaved(r));
        w.window.prompter->queueYes(viewErrors);
        w.window.prompter->queueYes(false); // do not print
        QString shownTitle;
        int shownTabs = 0;
        if (viewErrors)
            modalsteps::whenModal<DlgValidationMsgs>([&](DlgValidationMsgs* d) {
                shownTitle = d->windowTitle();
                if (auto* tabs = d->findChild<QTabWidget*>())
                    shownTabs = tabs->count();
                d->accept();
            });
        closeModalLater();
        w.window.action("actionGenerate_Print_pdf_Files")->trigger();
        QCOMPARE(shownTitle, viewErrors ? QString("Validation Result") : QString());
        QCOMPARE(shownTabs, viewErrors ? 1 : 0);
        QVERIFY(w.window.promptTexts().contains(
            "Do you still want to generate the printable file? Click 'Yes' button to continue print."));
        QVERIFY(engineTrace().isEmpty());
        QVERIFY(QDir(w.output).entryList(QDir::Files).isEmpty());
    }

    // A file that cannot be written (a folder stands in its place): the save
    // says so, and nothing is printed from a stale file.
    void unsavableReturnPrintsNothing()
    {
        PrintWindow w;
        QVERIFY(w.openSaved(taxpayer()));
        QFile::remove(w.returnFile);
        QVERIFY(QDir().mkpath(w.returnFile));
        w.print(choose(false, false, false, false, false));
        QVERIFY2(w.roadTexts().join("\n").contains("The return could not be saved to"),
                 qPrintable(w.roadTexts().join(" | ")));
        QVERIFY(engineTrace().isEmpty());
        QVERIFY(QDir(w.output).entryList(QDir::Files).isEmpty());
    }

    void stalePdfIsNotTakenForAPrint_data()
    {
        QTest::addColumn<QByteArray>("switches");
        QTest::newRow("no PDF written") << QByteArray("pdf=none\n");
        QTest::newRow("no path reported") << QByteArray("path=none\n");
        QTest::newRow("empty PDF") << QByteArray("pdf=empty\n");
    }
    void stalePdfIsNotTakenForAPrint()
    {
        QFETCH(QByteArray, switches);
        PrintWindow w;
        QVERIFY(w.openSaved(taxpayer()));
        // An older print of the same name.
        const QString old = w.pdfNamed(0, 0, 0);
        QVERIFY(QDir().mkpath(w.output));
        QVERIFY(writeFile(old, "%PDF-1.4 an earlier print\n"));
        QFile stale(old);
        QVERIFY(stale.open(QIODevice::ReadWrite));
        QVERIFY(stale.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        stale.close();
        engineSwitches(switches);
        w.print(choose(false, false, false, false, false));
        QCOMPARE(w.roadTexts(), QStringList{kZeroContent});
    }

    void jobFailuresAreTold_data()
    {
        QTest::addColumn<QByteArray>("switches");
        QTest::addColumn<QString>("message");
        QTest::newRow("read 7") << QByteArray("read=7\n")
                                << "voDarevivo cannot generate .pdf file, check if output folder pathname contains "
                                   "non-English characters., error code is -116.";
        QTest::newRow("throw in do") << QByteArray("throw=do\n") << "Print error happend, error code is -140.";
    }
    void jobFailuresAreTold()
    {
        QFETCH(QByteArray, switches);
        QFETCH(QString, message);
        PrintWindow w;
        QVERIFY(w.openSaved(taxpayer()));
        engineSwitches(switches);
        w.print(choose(false, false, false, false, false));
        QCOMPARE(w.roadTexts(), QStringList{message});
    }

    // A folder the program cannot write into is named before the job, not
    // blamed on an open PDF after it.
    void unwritableOutputFolderIsToldBeforeTheJob_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a folder of mode 0555") << "0555";
        // The kernel's folder refuses new files even to the privileged user.
        QTest::newRow("a folder nobody can add to") << "/proc";
    }
    void unwritableOutputFolderIsToldBeforeTheJob()
    {
        QFETCH(QString, kind);
        PrintWindow w;
        QVERIFY(w.openSaved(taxpayer()));
        QString folder = kind;
        if (kind == "0555") {
            if (::geteuid() == 0)
                QSKIP("running as root, which writes into a 0555 folder whatever its mode");
            folder = w.output;
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                      | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        } else if (!QFileInfo(folder).isDir()) {
            QSKIP("no /proc here");
        }
        w.window.app->m_config.RetPdfPath = folder;
        w.window.app->refreshFeatureSettings();
        w.print(choose(false, false, false, false, false));
        QCOMPARE(w.roadTexts(),
                 QStringList{"voDarevivo cannot write into the folder for printable tax form (.pdf) files:\n" + folder
                             + "\nChoose a folder you can write into in the preferences, or allow writing into this "
                               "one, then print again."});
        QVERIFY(engineTrace().isEmpty());
        if (kind == "0555")
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void neverSavedReturnAsksForASave()
    {
        PrintWindow w;
        QVERIFY(w.openSaved(taxpayer(), false));
        w.print(choose(false, false, false, false, false));
        QCOMPARE(w.roadTexts(),
                 QStringList{"Please save tax return to a tax return file first by menu Start | Save or Start | Save As."});
        QVERIFY(engineTrace().isEmpty());

        // Saved under a name, the next print goes through.
        QFileInfo file(w.returnFile);
        w.page->setFilepath(&file);
        w.print(choose(false, false, false, false, false), closeOffer);
        QVERIFY(QFileInfo(w.pdfNamed(0, 0, 0)).size() > 0);
    }

    void offerProposesTheSecondEmailAndTheExactLink()
    {
        PrintWindow w;
        w.output = w.window.home.path() + "/My PDFs #2";
        w.window.app->m_config.RetPdfPath = w.output;
        w.window.app->refreshFeatureSettings();
        QVERIFY(w.openSaved(taxpayer()));
        TaxData_T1New* t1 = w.page->familyData()->getTaxpayer()->GetT1();
        t1->Email.m_value = "";
        t1->Email2.m_value = "second@example.ca";
        w.print(choose(false, false, false, false, false), closeOffer);
        const PromptRecord offer = w.window.prompter->records().last();
        QCOMPARE(offer.kind, PromptKind::TextInput);
        const QString pdf = w.pdfNamed(0, 0, 0);
        QVERIFY(QFileInfo(pdf).size() > 0);
        QCOMPARE(QUrl(offer.link), QUrl::fromLocalFile(pdf));
        QCOMPARE(QUrl(offer.link).toLocalFile(), pdf);
        // The scripted prompter answers a text prompt with its starting text.
        QVERIFY(offer.texts.join("\n").contains("Tax payer's contact email:"));
    }

    void offerSendsTheDelivery()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        PrintWindow w(QByteArray(), &fake);
        QVERIFY(w.openSaved(taxpayer()));
        w.print(choose(false, false, false, false, false), [](ScriptedPrompter& p) {
            p.queueText("client@example.ca");
            p.queueYes(true);
        });
        const QList<QJsonObject> records = fake.records();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].value("upload").toObject().value("fileName").toString(),
                 QFileInfo(w.pdfNamed(0, 0, 0)).fileName());
        QVERIFY(EsignFake::items(records[0]).contains("email=client@example.ca"));
        QCOMPARE(w.roadTexts().last(), QString("Request sent."));
    }

    void clientLetterIsDeployedOncePerRun()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        QVERIFY(writeFile(fake.filesFolder() + "/t1_clientletter.pdf", "%PDF-1.4\n% the preparer's letter\n"));
        QVERIFY(writeFile(fake.filesFolder() + "/t1_clientletter.xml", "<form name=\"letter\"/>\n"));
        PrintWindow w(QByteArray(), &fake);
        w.window.app->m_config.CustomizedClientLetter = true;
        w.window.app->m_config.CustomizedClientLetter_Ver = 0;
        w.window.app->refreshFeatureSettings();
        QVERIFY(w.openSaved(taxpayer()));
        w.print(choose(false, false, true, false, false), closeOffer);
        QVERIFY(w.roadTexts().contains("Customized client letter is deployed!"));
        QVERIFY(reportValue(pdfText(w.pdfNamed(0, 0, 0)), "Client letter").startsWith("t1_clientletter_own.pdf"));
        const int requests = fake.records().size();

        w.print(choose(false, false, true, false, false), closeOffer);
        QCOMPARE(fake.records().size(), requests);
        QFile::remove(pdfTemplates() + "/t1_clientletter_own.pdf");
        QFile::remove(xmlTemplates() + "/t1_clientletter_own.xml");
    }


    // The form page's "Print for E-Delivery" of the T183 (event 1831).
    void t183PrintedAloneForDelivery()
    {
        EsignFake fake(QJsonObject{{kEmail, kPassword}});
        QVERIFY2(fake.isRunning(), qPrintable(fake.failure()));
        PrintWindow w(QByteArray(), &fake);
        QVERIFY(w.openSaved(taxpayer()));
        CFamilyTaxData* family = w.page->familyData();
        if (CTaxData_Form* t183 = family->GetFormData(FORM_T183, false))
            family->RemoveFormData(t183);

        QEvent submit(QEvent::Type(1831));
        QApplication::sendEvent(w.page, &submit);
        QCOMPARE(w.window.promptTexts(), QStringList{"Form[T183] is not in the tax return."});
        QVERIFY(QDir(w.output).entryList({"*.pdf"}, QDir::Files).isEmpty());
        QVERIFY(engineTrace().isEmpty());

        const STRUCT_FORMDATA_ITEM_2004* item = family->GetFormDataItem(FORM_T183, true);
        QVERIFY(item);
        w.window.prompter->clear();
        w.window.prompter->queueText("client@example.ca");
        w.window.prompter->queueYes(true);
        QApplication::sendEvent(w.page, &submit);
        const QStringList printed = QDir(w.output).entryList({"*.pdf"}, QDir::Files);
        QCOMPARE(printed.size(), 1);
        const QString text = pdfText(w.output + "/" + printed.first());
        QCOMPARE(reportValue(text, "Category"), QString("0"));
        QCOMPARE(reportValue(text, "Form id"), QString::number(item->id));
        QCOMPARE(reportValue(text, "Flags"), QString("0"));
        const QList<QJsonObject> records = fake.records();
        QCOMPARE(records.size(), 1);
        QVERIFY(EsignFake::items(records[0]).contains("form=T1GEN"));
    }
};

// Qt Test's crash handler is off: the Java VM handles SIGSEGV itself.
int main(int argc, char** argv)
{
    TestPrintRoad test;
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    args << QStringLiteral("-nocrashhandler");
    return QTest::qExec(&test, args);
}
#include "tst_printroad.moc"
