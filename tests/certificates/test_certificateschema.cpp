// The schema file of the certificate tables: every table and the columns the
// other parts of the program use, the dataset fields it gives, and clear
// errors for a broken file.
#include "certificates/CertificateSchema.h"
#include "foundation/operator/Errors.h"
#include "support/TestPaths.h"

#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using namespace cu;

namespace {

QString schemaPath()
{
    return cu::test::sourceRoot() + QStringLiteral("/resources/USR/FJ2024/Res/Schema/eli.xml");
}

} // namespace

class TestCertificateSchema : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_schema = CertificateSchema::load(schemaPath()); }
    void tablesOfTheProgramme();
    void columnsUsedElsewhere_data();
    void columnsUsedElsewhere();
    void fieldsOfADataset();
    void pointsAreUniqueWithinAPart();
    void monthFlagsAreConsecutive_data();
    void monthFlagsAreConsecutive();
    void flagsStartAtZero();
    void brokenFiles_data();
    void brokenFiles();

private:
    CertificateSchema m_schema;
};

void TestCertificateSchema::tablesOfTheProgramme()
{
    QCOMPARE(m_schema.programme(), QStringLiteral("eli"));
    QCOMPARE(m_schema.year(), 2024);
    QStringList names;
    for (const TableSchema& table : m_schema.tables())
        names.append(table.name);
    QCOMPARE(names, (QStringList{"TCUD_DATICUD", "TCUDI_INPS", "TCUDN_INPDAP", "TCUIN_INAIL",
                                 "TCUDAE_ALTRIENTI", "TCUDC_CONFAMCARICO", "TCUDT_TFR",
                                 "TASE_AUTSOMMEEROGATE", "TCUDCA_COOPART", "TCUDA_ANNOTAZIONI",
                                 "TCUS_DATISOST", "TCUAS_DATIALTRISOST", "TCUCT_DATICT", "TCFO_FORNITORE"}));
    const TableSchema* certificate = m_schema.table(u"tcud_daticud");
    QVERIFY(certificate);
    QVERIFY(certificate->personTable);
    QVERIFY(!certificate->fieldMapReadOnly);
    QVERIFY(certificate->fieldMap.contains(QStringLiteral("saficodfiscale=SCUDCODFIS")));
    for (const TableSchema& table : m_schema.tables()) {
        if (table.name == u"TCUD_DATICUD")
            continue;
        QVERIFY2(!table.personTable, qPrintable(table.name));
    }
}

