// The dataset files: the binary format (round trip of every type, the change
// log merged on save, schemas without rows, damaged or foreign streams
// refused) and tables as CSV with a typed header (every type, quoting,
// comments, errors that name line and column, the lookup tables shipped).
#include "foundation/dataset/CsvTable.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/dataset/DatasetFile.h"
#include "foundation/operator/Errors.h"

#include "support/TestSupport.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;

namespace {

QVector<FieldDef> everyType()
{
    return {{u"SNOME"_s, FieldType::String, 40},     {u"IID"_s, FieldType::Integer, 0},
            {u"NPICCOLO"_s, FieldType::SmallInt, 0}, {u"LFLAG"_s, FieldType::Boolean, 0},
            {u"FIMPORTO"_s, FieldType::Currency, 0}, {u"RVALORE"_s, FieldType::Float, 0},
            {u"DDATA"_s, FieldType::Date, 0},        {u"TORA"_s, FieldType::DateTime, 0},
            {u"MNOTE"_s, FieldType::Memo, 0},        {u"BDATI"_s, FieldType::Blob, 0}};
}

QVariantList sampleRow()
{
    QByteArray blob("\x00\x01\xff binary", 10);
    return {u"Niccolò d'Àrezzo €"_s,
            qint64(-9000000000LL),
            qint64(-32768),
            true,
            QVariant::fromValue(Currency::fromRaw(-123456789)),
            0.1 + 0.2,
            QDate(1899, 12, 30),
            QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58, 999)),
            u"riga uno\r\nriga due"_s,
            blob};
}

void fill(Dataset& ds, const QVariantList& values)
{
    ds.append();
    for (int i = 0; i < values.size(); ++i)
        ds.setValue(i, values[i]);
    ds.post();
}

// Opens ds with every type and the sample row.
void openSample(Dataset& ds)
{
    ds.setFields(everyType());
    ds.open();
    fill(ds, sampleRow());
}

// A refused stream names the file and leaves the dataset as it was.
void expectRefused(const QByteArray& bytes, const QString& why)
{
    Dataset target;
    openSample(target);
    try {
        target.loadFromBytes(bytes, u"TEST_FILE.cds"_s);
        QFAIL(qPrintable("accepted: " + why));
    } catch (const EZfError& e) {
        QVERIFY2(e.message().contains(u"TEST_FILE.cds"), qPrintable(e.message()));
    }
    QCOMPARE(target.recordCount(), 1);
}

const QByteArray EveryType =
    "# a comment\n"
    "#another, with \"quotes\"\n"
    "\n"
    "Codice:S:4,Numero:I,Piccolo:N,Flag:L,Importo:F,Valore:R,Data:D,Ora:T,Note:M,Dati:B\n"
    "A1,-9000000000,-32768,true,1234.5,0.1,2024-02-29,2024-06-30T12:34:56.789,"
    "\"riga uno\nriga \"\"due\"\", con virgola\",AAH/\n"
    ",,,,,,,,,\n"
    "#X,0,1,0,-0.0001,-1e+300,1899-12-30,1970-01-01T00:00:00.000,àèìòù €,\n";

// A refused table names file, line and column and leaves the dataset as it was.
void expectError(const QByteArray& csv, const QString& where)
{
    Dataset table;
    CsvTable::read("KEEP:S\nx\n", table, u"a.csv"_s);
    try {
        CsvTable::read(csv, table, u"TABELLA.csv"_s);
        QFAIL("accepted");
    } catch (const EZfError& e) {
        const QString named = where.isEmpty() ? u"TABELLA.csv"_s : u"TABELLA.csv, "_s + where;
        QVERIFY2(e.message().startsWith(named), qPrintable(e.message()));
    }
    QCOMPARE(table.fields()[0].name, u"KEEP"_s);
    QCOMPARE(table.recordCount(), 1);
}

} // namespace

class TestDatasetFiles : public QObject
{
    Q_OBJECT

private slots:
    void everyTypeSurvivesARoundTrip()
    {
        Dataset source;
        openSample(source);
        source.append(); // a row of nulls
        source.post();
        fill(source, {u"x"_s, 0, 0, false, QVariant::fromValue(Currency()), 0.0, QDate(2024, 1, 1),
                      QDateTime(QDate(1970, 1, 1), QTime(0, 0)), u" "_s, QByteArray("z")});

        Dataset copy;
        copy.loadFromBytes(source.saveToBytes());
        QCOMPARE(copy.fields().size(), everyType().size());
        for (int f = 0; f < everyType().size(); ++f) {
            QCOMPARE(copy.fields()[f].name, everyType()[f].name);
            QCOMPARE(copy.fields()[f].type, everyType()[f].type);
            QCOMPARE(copy.fields()[f].size, everyType()[f].size);
        }
        QCOMPARE(copy.recordCount(), 3);
        for (int row = 0; row < 3; ++row)
            for (int f = 0; f < everyType().size(); ++f)
                QCOMPARE(copy.valueAt(row, f), source.valueAt(row, f));
        QVERIFY(!copy.hasChanges());
        QCOMPARE(copy.state(), Dataset::State::Browse);
    }

