// The dataset file format: round trip of every type, the change log merged
// on save, schemas without rows, and damaged or foreign streams refused.
#include "foundation/dataset/Dataset.h"
#include "foundation/dataset/DatasetFile.h"
#include "foundation/operator/Errors.h"

#include <QTemporaryDir>
#include <QTest>

using namespace cu;

namespace {

QVector<FieldDef> everyType()
{
    return {{QStringLiteral("SNOME"), FieldType::String, 40},
            {QStringLiteral("IID"), FieldType::Integer, 0},
            {QStringLiteral("NPICCOLO"), FieldType::SmallInt, 0},
            {QStringLiteral("LFLAG"), FieldType::Boolean, 0},
            {QStringLiteral("FIMPORTO"), FieldType::Currency, 0},
            {QStringLiteral("RVALORE"), FieldType::Float, 0},
            {QStringLiteral("DDATA"), FieldType::Date, 0},
            {QStringLiteral("TORA"), FieldType::DateTime, 0},
            {QStringLiteral("MNOTE"), FieldType::Memo, 0},
            {QStringLiteral("BDATI"), FieldType::Blob, 0}};
}

QVariantList sampleRow()
{
    QByteArray blob("\x00\x01\xff binary", 10);
    return {QStringLiteral("Niccolò d'Àrezzo €"),
            qint64(-9000000000LL),
            qint64(-32768),
            true,
            QVariant::fromValue(Currency::fromRaw(-123456789)),
            0.1 + 0.2,
            QDate(1899, 12, 30),
            QDateTime(QDate(2024, 2, 29), QTime(23, 59, 58, 999)),
            QStringLiteral("riga uno\r\nriga due"),
            blob};
}

void fill(Dataset& ds, const QVariantList& values)
{
    ds.append();
    for (int i = 0; i < values.size(); ++i)
        ds.setValue(i, values[i]);
    ds.post();
}

void expectRefused(const QByteArray& bytes, const QString& why)
{
    Dataset target;
    try {
        target.loadFromBytes(bytes, QStringLiteral("TEST_FILE.cds"));
        QFAIL(qPrintable("accepted: " + why));
    } catch (const EZfError& e) {
        QVERIFY2(e.message().contains(u"TEST_FILE.cds"), qPrintable(e.message()));
    }
}

} // namespace

class TestDatasetFile : public QObject
{
    Q_OBJECT

private slots:
    void everyTypeSurvivesARoundTrip()
    {
        Dataset source;
        source.setFields(everyType());
        source.open();
        fill(source, sampleRow());
        source.append(); // a row of nulls
        source.post();
        fill(source,
             {QStringLiteral("x"), 0, 0, false, QVariant::fromValue(Currency()), 0.0, QDate(2024, 1, 1),
              QDateTime(QDate(1970, 1, 1), QTime(0, 0)), QStringLiteral(" "), QByteArray("z")});

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
        QCOMPARE(copy.valueAt(0, 0).toString(), sampleRow()[0].toString());
        QVERIFY(copy.valueAt(1, 4).isNull());
        QVERIFY(!copy.hasChanges());
        QCOMPARE(copy.state(), Dataset::State::Browse);
    }

    void savingLeavesDeletedRowsOut()
    {
        Dataset source;
        source.setFields(everyType());
        source.open();
        for (int i = 0; i < 3; ++i)
            fill(source, {QStringLiteral("r%1").arg(i), i});
        source.first();
        source.remove();
        source.setFilter(QStringLiteral("IID = 2")); // filters do not limit what is saved
        Dataset copy;
        copy.loadFromBytes(source.saveToBytes());
        QCOMPARE(copy.recordCount(), 2);
        QCOMPARE(copy.valueAt(0, 0).toString(), "r1");
        QVERIFY(copy.filter().isEmpty());
    }

    void schemaHasFieldsWithoutRows()
    {
        Dataset source;
        source.setFields(everyType());
        source.open();
        fill(source, sampleRow());
        Dataset copy;
        copy.loadFromBytes(source.schemaBytes());
        QCOMPARE(copy.fieldCount(), 10);
        QCOMPARE(copy.recordCount(), 0);
        QVERIFY(copy.isActive());
    }

    void fileOnDiskRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("TNOT_NOTE.cds"));
        Dataset source;
        source.setFields(everyType());
        source.open();
        fill(source, sampleRow());
        source.saveToFile(path);
        QVERIFY(!source.hasChanges()); // saving merges the change log
        Dataset copy;
        copy.loadFromFile(path);
        QCOMPARE(copy.valueAt(0, 4), source.valueAt(0, 4));
        QVERIFY_THROWS_EXCEPTION(EZfError, copy.loadFromFile(dir.filePath(QStringLiteral("MISSING.cds"))));
    }

    void damagedStreamsAreRefused()
    {
        Dataset source;
        source.setFields(everyType());
        source.open();
        fill(source, sampleRow());
        const QByteArray good = source.saveToBytes();

        expectRefused(QByteArray(), "empty");
        expectRefused(QByteArray("SCUDCODFIS,SCUDMESE\nA,01\n"), "foreign text");
        expectRefused(good.left(good.size() - 1), "truncated by one byte");
        expectRefused(good.left(good.size() / 2), "truncated by half");
        for (const qsizetype at : {qsizetype(9), qsizetype(20), good.size() / 2, good.size() - 2}) {
            QByteArray flipped = good;
            flipped[at] = char(flipped[at] ^ 0x10);
            expectRefused(flipped, QStringLiteral("flipped byte %1").arg(at));
        }
        QByteArray future = good;
        future[8] = 99; // version
        const quint32 crc = DatasetFile::crc32(QByteArrayView(future).first(future.size() - 4));
        std::memcpy(future.data() + future.size() - 4, &crc, 4);
        expectRefused(future, "future version");
    }

    void refusedLoadKeepsTheDatasetAsItWas()
    {
        Dataset ds;
        ds.setFields(everyType());
        ds.open();
        fill(ds, sampleRow());
        QVERIFY_THROWS_EXCEPTION(EZfError, ds.loadFromBytes("garbage", QStringLiteral("x.cds")));
        QCOMPARE(ds.recordCount(), 1);
    }

    void crcMatchesTheStandardCheckValue()
    {
        QCOMPARE(DatasetFile::crc32("123456789"), 0xCBF43926u);
        QCOMPARE(DatasetFile::crc32(""), 0u);
    }
};

QTEST_GUILESS_MAIN(TestDatasetFile)
#include "test_datasetfile.moc"
