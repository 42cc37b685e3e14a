#include <QtTest>

#include "app/SqliteDBManager.h"
#include "app/promptrecorder.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// The program itself under a virtual X display: it starts on the start page
// with two recent returns, and a picture of the window is kept in the build
// tree (artefacts/start-page.png) for a person to look at.
class TestStartPageScreenshot : public QObject
{
    Q_OBJECT
private slots:
    void startPageScreenshot();
};

void TestStartPageScreenshot::startPageScreenshot()
{
    const QString xvfbRun = QStandardPaths::findExecutable("xvfb-run");
    if (xvfbRun.isEmpty())
        QSKIP("xvfb-run is not installed");
    const QString program = QCoreApplication::applicationDirPath() + "/vodarevivo";
    QVERIFY2(QFileInfo(program).isExecutable(), qPrintable(program));

    QTemporaryDir home;
    QVERIFY(home.isValid());
    const QString year = home.path() + "/Documents/vodarevivo/2024";
    QVERIFY(QDir().mkpath(year + "/run"));
    QVERIFY(QDir().mkpath(year + "/._sys"));
    QVERIFY(QDir().mkpath(year + "/returns"));
    {
        QFile config(year + "/run/gr_path.ini");
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write("MODEDEBUG=1\nAllow2nd=1\n");
    }
    {
        CSqliteDBManager db(QStringLiteral("screenshot-setup"));
        CString path = year + "/._sys";
        QCOMPARE(db.openDBFile(path), int(CSqliteDBManager::OpenOk));
        for (const char* name : {"Ann_Lee", "Bob_Roy"}) {
            const QString file = year + "/returns/" + name + ".r24";
            QFile out(file);
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write("return");
            out.close();
            QVERIFY(db.updateOrInsertHistoryItem(QString(name).replace('_', ' '), "", file) > 0);
        }
        db.closeDBFile();
    }

    const QString artefacts = QCoreApplication::applicationDirPath() + "/../artefacts";
    QVERIFY(QDir().mkpath(artefacts));
    const QString picture = QDir(artefacts).absoluteFilePath("start-page.png");
    QFile::remove(picture);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.insert("HOME", home.path());
    env.insert("VODAREVIVO_GRAB_WINDOW", picture);
    env.insert(PromptRecorder::kEnvironmentVariable, home.filePath("prompts.txt"));
    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(xvfbRun, {"-a", "-s", "-screen 0 1600x1000x24", program});
    QVERIFY(run.waitForStarted());
    if (!run.waitForFinished(60000)) {
        run.kill();
        run.waitForFinished();
        QFAIL("the program did not end");
    }
    QVERIFY2(run.exitCode() == 0, run.readAll().constData());

    QImage image(picture);
    QVERIFY2(!image.isNull(), qPrintable(picture));
    QVERIFY(image.width() >= 768);
    QVERIFY(image.height() >= 480);
    // Something is drawn: more than a handful of colours.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y));
    QVERIFY(colours.size() > 10);
    // Nothing asked the user anything on the way.
    QFile prompts(home.filePath("prompts.txt"));
    QVERIFY(!prompts.exists() || prompts.size() == 0);
    qInfo("start page picture: %s", qPrintable(picture));
}

QTEST_GUILESS_MAIN(TestStartPageScreenshot)
#include "tst_startpagescreenshot.moc"
