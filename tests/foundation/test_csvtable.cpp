// Tables as CSV with a typed header: every type, quoting, comments, the
// errors that name line and column, and the lookup tables of the resources.
#include "foundation/dataset/CsvTable.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "support/TestPaths.h"

#include <QDirIterator>
#include <QTest>

using namespace cu;

namespace {

const QByteArray EveryType =
    "# a comment\n"
    "#another, with \"quotes\"\n"
    "\n"
    "Codice:S:4,Numero:I,Piccolo:N,Flag:L,Importo:F,Valore:R,Data:D,Ora:T,Note:M,Dati:B\n"
    "A1,-9000000000,-32768,true,1234.5,0.1,2024-02-29,2024-06-30T12:34:56.789,"
    "\"riga uno\nriga \"\"due\"\", con virgola\",AAH/\n"
    ",,,,,,,,,\n"
    "#X,0,1,0,-0.0001,-1e+300,1899-12-30,1970-01-01T00:00:00.000,àèìòù €,\n";

void expectError(const QByteArray& csv, const QString& where)
{
    Dataset table;
    try {
        CsvTable::read(csv, table, QStringLiteral("TABELLA.csv"));
        QFAIL("accepted");
    } catch (const EZfError& e) {
        QVERIFY2(e.message().startsWith(QStringLiteral("TABELLA.csv, ") + where), qPrintable(e.message()));
    }
}

} // namespace

class TestCsvTable : public QObject
{
    Q_OBJECT

private slots:
    void readsEveryType()
    {
        Dataset table;
        CsvTable::read(EveryType, table, QStringLiteral("every.csv"));
        QCOMPARE(table.fieldCount(), 10);
        QCOMPARE(table.fields()[0].size, 4);
        QCOMPARE(table.fields()[4].type, FieldType::Currency);
        QCOMPARE(table.recordCount(), 3);
        QVERIFY(!table.hasChanges());
        table.first();
        QCOMPARE(table.asInteger(u"Numero"), -9000000000LL);
        QCOMPARE(table.value(u"Flag"), QVariant(true));
        QCOMPARE(table.asCurrency(u"Importo"), Currency::fromRaw(12345000));
        QCOMPARE(table.asDate(u"Data"), QDate(2024, 2, 29));
        QCOMPARE(table.value(u"Ora").toDateTime(), QDateTime(QDate(2024, 6, 30), QTime(12, 34, 56, 789)));
        QCOMPARE(table.asString(u"Note"), "riga uno\nriga \"due\", con virgola");
        QCOMPARE(table.value(u"Dati").toByteArray(), QByteArray("\x00\x01\xff", 3));
        table.next();
        for (int f = 0; f < 10; ++f)
            QVERIFY(table.value(f).isNull());
        table.next();
        QCOMPARE(table.asString(u"Codice"), "#X"); // after the header '#' is data
        QCOMPARE(table.asString(u"Note"), "àèìòù €");
    }

    void writeThenReadGivesTheSameTable()
    {
        Dataset table;
        CsvTable::read(EveryType, table, QStringLiteral("every.csv"));
        const QByteArray written = CsvTable::write(table);
        Dataset again;
        CsvTable::read(written, again, QStringLiteral("again.csv"));
        QCOMPARE(CsvTable::write(again), written);
        for (int row = 0; row < table.recordCount(); ++row)
            for (int f = 0; f < table.fieldCount(); ++f)
                QCOMPARE(again.valueAt(row, f), table.valueAt(row, f));
        QVERIFY(written.startsWith(
            "Codice:S:4,Numero:I,Piccolo:N,Flag:L,Importo:F,Valore:R,Data:D,Ora:T,Note:M,Dati:B\n"
            "A1,-9000000000,-32768,true,1234.50,0.10000000000000001,2024-02-29,"));
    }

    void fileRoundTripThroughTheDatasetFormat()
    {
        Dataset table;
        CsvTable::read(EveryType, table, QStringLiteral("every.csv"));
        Dataset binary;
        binary.loadFromBytes(table.saveToBytes());
        QCOMPARE(CsvTable::write(binary), CsvTable::write(table));
    }

    void oneFieldNullRowsSurvive()
    {
        Dataset table;
        CsvTable::read("Nota:M\nx\n\"\"\ny\n", table, QStringLiteral("one.csv"));
        QCOMPARE(table.recordCount(), 3);
        Dataset again;
        CsvTable::read(CsvTable::write(table), again, QStringLiteral("again.csv"));
        QCOMPARE(again.recordCount(), 3);
        QVERIFY(again.valueAt(1, 0).isNull());
    }

