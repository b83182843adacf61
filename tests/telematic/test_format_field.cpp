// FormatField over the whole format table and getCampoValue per record family.
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"
#include "telematic/layouts/CampoValue.h"
#include "telematic/layouts/FormatField.h"

#include <QDate>
#include <QTest>

using namespace cu;

class TestFormatField : public QObject
{
    Q_OBJECT

private slots:
    void formats_data();
    void formats();
    void amountThatIsNoNumberIsRefused();
    void valueText_data();
    void valueText();
    void campoValue_data();
    void campoValue();
    void numberCodesRefuseText();
};

void TestFormatField::formats_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("expected");

    QTest::newRow("AN pads with the marker") << "Rossi  " << 10 << "AN"
                                             << "O@"
                                             << "Rossi`````";
    QTest::newRow("AN trims at both ends") << "  Bianchi " << 8 << "AN"
                                           << "O@"
                                           << "Bianchi`";
    QTest::newRow("AN cuts a longer text") << "ABCDEFGH" << 5 << "AN"
                                           << "O@"
                                           << "ABCDE";
    QTest::newRow("CF left-aligned") << "01234567897" << 16 << "CF"
                                     << "O@"
                                     << "01234567897`````";
    QTest::newRow("AX with X") << " X " << 3 << "AX"
                               << "O@"
                               << "X``";
    QTest::newRow("AX with anything else") << "1" << 3 << "AX"
                                           << "O@"
                                           << "";
    QTest::newRow("CB of 0 writes nothing") << "0" << 1 << "CB"
                                            << "@1"
                                            << "";
    QTest::newRow("CB of 1") << "1" << 1 << "CB"
                             << "@1"
                             << "1";
    QTest::newRow("CB of X in a coded field") << "X" << 16 << "CB"
                                              << "@@"
                                              << "               1";
    QTest::newRow("CP of 0") << "0" << 3 << "CP"
                             << "@1"
                             << "000";
    QTest::newRow("CP of empty") << "" << 1 << "CP"
                                 << "@1"
                                 << "0";
    QTest::newRow("CP of X") << "X" << 2 << "CP"
                             << "@1"
                             << "01";
    QTest::newRow("CB12 of twelve zeros") << "000000000000" << 12 << "CB12"
                                          << "O@"
                                          << "            ";
    QTest::newRow("CB12 of months") << "110000000001" << 14 << "CB12"
                                    << "O@"
                                    << "  110000000001";
    QTest::newRow("DA") << "12" << 4 << "DA"
                        << "O@"
                        << "  12";
    QTest::newRow("DT of 5 March 1980") << "05/03/1980" << 8 << "DT"
                                        << "O@"
                                        << "05031980";
    QTest::newRow("DT in a coded field") << "05/03/1980" << 16 << "DT"
                                         << "@@"
                                         << "        05031980";
    QTest::newRow("DT of a zero date") << "0.00.00" << 8 << "DT"
                                       << "O@"
                                       << "";
    QTest::newRow("DT of an empty date") << "" << 8 << "DT"
                                         << "O@"
                                         << "        ";
    QTest::newRow("DP of a zero date") << "0.00.00" << 10 << "DP"
                                       << "O@"
                                       << "00000000";
    QTest::newRow("DP of an empty date") << "" << 8 << "DP"
                                         << "O@"
                                         << "00000000";
    QTest::newRow("DP of a date") << "31/12/2024" << 10 << "DP"
                                  << "O@"
                                  << "0031122024";
    QTest::newRow("D4 of a zero date") << "0.00.00" << 4 << "D4"
                                       << "O@"
                                       << "";
    QTest::newRow("D4 of a year") << "2024" << 6 << "D4"
                                  << "O@"
                                  << "  2024";
    QTest::newRow("D4 of a date") << "05/03/1980" << 4 << "D4"
                                  << "O@"
                                  << "0503";
    QTest::newRow("NU of 123") << "123" << 6 << "NU"
                               << "O@"
                               << "   123";
    QTest::newRow("NP") << "7" << 3 << "NP"
                        << "@@"
                        << "  7";
    QTest::newRow("D6") << "1" << 2 << "D6"
                        << "O@"
                        << " 1";
    QTest::newRow("PC") << "50" << 3 << "PC"
                        << "O@"
                        << " 50";
    QTest::newRow("QU") << "3" << 2 << "QU"
                        << "O@"
                        << " 3";
    QTest::newRow("NF zero-fills") << "42" << 5 << "NF"
                                   << "OF"
                                   << "00042";
    QTest::newRow("NF never cuts a number") << "1234567" << 6 << "NF"
                                            << "OF"
                                            << "1234567";
    QTest::newRow("N5 of 42") << "42" << 5 << "N5"
                              << "O@"
                              << "00042";
    QTest::newRow("N3 into a wider field") << "7" << 5 << "N3"
                                           << "O@"
                                           << "  007";
    QTest::newRow("N1") << "3" << 1 << "N1"
                        << "O@"
                        << "3";
    QTest::newRow("N6") << "12" << 6 << "N6"
                        << "O@"
                        << "000012";
    QTest::newRow("N10") << "12" << 10 << "N10"
                         << "O@"
                         << "0000000012";
    QTest::newRow("N11") << "1" << 11 << "N11"
                         << "O@"
                         << "00000000001";
    QTest::newRow("N5 of empty") << "" << 5 << "N5"
                                 << "O@"
                                 << "";
    QTest::newRow("N2 of empty") << "" << 2 << "N2"
                                 << "O@"
                                 << "00";
    QTest::newRow("N2 of 1") << "1" << 3 << "N2"
                             << "O@"
                             << " 01";
    QTest::newRow("PR keeps blanks") << " RM" << 4 << "PR"
                                     << "O@"
                                     << " RM`";
    QTest::newRow("CN empty under O@") << "" << 11 << "CN"
                                       << "O@"
                                       << "00000000000";
    QTest::newRow("CN empty under @@") << "" << 4 << "CN"
                                       << "@@"
                                       << "````";
    QTest::newRow("CN value") << " 0123 " << 6 << "CN"
                              << "O@"
                              << "0123``";
    QTest::newRow("ND of blank") << "  " << 3 << "ND"
                                 << "O@"
                                 << "  0";
    QTest::newRow("ND of a value") << "5 " << 4 << "ND"
                                   << "O@"
                                   << "  5 ";
    QTest::newRow("catch-all code") << "x" << 3 << "ZZ"
                                    << "O@"
                                    << "  x";
    QTest::newRow("VP of an amount") << "1234.5" << 16 << "VP"
                                     << "@@"
                                     << "         1234,50";
    QTest::newRow("VP rounds to cents") << "10.005" << 8 << "VP"
                                        << "@@"
                                        << "   10,01";
    QTest::newRow("VP of zero") << "0" << 16 << "VP"
                                << "@@"
                                << "                ";
    QTest::newRow("VP of empty") << "" << 4 << "VP"
                                 << "@@"
                                 << "    ";
}

