// Rows of the field list (WriteCampo) and their packing into lines
// (PackRecords / FlushRecord).
#include "foundation/operator/Errors.h"
#include "telematic/WorkingLists.h"
#include "telematic/records/FieldListWriter.h"
#include "telematic/records/RecordPacker.h"

#include <QTemporaryDir>
#include <QTest>

using namespace cu;

namespace {

LayoutField field(const QString& number, int width, const QString& format, const QString& info,
                  const QString& fixed = QString())
{
    LayoutField f;
    f.number = number;
    f.width = width;
    f.format = format;
    f.info = info;
    f.fixed = fixed;
    return f;
}

struct Row
{
    QString letter;
    QString progressive;
    QString record;
};

QVector<Row> rowsOf(FieldList& list)
{
    QVector<Row> rows;
    Dataset& d = list.dataset();
    for (d.first(); !d.eof(); d.next())
        rows.append({list.letter(), list.progressive(), list.record()});
    return rows;
}

// Writes the eleven positional head fields of a certificate record.
void writeHead(FieldListWriter& writer, const QString& letter, int certificate, int module)
{
    writer.setCertificateNumber(certificate);
    writer.setLetter(letter);
    writer.writeCampo(letter,
                      field(QStringLiteral("1"), 1, QStringLiteral("AN"), QStringLiteral("OF"), letter), 0);
    const int widths[] = {16, 8, 16, 6, 17, 6, 1, 1, 1, 16};
    const QString values[] = {QStringLiteral("80012345676"),
                              QString::number(module),
                              QStringLiteral("RSSMRA85T10A562S"),
                              QString::number(certificate),
                              QString(),
                              QString(),
                              QString(),
                              QString(),
                              QString(),
                              QStringLiteral("01234567897")};
    for (int i = 0; i < 10; ++i) {
        const bool number = i == 1 || i == 3;
        writer.writeCampo(values[i],
                          field(QString::number(i + 2), widths[i],
                                number ? QStringLiteral("NF") : QStringLiteral("AN"), QStringLiteral("O@")),
                          0);
    }
}

void writeCoded(FieldListWriter& writer, int count, int firstPoint = 1)
{
    for (int i = 0; i < count; ++i)
        writer.writeCampo(QStringLiteral("V%1").arg(i),
                          field(QStringLiteral("DB001%1").arg(firstPoint + i, 3, 10, QLatin1Char('0')), 16,
                                QStringLiteral("AN"), QStringLiteral("@@")),
                          0);
}

} // namespace

class TestFieldList : public QObject
{
    Q_OBJECT

private slots:
    void longValuesAreWrittenInPieces();
    void moduleNumberReplacesCharactersThreeToFive_data();
    void moduleNumberReplacesCharactersThreeToFive();
    void blankCodedFieldWritesNoRow();
    void positionalFieldIsAlwaysWritten();
    void familyRulesDecideWhatIsFormatted_data();
    void familyRulesDecideWhatIsFormatted();
    void headIsRepeatedOnContinuationLines();
    void rowsOfAnotherLetterArePassedOver();
    void everyModuleOfGStartsALine();
    void listsSurviveInTheirFiles();
};

void TestFieldList::longValuesAreWrittenInPieces()
{
    FieldList list;
    FieldListWriter writer(list, RecordFamily::CD);
    writer.setLetter(QStringLiteral("D"));
    writer.setCertificateNumber(3);
    const QString text = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd"); // 40 characters
    writer.writeCampo(text, field(QStringLiteral("DA001002"), 16, QStringLiteral("AN"), QStringLiteral("@@")),
                      0);
    const QVector<Row> rows = rowsOf(list);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows[0].record, QStringLiteral("DA001002ABCDEFGHIJKLMNOP"));
    QCOMPARE(rows[1].record, QStringLiteral("DA001002+QRSTUVWXYZ01234"));
    QCOMPARE(rows[2].record, QStringLiteral("DA001002+56789abcd``````"));
    for (const Row& row : rows) {
        QCOMPARE(row.letter, QStringLiteral("D"));
        QCOMPARE(row.progressive, QStringLiteral("000000000000000003"));
    }
}

void TestFieldList::moduleNumberReplacesCharactersThreeToFive_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("module");
    QTest::addColumn<QString>("code");
    QTest::newRow("module 0 keeps the code") << "DB001001" << 0 << "DB001001";
    QTest::newRow("module 2") << "DBXXX001" << 2 << "DB002001";
    QTest::newRow("module 603") << "DBXXX001" << 603 << "DB603001";
    QTest::newRow("blanks around the number") << " DC001008 " << 1 << "DC001008";
    QTest::newRow("positional field has no code") << "5" << 1 << "";
}

