// The values of the file: FormatField over the whole format table,
// getCampoValue per record family, the rows of the field list (WriteCampo:
// the file's characters, pieces of long text, no blank or zero coded value)
// and their packing into lines (PackRecords / FlushRecord).
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"
#include "support/TelematicTestSupport.h"
#include "telematic/WorkingLists.h"
#include "telematic/layouts/CampoValue.h"
#include "telematic/layouts/FormatField.h"
#include "telematic/records/FieldListWriter.h"
#include "telematic/records/RecordPacker.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;

namespace {

LayoutField field(const QString& number, int width, const QString& format, const QString& info,
                  const QString& fixed = QString())
{
    return {number, QString(), width, format, info, fixed, QString(), QString()};
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
    writer.writeCampo(letter, field(u"1"_s, 1, u"AN"_s, u"OF"_s, letter), 0);
    const int widths[] = {16, 8, 16, 5, 17, 6, 14, 1, 4, 1};
    const char* formats[] = {"CF", "NF", "CF", "NF", "NF", "NF", "AN", "AN", "AN", "CP"};
    // clang-format off
    const QString values[] = {u"80012345676"_s, QString::number(module), u"RSSMRA85T10A562S"_s,
                              QString::number(certificate), {}, {}, {}, {}, {}, u"0"_s};
    // clang-format on
    for (int i = 0; i < 10; ++i)
        writer.writeCampo(
            values[i], field(QString::number(i + 2), widths[i], QString::fromLatin1(formats[i]), u"O@"_s), 0);
}

void writeCoded(FieldListWriter& writer, int count, int firstPoint = 1)
{
    for (int i = 0; i < count; ++i)
        writer.writeCampo(
            u"V%1"_s.arg(i),
            field(u"DB001%1"_s.arg(firstPoint + i, 3, 10, QLatin1Char('0')), 16, u"AN"_s, u"@@"_s), 0);
}

} // namespace