void TestFormatField::formats()
{
    QFETCH(QString, value);
    QFETCH(int, width);
    QFETCH(QString, format);
    QFETCH(QString, info);
    QFETCH(QString, expected);
    QCOMPARE(FormatField(value, width, format, info), expected);
}

void TestFormatField::amountThatIsNoNumberIsRefused()
{
    QVERIFY_THROWS_EXCEPTION(
        EZfError, FormatField(QStringLiteral("dodici"), 16, QStringLiteral("VP"), QStringLiteral("@@")));
}

void TestFormatField::valueText_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant() << "";
    QTest::newRow("date") << QVariant(QDate(1980, 3, 5)) << "05/03/1980";
    QTest::newRow("zero date") << QVariant(QDate()) << "0.00.00";
    QTest::newRow("amount") << QVariant::fromValue(Currency::fromRaw(12345000)) << "1234.5";
    QTest::newRow("whole amount") << QVariant::fromValue(Currency::fromUnits(7)) << "7";
    QTest::newRow("zero amount") << QVariant::fromValue(Currency()) << "0";
    QTest::newRow("negative amount") << QVariant::fromValue(Currency::fromRaw(-5000)) << "-0.5";
    QTest::newRow("integer") << QVariant(qint64(365)) << "365";
    QTest::newRow("text") << QVariant(QStringLiteral("X")) << "X";
}

void TestFormatField::valueText()
{
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(variantText(value), expected);
}