void TestFieldList::moduleNumberReplacesCharactersThreeToFive()
{
    QFETCH(QString, number);
    QFETCH(int, module);
    QFETCH(QString, code);
    QCOMPARE(FieldListWriter::codeFor(field(number, 16, QStringLiteral("AN"), QStringLiteral("@@")), module),
             code);
}

void TestFieldList::blankCodedFieldWritesNoRow()
{
    FieldList list;
    FieldListWriter writer(list, RecordFamily::G);
    writer.writeCampo(QStringLiteral("0"),
                      field(QStringLiteral("DB001010"), 16, QStringLiteral("CB"), QStringLiteral("@@")), 0);
    writer.writeCampo(QStringLiteral("   "),
                      field(QStringLiteral("DB001011"), 16, QStringLiteral("AN"), QStringLiteral("O@")), 0);
    writer.writeCampo(QString(),
                      field(QStringLiteral("DB001012"), 16, QStringLiteral("VP"), QStringLiteral("@@")), 0);
    QCOMPARE(list.dataset().recordCount(), 0);
}

void TestFieldList::positionalFieldIsAlwaysWritten()
{
    FieldList list;
    FieldListWriter writer(list, RecordFamily::CD);
    writer.writeCampo(QString(), field(QStringLiteral("6"), 5, QStringLiteral("AN"), QStringLiteral("O@")),
                      0);
    writer.writeCampo(QStringLiteral("0.00.00"),
                      field(QStringLiteral("7"), 8, QStringLiteral("DT"), QStringLiteral("O@")), 0);
    const QVector<Row> rows = rowsOf(list);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].record, QStringLiteral("`````"));
    QCOMPARE(rows[1].record, QString());
}

void TestFieldList::familyRulesDecideWhatIsFormatted_data()
{
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("formatted");
    const int CD = int(RecordFamily::CD), G = int(RecordFamily::G), H = int(RecordFamily::H);
    QTest::newRow("OF always") << CD << "1"
                               << "OF"
                               << "" << true;
    QTest::newRow("@@ empty") << CD << "DA001001"
                              << "@@"
                              << "" << false;
    QTest::newRow("T@ with value") << H << "AU001004"
                                   << "T@"
                                   << "12" << true;
    QTest::newRow("A@ in G") << G << "DB001001"
                             << "A@"
                             << "12" << true;
    QTest::newRow("A@ not in H") << H << "AU001004"
                                 << "A@"
                                 << "12" << false;
    QTest::newRow("A1 in G") << G << "DB001001"
                             << "A1"
                             << "12" << true;
    QTest::newRow("Info with slash in G") << G << "DB001001"
                                          << "@/"
                                          << "" << true;
    QTest::newRow("Info with slash elsewhere") << CD << "DA001001"
                                               << "@/"
                                               << "x" << false;
    QTest::newRow("DBXXX001 empty in G") << G << "DBXXX001"
                                         << "O@"
                                         << "" << false;
    QTest::newRow("DBXXX001 with value in G") << G << "DBXXX001"
                                              << "O@"
                                              << "F" << true;
    QTest::newRow("O@ empty elsewhere") << G << "DB001001"
                                        << "O@"
                                        << "" << true;
}

void TestFieldList::familyRulesDecideWhatIsFormatted()
{
    QFETCH(int, family);
    QFETCH(QString, number);
    QFETCH(QString, info);
    QFETCH(QString, value);
    QFETCH(bool, formatted);
    QCOMPARE(FieldListWriter::isFormatted(RecordFamily(family), field(number, 16, QStringLiteral("AN"), info),
                                          value.isEmpty()),
             formatted);
}

void TestFieldList::headIsRepeatedOnContinuationLines()
{
    FieldList list;
    RecordList records;
    FieldListWriter writer(list, RecordFamily::G);
    writeHead(writer, QStringLiteral("G"), 4, 1);
    writeCoded(writer, 160); // 75 per line: three lines
    RecordPacker(list, records).packRecords(QStringLiteral("G"), 11);
    const QVector<FileLine> lines = records.orderedLines();
    QCOMPARE(lines.size(), 3);
    const QString head = lines[0].record.left(89);
    QVERIFY(head.startsWith(QStringLiteral("G80012345676")));
    for (const FileLine& line : lines) {
        QCOMPARE(line.record.size(), 1898);
        QVERIFY(line.record.endsWith(u'A'));
        QCOMPARE(line.record.left(89), head);
        QCOMPARE(line.certificate.value(), 4);
        QCOMPARE(line.progressive, QStringLiteral("000000000000000004"));
        QVERIFY(!line.record.contains(u'`'));
    }
    QCOMPARE(lines[0].record.mid(89, 8), QStringLiteral("DB001001"));
    QCOMPARE(lines[0].record.mid(89 + 74 * 24, 8), QStringLiteral("DB001075"));
    QCOMPARE(lines[1].record.mid(89, 8), QStringLiteral("DB001076"));
    QCOMPARE(lines[2].record.mid(89, 8), QStringLiteral("DB001151"));
    QCOMPARE(lines[2].record.mid(89 + 10 * 24).trimmed(), QStringLiteral("A"));
}