class TestFieldList : public QObject
{
    Q_OBJECT

private slots:
    void longValuesAreWrittenInPieces()
    {
        FieldList list;
        FieldListWriter writer(list, RecordFamily::CD);
        writer.setLetter(u"D"_s);
        writer.setCertificateNumber(3);
        const QString text = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCD"_s; // 40 characters
        writer.writeCampo(text, field(u"DA001002"_s, 16, u"AN"_s, u"@@"_s), 0);
        const QVector<Row> rows = rowsOf(list);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].record, u"DA001002ABCDEFGHIJKLMNOP"_s);
        QCOMPARE(rows[1].record, u"DA001002+QRSTUVWXYZ01234"_s);
        QCOMPARE(rows[2].record, u"DA001002+56789ABCD``````"_s);
        for (const Row& row : rows) {
            QCOMPARE(row.letter, u"D"_s);
            QCOMPARE(row.progressive, u"000000000000000003"_s);
        }
    }
    void moduleNumberReplacesCharactersThreeToFive_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("module");
        QTest::addColumn<QString>("code");
        // clang-format off
        QTest::newRow("module 0 keeps the code") << "DB001001" << 0 << "DB001001";
        QTest::newRow("module 2") << "DBXXX001" << 2 << "DB002001";
        QTest::newRow("module 603") << "DBXXX001" << 603 << "DB603001";
        QTest::newRow("blanks around the number") << " DC001008 " << 1 << "DC001008";
        QTest::newRow("positional field has no code") << "5" << 1 << "";
        // clang-format on
    }
    void moduleNumberReplacesCharactersThreeToFive()
    {
        QFETCH(QString, number);
        QFETCH(int, module);
        QTEST(FieldListWriter::codeFor(field(number, 16, u"AN"_s, u"@@"_s), module), "code");
    }
    // A coded value in the file's characters (upper-case ASCII, a plain form
    // for any other letter, or a refusal naming the character, the field and
    // the person), written only when it is a value: never blank, nor a zero
    // number, amount, box, date or month string (a text "0" is a value).
    void codedValueRows_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("row"); // the value written; empty: no row; "!" and part of the refusal
        // clang-format off
        QTest::newRow("lower case") << "AN" << "@@" << u"Rossi"_s << "ROSSI";
        QTest::newRow("grave accent") << "AN" << "@@" << u"Niccolò"_s << "NICCOLO'";
        QTest::newRow("accent as a combining mark") << "AN" << "@@" << u"Jose\u0301"_s << "JOSE'";
        QTest::newRow("typographic apostrophe") << "AN" << "@@" << u"D’Angelo"_s << "D'ANGELO";
        QTest::newRow("comma below") << "AN" << "@@" << u"Ștefan"_s << "STEFAN";
        QTest::newRow("sharp s") << "AN" << "@@" << u"Straße"_s << "STRASSE";
        QTest::newRow("stroke") << "AN" << "@@" << u"Øystein Łukasz"_s << "OYSTEIN LUKASZ";
        QTest::newRow("no-break space and dash") << "AN" << "@@" << u"Via\u00A0Roma \u2013 1"_s << "VIA ROMA - 1";
        QTest::newRow("character without a form") << "AN" << "@@" << u"王"_s << u"!\"王\" (U+738B)"_s;
        QTest::newRow("line feed") << "AN" << "@@" << u"Via Roma\n1"_s << "!carattere di controllo U+000A";
        QTest::newRow("carriage return") << "AN" << "@@" << u"Rossi\r"_s << "!carattere di controllo U+000D";
        QTest::newRow("tab") << "AN" << "@@" << u"Mario\tLuigi"_s << "!carattere di controllo U+0009";
        QTest::newRow("escape") << "AN" << "@@" << u"Rossi\x1b"_s << "!carattere di controllo U+001B";
        QTest::newRow("delete") << "AN" << "@@" << u"Rossi\x7f"_s << "!carattere di controllo U+007F";
        QTest::newRow("number longer than its field") << "NP" << "@@" << u"12345678901234567"_s << "!non sta nei 16 caratteri";
        QTest::newRow("amount 0") << "VP" << "@@" << u"0"_s << "";
        QTest::newRow("amount 0.004") << "VP" << "@@" << u"0.004"_s << "";
        QTest::newRow("amount 0.01") << "VP" << "@@" << u"0.01"_s << "0,01";
        QTest::newRow("empty amount") << "VP" << "@@" << QString() << "";
        QTest::newRow("number 0") << "NP" << "@@" << u"0"_s << "";
        QTest::newRow("months 0") << "N2" << "@@" << u"0"_s << "";
        QTest::newRow("months 3") << "N2" << "@@" << u"3"_s << "03";
        QTest::newRow("percentage 0") << "PC" << "@@" << u"0"_s << "";
        QTest::newRow("no month") << "CB12" << "@@" << u"000000000000"_s << "";
        QTest::newRow("one month") << "CB12" << "@@" << u"100000000000"_s << "100000000000";
        QTest::newRow("unset box") << "CB" << "@@" << u"0"_s << "";
        QTest::newRow("blank text under O@") << "AN" << "O@" << u"   "_s << "";
        QTest::newRow("text 0 is a value") << "AN" << "@@" << u"0"_s << "0";
        // clang-format on
    }
    void codedValueRows()
    {
        QFETCH(QString, format);
        QFETCH(QString, info);
        QFETCH(QString, value);
        QFETCH(QString, row);
        FieldList list;
        FieldListWriter writer(list, RecordFamily::G);
        writer.setLetter(u"G"_s);
        writer.setSubject(u"percipiente WANG LI (WNGLIA80A01Z210X)"_s);
        const QString error =
            test::errorOf([&] { writer.writeCampo(value, field(u"DB001001"_s, 16, format, info), 0); });
        if (row.startsWith(u'!')) {
            for (const QString& part : {row.mid(1), u"campo DB001001"_s, u"WANG LI (WNGLIA80A01Z210X)"_s})
                QVERIFY2(error.contains(part), qPrintable(error));
        } else {
            QCOMPARE(error, QString());
            QCOMPARE(rowsOf(list).value(0).record.mid(8).remove(u'`').trimmed(), row);
        }
        QCOMPARE(list.dataset().recordCount(), row.isEmpty() || row.startsWith(u'!') ? 0 : 1);
    }
    void positionalFieldIsAlwaysWritten()
    {
        FieldList list;
        FieldListWriter writer(list, RecordFamily::CD);
        writer.writeCampo(QString(), field(u"6"_s, 5, u"AN"_s, u"O@"_s), 0);
        writer.writeCampo(u"0.00.00"_s, field(u"7"_s, 8, u"DT"_s, u"O@"_s), 0);
        const QVector<Row> rows = rowsOf(list);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].record, u"`````"_s);
        QCOMPARE(rows[1].record, QString());
    }
    void familyRulesDecideWhatIsFormatted_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("formatted");
        const int CD = int(RecordFamily::CD), G = int(RecordFamily::G), H = int(RecordFamily::H);
        // clang-format off
        QTest::newRow("OF always") << CD << "1" << "OF" << "" << true;
        QTest::newRow("@@ empty") << CD << "DA001001" << "@@" << "" << false;
        QTest::newRow("T@ with value") << H << "AU001004" << "T@" << "12" << true;
        QTest::newRow("A@ in G") << G << "DB001001" << "A@" << "12" << true;
        QTest::newRow("A@ not in H") << H << "AU001004" << "A@" << "12" << false;
        QTest::newRow("A1 in G") << G << "DB001001" << "A1" << "12" << true;
        QTest::newRow("Info with slash in G") << G << "DB001001" << "@/" << "" << true;
        QTest::newRow("Info with slash elsewhere") << CD << "DA001001" << "@/" << "x" << false;
        QTest::newRow("DBXXX001 empty in G") << G << "DBXXX001" << "O@" << "" << false;
        QTest::newRow("DBXXX001 with value in G") << G << "DBXXX001" << "O@" << "F" << true;
        QTest::newRow("O@ empty elsewhere") << G << "DB001001" << "O@" << "" << true;
        // clang-format on
    }
    void familyRulesDecideWhatIsFormatted()
    {
        QFETCH(int, family);
        QFETCH(QString, number);
        QFETCH(QString, info);
        QFETCH(QString, value);
        QFETCH(bool, formatted);
        QCOMPARE(FieldListWriter::isFormatted(RecordFamily(family), field(number, 16, u"AN"_s, info),
                                              value.isEmpty()),
                 formatted);
    }
    void headIsRepeatedOnContinuationLines()
    {
        FieldList list;
        RecordList records;
        FieldListWriter writer(list, RecordFamily::G);
        writeHead(writer, u"G"_s, 4, 1);
        writeCoded(writer, 160); // 75 per line: three lines
        RecordPacker(list, records).packRecords(u"G"_s, 11);
        const QVector<FileLine> lines = records.orderedLines();
        QCOMPARE(lines.size(), 3);
        const QString head = lines[0].record.left(89);
        QVERIFY(head.startsWith(u"G80012345676"_s));
        for (const FileLine& line : lines) {
            QCOMPARE(line.record.size(), 1898);
            QVERIFY(line.record.endsWith(u'A'));
            QCOMPARE(line.record.left(89), head);
            QCOMPARE(line.certificate.value(), 4);
            QCOMPARE(line.progressive, u"000000000000000004"_s);
            QVERIFY(!line.record.contains(u'`'));
        }
        QCOMPARE(lines[0].record.mid(89, 8), u"DB001001"_s);
        QCOMPARE(lines[0].record.mid(89 + 74 * 24, 8), u"DB001075"_s);
        QCOMPARE(lines[1].record.mid(89, 8), u"DB001076"_s);
        QCOMPARE(lines[2].record.mid(89, 8), u"DB001151"_s);
        QCOMPARE(lines[2].record.mid(89 + 10 * 24).trimmed(), u"A"_s);
    }
    void rowsOfAnotherLetterArePassedOver()
    {
        FieldList list;
        RecordList records;
        FieldListWriter writer(list, RecordFamily::CD);
        writeHead(writer, u"D"_s, 1, 1);
        writeCoded(writer, 2);
        list.append(u"H"_s, u"000000000000000001"_s, u"AU001001    stray row   "_s);
        writeCoded(writer, 2, 3);
        writeHead(writer, u"D"_s, 2, 1);
        writeCoded(writer, 1);
        RecordPacker(list, records).packRecords(u"D"_s, 11);
        const QVector<FileLine> lines = records.orderedLines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].certificate.value(), 1);
        QCOMPARE(lines[0].record.mid(89, 4 * 24).count(u"DB001"_s), 4);
        QVERIFY(!lines[0].record.contains(u"stray"_s));
        QCOMPARE(lines[1].certificate.value(), 2);
    }
    void everyModuleOfGStartsALine()
    {
        FieldList list;
        RecordList records;
        FieldListWriter writer(list, RecordFamily::G);
        for (int module = 1; module <= 3; ++module) {
            writeHead(writer, u"G"_s, 7, module);
            writeCoded(writer, 2);
        }
        RecordPacker(list, records).packRecords(u"G"_s, 11);
        const QVector<FileLine> lines = records.orderedLines();
        QCOMPARE(lines.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(lines[i].record.mid(17, 8), u"0000000%1"_s.arg(i + 1));
            QCOMPARE(lines[i].certificate.value(), 7);
        }
    }
    void listsSurviveInTheirFiles()
    {
        const QString name = u"DA001002NICCOLO'````````"_s;
        const QString line = u"D"_s + QString(20, u'E') + u"A"_s;
        QTemporaryDir dir;
        FieldList list;
        list.append(u"D"_s, u"000000000000000001"_s, name);
        list.save(dir.filePath(FieldList::fileName()));
        FieldList again;
        again.load(dir.filePath(FieldList::fileName()));
        QCOMPARE(again.dataset().recordCount(), 1);
        again.dataset().first();
        QCOMPARE(again.record(), name);
        QCOMPARE(again.progressive(), u"000000000000000001"_s);

        RecordList records;
        records.append({u"D"_s, line, u"000000000000000001"_s, 1});
        records.save(dir.filePath(RecordList::fileName()));
        RecordList reread;
        reread.load(dir.filePath(RecordList::fileName()));
        const QVector<FileLine> lines = reread.orderedLines();
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines.first().record, line);
        QCOMPARE(lines.first().progressive, u"000000000000000001"_s);

        // The lists hold the file's ASCII only: anything else is refused, with
        // the character named, and leaves no half row.
        const QString error =
            test::errorOf([&] { list.append(u"D"_s, u"000000000000000002"_s, u"DA001001È"_s); });
        QVERIFY2(error.contains(u"\"È\" (U+00C8)"_s), qPrintable(error));
        QCOMPARE(list.dataset().recordCount(), 1);
        QCOMPARE(list.dataset().state(), Dataset::State::Browse);

        // A missing file, or one of another shape, gives an empty list.
        FieldList missing;
        missing.load(dir.filePath(u"none.cds"_s));
        QCOMPARE(missing.dataset().recordCount(), 0);
        QVERIFY(missing.dataset().isActive());
        FieldList otherShape;
        otherShape.load(dir.filePath(RecordList::fileName()));
        QCOMPARE(otherShape.dataset().recordCount(), 0);
        QCOMPARE(otherShape.dataset().fields().size(), 3);
    }
    void formats_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("expected");

        // clang-format off
        QTest::newRow("AN pads with the marker") << "Rossi  " << 10 << "AN" << "O@" << "Rossi`````";
        QTest::newRow("AN trims at both ends") << "  Bianchi " << 8 << "AN" << "O@" << "Bianchi`";
        QTest::newRow("AN cuts a longer text") << "ABCDEFGH" << 5 << "AN" << "O@" << "ABCDE";
        QTest::newRow("CF left-aligned") << "01234567897" << 16 << "CF" << "O@" << "01234567897`````";
        QTest::newRow("AX with X") << " X " << 3 << "AX" << "O@" << "X``";
        QTest::newRow("AX with anything else") << "1" << 3 << "AX" << "O@" << "";
        QTest::newRow("CB of 0 writes nothing") << "0" << 1 << "CB" << "@1" << "";
        QTest::newRow("CB of 1") << "1" << 1 << "CB" << "@1" << "1";
        QTest::newRow("CB of X in a coded field") << "X" << 16 << "CB" << "@@" << "               1";
        QTest::newRow("CP of 0") << "0" << 3 << "CP" << "@1" << "000";
        QTest::newRow("CP of empty") << "" << 1 << "CP" << "@1" << "0";
        QTest::newRow("CP of X") << "X" << 2 << "CP" << "@1" << "01";
        QTest::newRow("CB12 of twelve zeros") << "000000000000" << 12 << "CB12" << "O@" << "            ";
        QTest::newRow("CB12 of months") << "110000000001" << 14 << "CB12" << "O@" << "  110000000001";
        QTest::newRow("DA") << "12" << 4 << "DA" << "O@" << "  12";
        QTest::newRow("DT of 5 March 1980") << "05/03/1980" << 8 << "DT" << "O@" << "05031980";
        QTest::newRow("DT in a coded field") << "05/03/1980" << 16 << "DT" << "@@" << "        05031980";
        QTest::newRow("DT of a zero date") << "0.00.00" << 8 << "DT" << "O@" << "";
        QTest::newRow("DT of an empty date") << "" << 8 << "DT" << "O@" << "        ";
        QTest::newRow("DP of a zero date") << "0.00.00" << 10 << "DP" << "O@" << "00000000";
        QTest::newRow("DP of an empty date") << "" << 8 << "DP" << "O@" << "00000000";
        QTest::newRow("DP of a date") << "31/12/2024" << 10 << "DP" << "O@" << "0031122024";
        QTest::newRow("D4 of a zero date") << "0.00.00" << 4 << "D4" << "O@" << "";
        QTest::newRow("D4 of a year") << "2024" << 6 << "D4" << "O@" << "  2024";
        QTest::newRow("D4 of a date") << "05/03/1980" << 4 << "D4" << "O@" << "0503";
        QTest::newRow("NU of 123") << "123" << 6 << "NU" << "O@" << "   123";
        QTest::newRow("NF zero-fills") << "42" << 5 << "NF" << "OF" << "00042";
        QTest::newRow("NF never cuts a number") << "1234567" << 6 << "NF" << "OF" << "1234567";
        QTest::newRow("N5 of 42") << "42" << 5 << "N5" << "O@" << "00042";
        QTest::newRow("N3 into a wider field") << "7" << 5 << "N3" << "O@" << "  007";
        QTest::newRow("N1") << "3" << 1 << "N1" << "O@" << "3";
        QTest::newRow("N6") << "12" << 6 << "N6" << "O@" << "000012";
        QTest::newRow("N10") << "12" << 10 << "N10" << "O@" << "0000000012";
        QTest::newRow("N11") << "1" << 11 << "N11" << "O@" << "00000000001";
        QTest::newRow("N5 of empty") << "" << 5 << "N5" << "O@" << "";
        QTest::newRow("N2 of empty") << "" << 2 << "N2" << "O@" << "00";
        QTest::newRow("N2 of 1") << "1" << 3 << "N2" << "O@" << " 01";
        QTest::newRow("PR keeps blanks") << " RM" << 4 << "PR" << "O@" << " RM`";
        QTest::newRow("CN empty under O@") << "" << 11 << "CN" << "O@" << "00000000000";
        QTest::newRow("CN empty under @@") << "" << 4 << "CN" << "@@" << "````";
        QTest::newRow("CN value") << " 0123 " << 6 << "CN" << "O@" << "0123``";
        QTest::newRow("ND of blank") << "  " << 3 << "ND" << "O@" << "  0";
        QTest::newRow("ND of a value") << "5 " << 4 << "ND" << "O@" << "  5 ";
        QTest::newRow("catch-all code") << "x" << 3 << "ZZ" << "O@" << "  x";
        QTest::newRow("VP of an amount") << "1234.5" << 16 << "VP" << "@@" << "         1234,50";
        QTest::newRow("VP rounds to cents") << "10.005" << 8 << "VP" << "@@" << "   10,01";
        QTest::newRow("VP of zero") << "0" << 16 << "VP" << "@@" << "                ";
        QTest::newRow("VP of empty") << "" << 4 << "VP" << "@@" << "    ";
        QTest::newRow("VN of a negative amount") << "-12.5" << 16 << "VN" << "@@" << "          -12,50";
        QTest::newRow("PN as PR, left-aligned") << "RM" << 16 << "PN" << "@@" << "RM``````````````";
        QTest::newRow("amount that is no number") << "dodici" << 16 << "VP" << "@@" << "!dodici";
        // clang-format on
    }
    void formats()
    {
        QFETCH(QString, value);
        QFETCH(int, width);
        QFETCH(QString, format);
        QFETCH(QString, info);
        QFETCH(QString, expected);
        QString formatted;
        const QString error = test::errorOf([&] { formatted = FormatField(value, width, format, info); });
        if (expected.startsWith(u'!'))
            QVERIFY2(error.contains(expected.mid(1)), qPrintable(error));
        else
            QCOMPARE(formatted, expected);
    }
    void campoValue_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("cds");
        QTest::addColumn<QVariant>("fetched");
        QTest::addColumn<QString>("expected");

        const QVariant amount1234_99 = QVariant::fromValue(Currency::parse(u"1234.99").value());
        const QVariant amount1234_50 = QVariant::fromValue(Currency::parse(u"1234.50").value());
        const QVariant amount1234_49 = QVariant::fromValue(Currency::parse(u"1234.49").value());
        const int A = int(RecordFamily::A), B = int(RecordFamily::B), CD = int(RecordFamily::CD),
                  G = int(RecordFamily::G), H = int(RecordFamily::H), Z = int(RecordFamily::Z);

        // clang-format off
        QTest::newRow("OF gives the constant") << A << "OF" << "cdsForn" << QVariant("x") << "fisso";
        QTest::newRow("Z takes the constant whatever Info") << Z << "O@" << "cdsForn" << QVariant("x") << "fisso";
        QTest::newRow("O@ fetches") << A << "O@" << "cdsForn" << QVariant("01") << "01";
        QTest::newRow("O@ without Cds is empty") << A << "O@" << "" << QVariant("01") << "";
        QTest::newRow("@X fetches") << CD << "@X" << "cdsDip" << QVariant("abc") << "abc";
        QTest::newRow("@@ in A keeps empty") << A << "@@" << "cdsForn" << QVariant() << "";
        QTest::newRow("@@ in B: null becomes 0") << B << "@@" << "cdsSost" << QVariant() << "0";
        QTest::newRow("@@ in B: empty becomes 0") << B << "@@" << "cdsSost" << QVariant("") << "0";
        QTest::newRow("@@ in B: value kept") << B << "@@" << "cdsSost" << QVariant("7") << "7";
        QTest::newRow("@1 of null") << B << "@1" << "cdsSost" << QVariant() << "0";
        QTest::newRow("@1 of 0") << CD << "@1" << "cdsDip" << QVariant("0") << "0";
        QTest::newRow("@1 of X") << G << "@1" << "cdsDip" << QVariant("X") << "1";
        QTest::newRow("@1 of empty text") << H << "@1" << "cdsAutSe" << QVariant("") << "0";
        QTest::newRow("@1 unknown to A") << A << "@1" << "cdsForn" << QVariant("1") << "";
        QTest::newRow("T@ of 1234.99") << CD << "T@" << "cdsDip" << amount1234_99 << "1234";
        QTest::newRow("TX of a text number") << G << "TX" << "cdsDip" << QVariant("-3.7") << "-3";
        QTest::newRow("T@ of null") << G << "T@" << "cdsDip" << QVariant() << "";
        QTest::newRow("T@ unknown to B") << B << "T@" << "cdsSost" << amount1234_99 << "";
        QTest::newRow("A@ of 1234.50") << G << "A@" << "cdsDip" << amount1234_50 << "1235";
        QTest::newRow("A@ of 1234.49") << G << "A@" << "cdsDip" << amount1234_49 << "1234";
        QTest::newRow("AX in H") << H << "AX" << "cdsAutSe" << amount1234_50 << "1235";
        QTest::newRow("A@ unknown to C and D") << CD << "A@" << "cdsDip" << amount1234_50 << "";
        QTest::newRow("A1 in G") << G << "A1" << "cdsDip" << amount1234_50 << "1235";
        QTest::newRow("A1 unknown to H") << H << "A1" << "cdsAutSe" << amount1234_50 << "";
        QTest::newRow("unknown code") << G << "??" << "cdsDip" << QVariant("x") << "";
        QTest::newRow("T@ refuses text") << G << "T@" << "cdsDip" << QVariant("dodici") << "!dodici";
        // clang-format on
    }
    void campoValue()
    {
        QFETCH(int, family);
        QFETCH(QString, info);
        QFETCH(QString, cds);
        QFETCH(QVariant, fetched);
        QFETCH(QString, expected);
        const LayoutField campo{u"7"_s, QString(), 16, u"AN"_s, info, u"fisso"_s, cds, u"COLONNA"_s};
        QString value;
        const QString error = test::errorOf([&] {
            value = getCampoValue(RecordFamily(family), campo, [&](const LayoutField&) { return fetched; });
        });
        if (expected.startsWith(u'!'))
            QVERIFY2(error.contains(expected.mid(1)), qPrintable(error));
        else
            QCOMPARE(value, expected);
    }
};

QTEST_GUILESS_MAIN(TestFieldList)
#include "test_field_list.moc"
