// The CSV splitter: quoted fields with commas, doubled quotes and line
// breaks, the three kinds of line end, and text that is not CSV.
#include <QtTest>

#include "companion/core/csvparse.h"

namespace {

// Rows joined for comparison: fields by '|', rows by '/'; the bytes shown as
// Latin-1, so what passed through unchanged can be seen.
QString joined(const std::vector<std::vector<std::string>>& rows)
{
    QStringList out;
    for (const auto& row : rows) {
        QStringList fields;
        for (const std::string& field : row)
            fields << QString::fromLatin1(field.data(), int(field.size()));
        out << fields.join('|');
    }
    return out.join('/');
}

} // namespace

class TestCsvParse : public QObject
{
    Q_OBJECT
private slots:
    void split_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("rows");
        QTest::addColumn<int>("rowCount");
        QTest::newRow("plain, CR LF") << QByteArray("a,b,c\r\nd,e,f\r\n") << "a|b|c/d|e|f" << 2;
        QTest::newRow("LF and lone CR") << QByteArray("a,b\nc,d\re,f") << "a|b/c|d/e|f" << 3;
        QTest::newRow("blanks kept") << QByteArray(" a , b \r\n") << " a | b " << 1;
        QTest::newRow("quoted comma") << QByteArray("\"a,b\",c\r\n") << "a,b|c" << 1;
        QTest::newRow("doubled quote") << QByteArray("\"say \"\"hi\"\"\",x\r\n") << "say \"hi\"|x" << 1;
        QTest::newRow("line breaks inside quotes") << QByteArray("\"\nCSC \",\"one\r\ntwo\",z\r\nnext\r\n")
                                                   << "\nCSC |one\r\ntwo|z/next" << 2;
        QTest::newRow("empty fields") << QByteArray(",,\r\n\"\",x") << "||/|x" << 2;
        QTest::newRow("empty line is a row of one empty field") << QByteArray("a\r\n\r\nb\r\n") << "a//b" << 3;
        QTest::newRow("no line break at the end") << QByteArray("a,\"b\"") << "a|b" << 1;
        QTest::newRow("quote inside an unquoted field") << QByteArray("12\"3,x\r\n") << "12\"3|x" << 1;
        QTest::newRow("empty text") << QByteArray() << "" << 0;
        QTest::newRow("Latin-1 bytes pass through") << QByteArray("\"T\xe9l\",x") << QString::fromLatin1("T\xe9l|x")
                                                    << 1;
    }

    void split()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, rows);
        QFETCH(int, rowCount);
        std::vector<std::vector<std::string>> result;
        QVERIFY(ParseCSV(text.toStdString(), result));
        QCOMPARE(int(result.size()), rowCount);
        QCOMPARE(joined(result), rows);
    }

    // A quoted field that never closes means the text was cut short: no rows
    // rather than a table missing its end.
    void unclosedQuoteRefused()
    {
        std::vector<std::vector<std::string>> rows{{"stale"}};
        QVERIFY(!ParseCSV("a,b\r\n\"c,d\r\ne,f\r\n", rows));
        QVERIFY(rows.empty());
    }
};

QTEST_GUILESS_MAIN(TestCsvParse)
#include "tst_csvparse.moc"