void TestFormatField::campoValue_data()
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

    QTest::newRow("OF gives the constant") << A << "OF"
                                           << "cdsForn" << QVariant("x") << "fisso";
    QTest::newRow("Z takes the constant whatever Info") << Z << "O@"
                                                        << "cdsForn" << QVariant("x") << "fisso";
    QTest::newRow("O@ fetches") << A << "O@"
                                << "cdsForn" << QVariant("01") << "01";
    QTest::newRow("O@ without Cds is empty") << A << "O@"
                                             << "" << QVariant("01") << "";
    QTest::newRow("@X fetches") << CD << "@X"
                                << "cdsDip" << QVariant("abc") << "abc";
    QTest::newRow("@@ in A keeps empty") << A << "@@"
                                         << "cdsForn" << QVariant() << "";
    QTest::newRow("@@ in B: null becomes 0") << B << "@@"
                                             << "cdsSost" << QVariant() << "0";
    QTest::newRow("@@ in B: empty becomes 0") << B << "@@"
                                              << "cdsSost" << QVariant("") << "0";
    QTest::newRow("@@ in B: value kept") << B << "@@"
                                         << "cdsSost" << QVariant("7") << "7";
    QTest::newRow("@1 of null") << B << "@1"
                                << "cdsSost" << QVariant() << "0";
    QTest::newRow("@1 of 0") << CD << "@1"
                             << "cdsDip" << QVariant("0") << "0";
    QTest::newRow("@1 of X") << G << "@1"
                             << "cdsDip" << QVariant("X") << "1";
    QTest::newRow("@1 of empty text") << H << "@1"
                                      << "cdsAutSe" << QVariant("") << "0";
    QTest::newRow("@1 unknown to A") << A << "@1"
                                     << "cdsForn" << QVariant("1") << "";
    QTest::newRow("T@ of 1234.99") << CD << "T@"
                                   << "cdsDip" << amount1234_99 << "1234";
    QTest::newRow("TX of a text number") << G << "TX"
                                         << "cdsDip" << QVariant("-3.7") << "-3";
    QTest::newRow("T@ of null") << G << "T@"
                                << "cdsDip" << QVariant() << "";
    QTest::newRow("T@ unknown to B") << B << "T@"
                                     << "cdsSost" << amount1234_99 << "";
    QTest::newRow("A@ of 1234.50") << G << "A@"
                                   << "cdsDip" << amount1234_50 << "1235";
    QTest::newRow("A@ of 1234.49") << G << "A@"
                                   << "cdsDip" << amount1234_49 << "1234";
    QTest::newRow("AX in H") << H << "AX"
                             << "cdsAutSe" << amount1234_50 << "1235";
    QTest::newRow("A@ unknown to C and D") << CD << "A@"
                                           << "cdsDip" << amount1234_50 << "";
    QTest::newRow("A1 in G") << G << "A1"
                             << "cdsDip" << amount1234_50 << "1235";
    QTest::newRow("A1 unknown to H") << H << "A1"
                                     << "cdsAutSe" << amount1234_50 << "";
    QTest::newRow("unknown code") << G << "??"
                                  << "cdsDip" << QVariant("x") << "";
}

void TestFormatField::campoValue()
{
    QFETCH(int, family);
    QFETCH(QString, info);
    QFETCH(QString, cds);
    QFETCH(QVariant, fetched);
    QFETCH(QString, expected);
    LayoutField campo;
    campo.number = QStringLiteral("7");
    campo.info = info;
    campo.cds = cds;
    campo.field = QStringLiteral("COLONNA");
    campo.fixed = QStringLiteral("fisso");
    const QString value =
        getCampoValue(RecordFamily(family), campo, [&](const LayoutField&) { return fetched; });
    QCOMPARE(value, expected);
}

void TestFormatField::numberCodesRefuseText()
{
    LayoutField campo;
    campo.info = QStringLiteral("T@");
    campo.cds = QStringLiteral("cdsDip");
    campo.field = QStringLiteral("FCUDX");
    QVERIFY_THROWS_EXCEPTION(EZfError, getCampoValue(RecordFamily::G, campo, [](const LayoutField&) {
                                 return QVariant(QStringLiteral("dodici"));
                             }));
}

QTEST_GUILESS_MAIN(TestFormatField)
#include "test_format_field.moc"