    void savingLeavesDeletedRowsOut()
    {
        Dataset source;
        source.setFields(everyType());
        source.open();
        for (int i = 0; i < 3; ++i)
            fill(source, {u"r%1"_s.arg(i), i});
        source.first();
        source.remove();
        source.setFilter(u"IID = 2"_s); // filters do not limit what is saved
        Dataset copy;
        copy.loadFromBytes(source.saveToBytes());
        QCOMPARE(copy.recordCount(), 2);
        QCOMPARE(copy.valueAt(0, 0).toString(), "r1");
        QVERIFY(copy.filter().isEmpty());
    }

    void fileOnDiskRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"TNOT_NOTE.cds"_s);
        Dataset source;
        openSample(source);
        source.saveToFile(path);
        QVERIFY(!source.hasChanges()); // saving merges the change log
        Dataset copy;
        copy.loadFromFile(path);
        QCOMPARE(copy.valueAt(0, 4), source.valueAt(0, 4));
        QVERIFY_THROWS_EXCEPTION(EZfError, copy.loadFromFile(dir.filePath(u"MISSING.cds"_s)));
    }

    void damagedStreamsAreRefused()
    {
        Dataset source;
        openSample(source);
        const QByteArray good = source.saveToBytes();

        expectRefused(QByteArray(), "empty");
        expectRefused(QByteArray("SCUDCODFIS,SCUDMESE\nA,01\n"), "foreign text");
        expectRefused(good.left(good.size() - 1), "truncated by one byte");
        expectRefused(good.left(good.size() / 2), "truncated by half");
        for (const qsizetype at : {qsizetype(9), qsizetype(20), good.size() / 2, good.size() - 2}) {
            QByteArray flipped = good;
            flipped[at] = char(flipped[at] ^ 0x10);
            expectRefused(flipped, u"flipped byte %1"_s.arg(at));
        }
        QByteArray future = good;
        future[8] = 99; // version
        const quint32 crc = DatasetFile::crc32(QByteArrayView(future).first(future.size() - 4));
        std::memcpy(future.data() + future.size() - 4, &crc, 4);
        expectRefused(future, "future version");
    }

    void crcMatchesTheStandardCheckValue()
    {
        QCOMPARE(DatasetFile::crc32("123456789"), 0xCBF43926u);
        QCOMPARE(DatasetFile::crc32(""), 0u);
    }
    void readsEveryType()
    {
        Dataset table;
        CsvTable::read(EveryType, table, u"every.csv"_s);
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
        CsvTable::read(EveryType, table, u"every.csv"_s);
        const QByteArray written = CsvTable::write(table);
        Dataset again;
        CsvTable::read(written, again, u"again.csv"_s);
        QCOMPARE(CsvTable::write(again), written);
        for (int row = 0; row < table.recordCount(); ++row)
            for (int f = 0; f < table.fieldCount(); ++f)
                QCOMPARE(again.valueAt(row, f), table.valueAt(row, f));
        QVERIFY(written.startsWith(
            "Codice:S:4,Numero:I,Piccolo:N,Flag:L,Importo:F,Valore:R,Data:D,Ora:T,Note:M,Dati:B\n"
            "A1,-9000000000,-32768,true,1234.50,0.10000000000000001,2024-02-29,"));
    }

    void oneFieldNullRowsSurvive()
    {
        Dataset table;
        CsvTable::read("Nota:M\nx\n\"\"\ny\n", table, u"one.csv"_s);
        QCOMPARE(table.recordCount(), 3);
        Dataset again;
        CsvTable::read(CsvTable::write(table), again, u"again.csv"_s);
        QCOMPARE(again.recordCount(), 3);
        QVERIFY(again.valueAt(1, 0).isNull());
    }

    void windowsLineEndsAndByteOrderMark()
    {
        Dataset table;
        CsvTable::read("\xEF\xBB\xBF# c\r\nCodice:S:2,Descrizione:S:250\r\n01,\"uno\r\ndue\"\r\n02,tre\r\n",
                       table, u"crlf.csv"_s);
        QCOMPARE(table.fields()[0].name, "Codice");
        QCOMPARE(table.recordCount(), 2);
        QCOMPARE(table.valueAt(0, 1).toString(), "uno\r\ndue");
        QCOMPARE(table.valueAt(1, 1).toString(), "tre");
    }

    void errorsNameLineAndColumn_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("where");
        // clang-format off
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
        QTest::newRow("invalid UTF-8") << QByteArray("A:S\n\xC3\x28\n") << "";
        QTest::newRow("line after multi-line cell") << QByteArray("A:S,B:I\n\"a\nb\",1\nc,x\n") << "riga 4, colonna 2";
        // clang-format on
    }

    void errorsNameLineAndColumn()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, where);
        expectError(csv, where);
    }
};

QTEST_GUILESS_MAIN(TestDatasetFiles)
#include "test_datasetfile.moc"
