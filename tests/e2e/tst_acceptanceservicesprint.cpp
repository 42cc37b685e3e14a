// The family's return printed to PDF on the real window, by our print engine
// in a real Java VM, and the PDF sent for e-delivery to the e-signature
// service's stand-in: the PDF is well formed, its text holds the family's
// names and the T1's totals as the status bar shows them, and the service
// received that very file for the address the user typed.
#include <QtTest>

#include "acceptancefamily.h"

#include "companion/core/qwebclient.h"
#include "dialogs/dlgprintoption_info.h"
#include "fakes/esignfake.h"
#include "workspace/featureenvironment.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

using namespace acceptance;

namespace {

const QString kAccount = QStringLiteral("preparer@example.ca");
const QString kAccountPassword = QStringLiteral("mot-de-passe");
const QString kClient = QStringLiteral("ann.lee@example.com");

struct ToolRun
{
    bool finished = false;
    int exitCode = -1;
    QString output;
};

ToolRun runTool(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, arguments);
    ToolRun run;
    run.finished = p.waitForFinished(60000);
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.output = QString::fromUtf8(p.readAll());
    return run;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The figure after "[name]=" on the status bar.
QString statusFigure(const QString& status, const QString& name)
{
    const QRegularExpression figure("\\[" + QRegularExpression::escape(name) + "\\]=([-0-9,.]+)");
    const QRegularExpressionMatch m = figure.match(status);
    return m.hasMatch() ? m.captured(1) : QString();
}

// A row of the printed T1: its line number first, its amount last.
bool printedRow(const QString& text, const QString& line, const QString& amount)
{
    // The line's number in its box right before its amount, at the end of the row.
    const QRegularExpression row("\\s" + line + "\\s+" + QRegularExpression::escape(amount) + "\\s*$",
                                 QRegularExpression::MultilineOption);
    return row.match(text).hasMatch();
}

// Adds a T4 for the shown person from the menu and types its boxes.
bool typeT4(WindowFixture& f, Form_Return* page, const QStringList& boxes)
{
    f.action("actionAdd_T4_slip")->trigger();
    QApplication::processEvents();
    static const char* const names[] = {"EmployerName", "box14EmploymentIncome", "box16CppContributions",
                                        "box18EiPremiums", "box22IncomeTaxDeducted"};
    for (int i = 0; i < boxes.size(); ++i)
        if (!typeInto(page, names[i], boxes[i]))
            return false;
    return true;
}

} // namespace

class TestAcceptanceServicesPrint : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void printedFamilyReturnIsDelivered();

private:
    QTemporaryDir m_engine;
};

void TestAcceptanceServicesPrint::initTestCase()
{
    QVERIFY(m_engine.isValid());
    // What the program's main does: the bridge reads the application's
    // configuration and writes its run log.
    installJavaVMEnv();
    QVERIFY(QDir().mkpath(m_engine.filePath("pdf")));
    QVERIFY(QDir().mkpath(m_engine.filePath("xml")));
    QString why;
    QVERIFY2(EsignFake::makeCertificates(why), qPrintable(why));
    QWebClient::setDefaultTimeoutMs(5000);
    for (const char* tool : {"pdfinfo", "pdftotext", "qpdf"})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), tool);
}

