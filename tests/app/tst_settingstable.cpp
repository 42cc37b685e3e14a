// The one list of settings keys: what is written is read back into the same
// member, each save writes exactly its rows, and debug mode keeps its own
// filer number and password.
#include "storefixture.h"

#include "app/settingstable.h"

#include <QSet>

namespace {

// A value of its own for every row, so that a row read into the wrong
// member shows.
void fillDistinct(Settings::Target& target)
{
    int n = 0;
    for (const Settings::Row& row : Settings::rows()) {
        ++n;
        const Settings::Member member = row.member(target);
        if (auto* const* text = std::get_if<CString*>(&member)) {
            // Values the checked rows accept.
            if (row.isValid == SettingsCheck::isColour)
                **text = QStringLiteral("#12ab%1").arg(n, 2, 10, QLatin1Char('0'));
            else if (row.isValid)
                **text = QString::number(60 + n);
            else
                **text = QStringLiteral("/value/%1").arg(n);
        } else if (auto* const* number = std::get_if<int*>(&member)) {
            **number = 1000 + n;
        } else if (auto* const* flag = std::get_if<bool*>(&member)) {
            **flag = n % 2 == 0;
        }
    }
}

QString valueOf(const Settings::Member& member)
{
    if (auto* const* text = std::get_if<CString*>(&member))
        return **text;
    if (auto* const* number = std::get_if<int*>(&member))
        return QString::number(**number);
    return **std::get_if<bool*>(&member) ? QStringLiteral("true") : QStringLiteral("false");
}

struct Holder {
    CT1AppConfig config;
    CString lastOpen, lastImport;
    Settings::Target target{config, lastOpen, lastImport};
};

} // namespace

class TestSettingsTable : public QObject
{
    Q_OBJECT

private slots:
    void everyKeyOnce()
    {
        QSet<QString> keys;
        for (const Settings::Row& row : Settings::rows()) {
            for (const char* key : {row.key, row.debugKey})
                if (key) {
                    QVERIFY2(!keys.contains(QLatin1String(key)), key);
                    keys.insert(QLatin1String(key));
                }
        }
    }

    void savedRowsReadBack_data()
    {
        QTest::addColumn<unsigned>("when");
        QTest::addColumn<bool>("debugMode");
        QTest::newRow("preferences") << unsigned(Settings::WithPreferences) << false;
        QTest::newRow("exit") << unsigned(Settings::AtExit) << false;
        QTest::newRow("exit, window placed") << unsigned(Settings::AtExit | Settings::AtExitWhenPlaced) << false;
        QTest::newRow("preferences, debug mode") << unsigned(Settings::WithPreferences) << true;
    }
    void savedRowsReadBack()
    {
        QFETCH(unsigned, when);
        QFETCH(bool, debugMode);
        StoreFixture store;
        QVERIFY(store.open() >= 0);
        Holder written;
        written.config.MODEDEBUG = debugMode;
        fillDistinct(written.target);
        Settings::saveAll(store.manager(), written.target, when);

        Holder read;
        read.config.MODEDEBUG = debugMode;
        Holder untouched;
        Settings::readAll(store.manager(), read.target);
        for (const Settings::Row& row : Settings::rows()) {
            const QString got = valueOf(row.member(read.target));
            // A saved row comes back as written; any other keeps its default.
            const QString expected =
                valueOf(row.member(row.when & when ? written.target : untouched.target));
            QVERIFY2(got == expected, qPrintable(QStringLiteral("%1: %2, expected %3")
                                                     .arg(QLatin1String(row.key), got, expected)));
        }
        // The other mode's key of the filer number was never written.
        CString other;
        QCOMPARE(store.manager().readParameter(debugMode ? "BusinessEFileNum" : "BusinessEFileNumDbg", other), 0);
    }

    // A stored colour, font size or pane size that fails its check leaves
    // the default in place.
    void damagedViewSettingIgnored()
    {
        StoreFixture store;
        QVERIFY(store.open() >= 0);
        store.manager().saveParameter("BKColor", CString("red"));
        store.manager().saveParameter("FontSize", CString("900"));
        store.manager().saveParameter("LeftPaneSize", CString("wide"));
        Holder read;
        Settings::readAll(store.manager(), read.target);
        QCOMPARE(QString(read.config.BKColor), QString::fromLatin1(CT1AppConfig::kDefaultBKColor));
        QCOMPARE(QString(read.config.FontSize), QString::fromLatin1(CT1AppConfig::kDefaultFontSize));
        QCOMPARE(QString(read.config.LeftPaneSize), QString::fromLatin1(CT1AppConfig::kDefaultLeftPaneSize));
    }
};

QTEST_GUILESS_MAIN(TestSettingsTable)
#include "tst_settingstable.moc"