    void windowsLineEndsAndByteOrderMark()
    {
        Dataset table;
        CsvTable::read("\xEF\xBB\xBF# c\r\nCodice:S:2,Descrizione:S:250\r\n01,\"uno\r\ndue\"\r\n02,tre\r\n",
                       table, QStringLiteral("crlf.csv"));
        QCOMPARE(table.fields()[0].name, "Codice");
        QCOMPARE(table.recordCount(), 2);
        QCOMPARE(table.valueAt(0, 1).toString(), "uno\r\ndue");
        QCOMPARE(table.valueAt(1, 1).toString(), "tre");
    }

    void errorsNameLineAndColumn_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("where");
        QTest::newRow("no header") << QByteArray("# only comments\n") << "";
        QTest::newRow("header without type") << QByteArray("#c\nCodice,Nome:S\n") << "riga 2, colonna 1";
        QTest::newRow("unknown type") << QByteArray("Codice:S,Nome:X\n") << "riga 1, colonna 2";
        QTest::newRow("bad size") << QByteArray("Codice:S:due\n") << "riga 1, colonna 1";
        QTest::newRow("repeated field") << QByteArray("A:S,a:I\n") << "riga 1, colonna 2";
        QTest::newRow("too few cells") << QByteArray("A:S,B:I\nx,1\ny\n") << "riga 3";
        QTest::newRow("too many cells") << QByteArray("A:S,B:I\nx,1,2\n") << "riga 2";
        QTest::newRow("bad integer") << QByteArray("A:S,B:I\nx,1\ny,1.5\n") << "riga 3, colonna 2";
        QTest::newRow("small integer range") << QByteArray("A:N\n40000\n") << "riga 2, colonna 1";
        QTest::newRow("bad boolean") << QByteArray("A:S,L:L\nx,si\n") << "riga 2, colonna 2";
        QTest::newRow("comma amount") << QByteArray("A:F\n\"12,50\"\n") << "riga 2, colonna 1";
        QTest::newRow("bad date") << QByteArray("A:D\n30/06/2024\n") << "riga 2, colonna 1";
        QTest::newRow("bad date-time") << QByteArray("A:T\n2024-06-31T10:00:00\n") << "riga 2, colonna 1";
        QTest::newRow("bad base64") << QByteArray("A:B\n%%%%\n") << "riga 2, colonna 1";
        QTest::newRow("unclosed quote") << QByteArray("A:S,B:S\nx,\"abc\n\n") << "riga 2, colonna 2";
        QTest::newRow("text after quote") << QByteArray("A:S\n\"abc\"d\n") << "riga 2, colonna 1";
        QTest::newRow("quote inside") << QByteArray("A:S\nab\"c\n") << "riga 2, colonna 1";
        QTest::newRow("line after multi-line cell")
            << QByteArray("A:S,B:I\n\"a\nb\",1\nc,x\n") << "riga 4, colonna 2";
    }

    void errorsNameLineAndColumn()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, where);
        expectError(csv, where);
    }

    void invalidUtf8IsRefused()
    {
        Dataset table;
        QVERIFY_THROWS_EXCEPTION(EZfError, CsvTable::read("A:S\n\xC3\x28\n", table, QStringLiteral("x.csv")));
    }

    void failedReadKeepsTheDataset()
    {
        Dataset table;
        CsvTable::read("A:S\nx\n", table, QStringLiteral("a.csv"));
        QVERIFY_THROWS_EXCEPTION(EZfError, CsvTable::read("A:I\n1\nx\n", table, QStringLiteral("b.csv")));
        QCOMPARE(table.fields()[0].type, FieldType::String);
        QCOMPARE(table.recordCount(), 1);
    }

    void lookupTablesOfTheResourcesAreValid()
    {
        int tables = 0;
        QDirIterator it(test::sourceRoot() + QStringLiteral("/resources"), {QStringLiteral("*.csv")},
                        QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            Dataset table;
            CsvTable::readFile(path, table);
            QVERIFY2(table.fieldCount() > 0, qPrintable(path));
            Dataset again;
            CsvTable::read(CsvTable::write(table), again, path);
            QCOMPARE(again.recordCount(), table.recordCount());
            ++tables;
        }
        if (tables == 0)
            QSKIP("no lookup table in the resources");
    }
};

QTEST_GUILESS_MAIN(TestCsvTable)
#include "test_csvtable.moc"