void TestCertificateSchema::columnsUsedElsewhere_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("point");
    QTest::addColumn<QString>("lookup");
    const QVector<QStringList> rows{
        {"TCUD_DATICUD", "SCUDCODFIS", "S", "anagrafici", "1", ""},
        {"TCUD_DATICUD", "SCUDMESE", "S", "", "", ""},
        {"TCUD_DATICUD", "ICUDSTATO", "I", "", "", ""},
        {"TCUD_DATICUD", "SCUDEVENTECC", "S", "anagrafici", "9", "TEEC_EVENTIECCEZIONALI.CDS"},
        {"TCUD_DATICUD", "FCUDREDDDETR", "F", "fiscali", "1", ""},
        {"TCUD_DATICUD", "FCUDISPRT", "F", "fiscali", "101", ""},
        {"TCUD_DATICUD", "FCUDISPPT", "F", "fiscali", "", ""},
        {"TCUD_DATICUD", "FCUDISPPCT", "F", "fiscali", "", ""},
        {"TCUD_DATICUD", "FCUDDETRULTDETR", "F", "fiscali", "", ""},
        {"TCUD_DATICUD", "FCUDPRECOMTFRFONDO", "F", "fiscali", "", ""},
        {"TCUD_DATICUD", "LCUDCPOSCNACFC", "L", "fiscali", "683", ""},
        {"TCUD_DATICUD", "SCUDASSUCFAG3", "S", "fiscali", "805", ""},
        {"TCUD_DATICUD", "SCUDANNOTAZIONI", "S", "", "", ""},
        {"TCUDI_INPS", "LCUDTRASFRAPP", "L", "inps", "", ""},
        {"TCUDI_INPS", "FCUDCONTRPENS", "F", "inps", "", ""},
        {"TCUDI_INPS", "SCUD3TTIPORAPPORTO", "S", "inps", "72", "TTRA_TIPORAPP3TER.cds"},
        {"TCUDN_INPDAP", "SCUDGESASS_5", "S", "inpdap", "16", "TGES_GESTIONIASS.cds"},
        {"TCUDN_INPDAP", "FCUDSOSP_A0", "F", "inpdap", "", ""},
        {"TCUDN_INPDAP", "LINPDAPNOIPADICH", "L", "inpdap", "11", ""},
        {"TCUIN_INAIL", "SQUACODICE", "S", "inail", "91", "TQUS_QUALIFICA.CDS"},
        {"TCUDC_CONFAMCARICO", "SCUDDTANNOPRIFIGL", "S", "familiari", "", ""},
        {"TCUDT_TFR", "FRIEP7QUOTASPETT", "F", "tfr", "917", ""},
        {"TCUDT_TFR", "CRIEP7CODFISDIR", "C", "tfr", "916", ""},
        {"TASE_AUTSOMMEEROGATE", "SCAUCODICE", "S", "autonomi", "1", "TCAU_CAUSALE.CDS"},
        {"TCUDCA_COOPART", "FCUDCAREDDITO", "F", "coopart", "76", ""},
        {"TCUDA_ANNOTAZIONI", "SANN754", "S", "annotazioni", "54", ""},
        {"TCUDA_ANNOTAZIONI", "SANN757", "S", "annotazioni", "57", ""},
        {"TCUS_DATISOST", "LSOSEVECC", "L", "sostituto", "", ""},
        {"TCUS_DATISOST", "SSOSEVECC", "S", "sostituto", "", "TSEE_SOSTITUTOEVENTIECCEZIONALI.CDS"},
        {"TCUAS_DATIALTRISOST", "SSOSFIRMA", "S", "altrisost", "", ""},
        {"TCUCT_DATICT", "LCTSRVENTRATEL", "L", "ct", "", ""},
        {"TCFO_FORNITORE", "STFOCODICE", "S", "fornitore", "", "TTFO_TIPOFORNIT.CDS"}};
    for (const QStringList& r : rows)
        QTest::newRow(qPrintable(r[0] + u'.' + r[1])) << r[0] << r[1] << r[2] << r[3] << r[4] << r[5];
}

void TestCertificateSchema::columnsUsedElsewhere()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    const TableSchema* t = m_schema.table(table);
    QVERIFY(t);
    const ColumnSchema* c = t->column(column);
    QVERIFY2(c, qPrintable(column));
    QTEST(QString(c->typeLetter), "type");
    QTEST(c->part, "part");
    QTEST(c->point, "point");
    QTEST(c->lookup, "lookup");
}

void TestCertificateSchema::fieldsOfADataset()
{
    const QVector<FieldDef> fields = m_schema.table(u"TCUDT_TFR")->fieldDefs();
    QCOMPARE(fields[0].name, QStringLiteral("iAfiID"));
    QCOMPARE(fields[0].type, FieldType::Integer);
    QCOMPARE(fields[1].name, QStringLiteral("iFisRigo"));
    auto field = [&](const QString& name) {
        for (const FieldDef& f : fields) {
            if (f.name.compare(name, Qt::CaseInsensitive) == 0)
                return f;
        }
        return FieldDef{};
    };
    QCOMPARE(field("CRIEP7CODFISDIR").type, FieldType::String);
    QCOMPARE(field("CRIEP7CODFISDIR").size, 16);
    QCOMPARE(field("FRIEP7QUOTASPETT").type, FieldType::Currency);
    QCOMPARE(field("DRL7DTINIZIRAPLAV").type, FieldType::Date);
    QCOMPARE(field("IRL7GGSOSPENLAV").type, FieldType::Integer);
    QCOMPARE(field("LRL7TEMPDETER").type, FieldType::String);
    QCOMPARE(field("LRL7TEMPDETER").size, 1);
}

void TestCertificateSchema::pointsAreUniqueWithinAPart()
{
    for (const TableSchema& table : m_schema.tables()) {
        QSet<QString> seen;
        for (const ColumnSchema& c : table.columns) {
            if (c.point.isEmpty())
                continue;
            const QString key = c.part + u'/' + c.point;
            QVERIFY2(!seen.contains(key), qPrintable(table.name + u' ' + c.name + u' ' + key));
            seen.insert(key);
        }
    }
}