void TestFieldList::rowsOfAnotherLetterArePassedOver()
{
    FieldList list;
    RecordList records;
    FieldListWriter writer(list, RecordFamily::CD);
    writeHead(writer, QStringLiteral("D"), 1, 1);
    writeCoded(writer, 2);
    list.append(QStringLiteral("H"), QStringLiteral("000000000000000001"),
                QStringLiteral("AU001001    stray row   "));
    writeCoded(writer, 2, 3);
    writeHead(writer, QStringLiteral("D"), 2, 1);
    writeCoded(writer, 1);
    RecordPacker(list, records).packRecords(QStringLiteral("D"), 11);
    const QVector<FileLine> lines = records.orderedLines();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0].certificate.value(), 1);
    QCOMPARE(lines[0].record.mid(89, 4 * 24).count(QStringLiteral("DB001")), 4);
    QVERIFY(!lines[0].record.contains(QStringLiteral("stray")));
    QCOMPARE(lines[1].certificate.value(), 2);
}

void TestFieldList::everyModuleOfGStartsALine()
{
    FieldList list;
    RecordList records;
    FieldListWriter writer(list, RecordFamily::G);
    for (int module = 1; module <= 3; ++module) {
        writeHead(writer, QStringLiteral("G"), 7, module);
        writeCoded(writer, 2);
    }
    RecordPacker(list, records).packRecords(QStringLiteral("G"), 11);
    const QVector<FileLine> lines = records.orderedLines();
    QCOMPARE(lines.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(lines[i].record.mid(17, 8), QStringLiteral("0000000%1").arg(i + 1));
        QCOMPARE(lines[i].certificate.value(), 7);
    }
}

void TestFieldList::listsSurviveInTheirFiles()
{
    // Letters beyond ASCII that the file's Latin-1 can hold come back as
    // they were, from memory and from the lists' files.
    const QString name = QStringLiteral("DA001002NICOLÒ`````````");
    const QString line = QStringLiteral("D") + QString(20, u'È') + QStringLiteral("A");
    QTemporaryDir dir;
    FieldList list;
    list.append(QStringLiteral("D"), QStringLiteral("000000000000000001"), name);
    list.save(dir.filePath(FieldList::fileName()));
    FieldList again;
    again.load(dir.filePath(FieldList::fileName()));
    QCOMPARE(again.dataset().recordCount(), 1);
    again.dataset().first();
    QCOMPARE(again.record(), name);
    QCOMPARE(again.progressive(), QStringLiteral("000000000000000001"));

    RecordList records;
    records.append({QStringLiteral("D"), line, QStringLiteral("000000000000000001"), 1});
    records.save(dir.filePath(RecordList::fileName()));
    RecordList reread;
    reread.load(dir.filePath(RecordList::fileName()));
    const QVector<FileLine> lines = reread.orderedLines();
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.first().record, line);
    QCOMPARE(lines.first().progressive, QStringLiteral("000000000000000001"));

    // What Latin-1 lacks goes in as its nearest form, or is refused with
    // the character named: never a silent "?".
    list.append(QStringLiteral("D"), QStringLiteral("000000000000000002"), QStringLiteral("DA001001D’ANGELO ȘTEFAN"));
    QCOMPARE(list.record(), QStringLiteral("DA001001D'ANGELO STEFAN"));
    try {
        list.append(QStringLiteral("D"), QStringLiteral("000000000000000002"), QStringLiteral("DA001001王"));
        QFAIL("a character without a Latin-1 form was written");
    } catch (const EZfError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("\"王\" (U+738b)")), qPrintable(e.message()));
    }
    QCOMPARE(list.dataset().recordCount(), 2); // no half row left behind
    QCOMPARE(list.dataset().state(), Dataset::State::Browse);

    // A missing file, or one of another shape, gives an empty list.
    FieldList missing;
    missing.load(dir.filePath(QStringLiteral("none.cds")));
    QCOMPARE(missing.dataset().recordCount(), 0);
    QVERIFY(missing.dataset().isActive());
    FieldList otherShape;
    otherShape.load(dir.filePath(RecordList::fileName()));
    QCOMPARE(otherShape.dataset().recordCount(), 0);
    QCOMPARE(otherShape.dataset().fields().size(), 3);
}

QTEST_GUILESS_MAIN(TestFieldList)
#include "test_field_list.moc"