void TestAcceptanceServicesPrint::printedFamilyReturnIsDelivered()
{
    EsignFake service(QJsonObject{{kAccount, kAccountPassword}});
    QVERIFY2(service.isRunning(), qPrintable(service.failure()));
    WindowFixture f("PDFPATH=" + m_engine.filePath("pdf").toUtf8() + "\nXMLPATH=" + m_engine.filePath("xml").toUtf8()
                    + "\n" + service.configLines());
    const QString output = f.home.path() + "/PDFs";
    f.app->m_config.RetPdfPath = output;
    f.app->m_config.PdfPathSameAsRet = 0;
    f.app->m_config.PrntClientLetter = 0;
    f.app->m_config.QuillorEmail = kAccount;
    f.app->m_config.QuillorPswd = kAccountPassword;
    f.app->refreshFeatureSettings();
    // The engine names fields by the layouts the build exported.
    const QDir built(QCoreApplication::applicationDirPath() + "/../Resources/xml");
    QVERIFY2(!built.entryList(QDir::Files).isEmpty(), "no layouts: build print_layouts");
    for (const QString& name : built.entryList(QDir::Files))
        QVERIFY(QFile::copy(built.filePath(name), m_engine.filePath("xml/" + name)));

    QString why;
    Form_Return* page = presentLeeFamily(f, why);
    QVERIFY2(page, qPrintable(why));
    QVERIFY(typeT4(f, page, {"Maple Works Inc.", "52000", "2885.75", "863.20", "7400"}));
    QVERIFY(switchTo(page, CFamilyTaxData::kSpouse));
    QVERIFY(typeT4(f, page, {"Lakeshore Transit", "61000", "3421.25", "1012.60", "9300"}));
    QVERIFY(switchTo(page, CFamilyTaxData::kTaxpayer));
    QVERIFY(showForm(page, FORM_T1));
    const QString path = f.home.path() + "/Ann_Lee.r24";
    QVERIFY2(saveAs(f, page, path), qPrintable(f.promptTexts().join(" | ")));
    const QString status = statusText(f);
    QVERIFY2(status.startsWith("[Total Income]=52,000.00 "), qPrintable(status));
    QVERIFY(keepPicture(f.window, "6-0-before-print"));
    f.prompter->clear();

    // The print options: the whole return; then the e-delivery offer is
    // answered with Ann's address, and the sending confirmed.
    QString optionsTitle;
    modalsteps::whenModal<DlgPrintOption_Info>([&](DlgPrintOption_Info* d) {
        optionsTitle = d->windowTitle();
        d->fld_PrintOption_0->setChecked(true);
        d->fld_CurFormOnly->setChecked(false);
        keepPicture(d, "6-1-print-options");
        QTest::mouseClick(d->findChild<QPushButton*>("btnPrint"), Qt::LeftButton);
    });
    f.prompter->queueText(kClient);
    f.prompter->queueYes(true);
    {
        const ModalGuard guard(120000);
        f.action("actionGenerate_Print_pdf_Files")->trigger();
    }
    QVERIFY2(!optionsTitle.isEmpty(), qPrintable(f.promptTexts().join(" | ")));

    const QString pdf = output + "/Ann_Lee-taxpayer_0_0_0.pdf";
    QVERIFY2(QFileInfo(pdf).size() > 0, qPrintable(f.promptTexts().join(" | ")));
    QVERIFY(keepPicture(f.window, "6-2-after-print"));

    // The PDF opens.
    const ToolRun info = runTool("pdfinfo", {pdf});
    QVERIFY2(info.finished && info.exitCode == 0, qPrintable(info.output));
    QVERIFY2(QRegularExpression("^Pages:\\s+[1-9]", QRegularExpression::MultilineOption).match(info.output).hasMatch(),
             qPrintable(info.output));
    const ToolRun check = runTool("qpdf", {"--check", pdf});
    QVERIFY2(check.finished && check.exitCode == 0, qPrintable(check.output));

    // Its text: the family's names and the T1's totals as the status bar shows them.
    const ToolRun text = runTool("pdftotext", {"-layout", pdf, "-"});
    QVERIFY2(text.finished && text.exitCode == 0, qPrintable(text.output));
    const QString printed = text.output;
    // The print itself is kept beside the pictures, for a person to read.
    QFile::remove(modalsteps::artefactPath(kPictures + "/6-printed.pdf"));
    QVERIFY(QFile::copy(pdf, modalsteps::artefactPath(kPictures + "/6-printed.pdf")));
    QVERIFY2(printed.contains("Name: Ann Lee"), qPrintable(printed));
    QVERIFY2(QRegularExpression("Your spouse's or common-law partner's information\\s+Spouse's first name\\s+Bob")
                 .match(printed)
                 .hasMatch(),
             qPrintable(printed));
    QVERIFY2(printed.contains("Cleo Lee (Son or daughter, born 2019-05-01)"), qPrintable(printed));
    const struct
    {
        const char* status;
        const char* line;
    } totals[] = {{"Total Income", "15000"}, {"Net Income", "23600"}, {"Taxable Income", "26000"}};
    for (const auto& total : totals) {
        const QString figure = statusFigure(status, total.status);
        QVERIFY2(!figure.isEmpty(), total.status);
        QVERIFY2(printedRow(printed, total.line, figure), qPrintable(QString(total.line) + " " + figure));
    }
    const QString refund = statusFigure(status, "Refund");
    const QString owing = statusFigure(status, "Balance Due");
    QVERIFY2(!refund.isEmpty() || !owing.isEmpty(), qPrintable(status));
    if (!refund.isEmpty())
        QVERIFY2(printedRow(printed, "48400", refund), qPrintable(refund));
    else
        QVERIFY2(printedRow(printed, "48500", owing), qPrintable(owing));

    // The e-delivery: the service received this PDF for Ann's address.
    const QList<QJsonObject> records = service.records();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records[0].value("path").toString(), QString("/api/signature-requests"));
    const QJsonObject upload = records[0].value("upload").toObject();
    QCOMPARE(upload.value("fileName").toString(), QFileInfo(pdf).fileName());
    QCOMPARE(upload.value("sha256").toString(),
             QString::fromLatin1(QCryptographicHash::hash(readFile(pdf), QCryptographicHash::Sha256).toHex()));
    QVERIFY2(EsignFake::items(records[0]).contains("email=" + kClient),
             qPrintable(EsignFake::items(records[0]).join(" | ")));
    QCOMPARE(f.promptTexts().last(), QString("Request sent."));
}

// Qt Test's crash handler is off: the Java VM handles SIGSEGV itself.
int main(int argc, char** argv)
{
    TestAcceptanceServicesPrint test;
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    args << QStringLiteral("-nocrashhandler");
    return QTest::qExec(&test, args);
}
#include "tst_acceptanceservicesprint.moc"