void TestCertificateSchema::monthFlagsAreConsecutive_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("january");
    QTest::newRow("inps") << "TCUDI_INPS"
                          << "LCUDGENNAIO";
    QTest::newRow("inps 3") << "TCUDI_INPS"
                            << "LCUDGENNAIO_C";
    QTest::newRow("inps 3 bis") << "TCUDI_INPS"
                                << "LCUD3BGENNAIO_C";
    QTest::newRow("inps 3 ter") << "TCUDI_INPS"
                                << "LCUD3TGENNAIO_C";
    QTest::newRow("inpdap") << "TCUDN_INPDAP"
                            << "LINPDAPGENNAIO";
    QTest::newRow("inpdap prsd") << "TCUDN_INPDAP"
                                 << "LINPDAPPRSDGENNAIO";
    QTest::newRow("inpdap prd") << "TCUDN_INPDAP"
                                << "LINPDAPPRDGENNAIO";
}

void TestCertificateSchema::monthFlagsAreConsecutive()
{
    QFETCH(QString, table);
    QFETCH(QString, january);
    const QStringList months{"GENNAIO", "FEBBRAIO", "MARZO",     "APRILE",  "MAGGIO",   "GIUGNO",
                             "LUGLIO",  "AGOSTO",   "SETTEMBRE", "OTTOBRE", "NOVEMBRE", "DICEMBRE"};
    const QVector<ColumnSchema>& columns = m_schema.table(table)->columns;
    int first = -1;
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(january, Qt::CaseInsensitive) == 0)
            first = i;
    }
    QVERIFY(first >= 0);
    for (int m = 0; m < 12; ++m) {
        const QString expected = QString(january).replace(QStringLiteral("GENNAIO"), months[m]);
        QCOMPARE(columns[first + m].name.toUpper(), expected);
    }
}

void TestCertificateSchema::flagsStartAtZero()
{
    const TableSchema* inps = m_schema.table(u"TCUDI_INPS");
    Dataset row;
    row.setFields(inps->fieldDefs());
    row.open();
    row.append();
    initialiseFlags(row, *inps);
    int flags = 0;
    for (const ColumnSchema& c : inps->columns) {
        if (c.typeLetter == u'L') {
            QCOMPARE(row.asString(c.name), QStringLiteral("0"));
            ++flags;
        } else {
            QVERIFY2(row.isNull(c.name), qPrintable(c.name));
        }
    }
    QVERIFY(flags > 50);
}

void TestCertificateSchema::brokenFiles_data()
{
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("expected");
    const QString head = QStringLiteral("<schema programme=\"eli\" year=\"2024\">\n");
    const QString table =
        QStringLiteral("<table name=\"T\" tag=\"X\" personTable=\"0\" fieldMapReadOnly=\"0\">\n");
    QTest::newRow("not xml") << QStringLiteral("<schema") << QStringLiteral("riga 1");
    QTest::newRow("wrong root") << QStringLiteral("<tables/>") << QStringLiteral("<schema>");
    QTest::newRow("type not first letter")
        << head + table +
               QStringLiteral("<column name=\"SX\" type=\"F\" size=\"0\" checkbox=\"0\"/></table></schema>")
        << QStringLiteral("SX");
    QTest::newRow("unknown type")
        << head + table +
               QStringLiteral("<column name=\"XA\" type=\"X\" size=\"1\" checkbox=\"0\"/></table></schema>")
        << QStringLiteral("riga 3");
    QTest::newRow("string without size")
        << head + table +
               QStringLiteral("<column name=\"SX\" type=\"S\" size=\"0\" checkbox=\"0\"/></table></schema>")
        << QStringLiteral("dimensione");
    QTest::newRow("twice")
        << head + table +
               QStringLiteral("<column name=\"SX\" type=\"S\" size=\"2\" checkbox=\"0\"/>"
                              "<column name=\"sx\" type=\"S\" size=\"2\" checkbox=\"0\"/></table></schema>")
        << QStringLiteral("ripetuta");
}

void TestCertificateSchema::brokenFiles()
{
    QFETCH(QString, content);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("rotto.xml"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content.toUtf8());
    file.close();
    try {
        CertificateSchema::load(path);
        QFAIL("a broken file was accepted");
    } catch (const EZfError& e) {
        QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
    }
    QVERIFY_THROWS_EXCEPTION(EZfError, CertificateSchema::load(folder.filePath(QStringLiteral("manca.xml"))));
}

QTEST_GUILESS_MAIN(TestCertificateSchema)
#include "test_certificateschema.moc"
