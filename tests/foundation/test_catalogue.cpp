// The query catalogue: building from sources, the signature and version
// check, handing texts out by name, type, index and engine.
#include "foundation/catalogue/HlmCert.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/catalogue/QueryDataset.h"
#include "foundation/catalogue/VersionNumber.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "support/CatalogueTestSupport.h"
#include "support/TestPaths.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace cu;
using cu::test::RecordingOperator;

namespace {

const QString Statements = QStringLiteral(R"(
  <version program="TESTPROG" minimum="2.0.0"/>
  <statement name="QRY_MESI" type="SELECT"><sql>SELECT * FROM TMES WHERE IMESID = :IMESID</sql></statement>
  <statement name="qry_mesi" type="UPDATE"><sql>UPDATE TMES SET SMESLDESC = :D WHERE IMESID = :IMESID</sql></statement>
  <statement name="QRY_RIGHE" type="EXECUTE" index="2"><sql>DELETE FROM TRIG</sql></statement>
  <statement name="QRY_RIGHE" type="EXECUTE"><sql>UPDATE TRIG SET N = 0</sql></statement>
  <statement name="QRY_ANA" type="SELECT"><sql>SELECT * FROM TANA</sql></statement>
  <statement name="QRY_ANA" type="INSERT" index="0"><sql>INSERT 0</sql></statement>
  <statement name="QRY_ANA" type="INSERT" index="1"><sql>INSERT 1</sql></statement>
  <statement name="QRY_ANA" type="INSERT" index="3"><sql>INSERT 3</sql></statement>
  <statement name="QRY_ANA" type="UPDATE"><sql>UPDATE 0</sql></statement>
  <statement name="QRY_ANA" type="DELETE" index="1"><sql>DELETE 1</sql></statement>
  <statement name="QRY_LIMITE" type="SELECT">
    <sql>SELECT FIRST 1 X FROM T</sql>
    <sql engine="QPSQL">SELECT X FROM T LIMIT 1</sql>
  </statement>
  <statement name="QRY_SOLO_PG" type="SELECT"><sql engine="QPSQL">SELECT 1</sql></statement>
  <statement name="QRY_FILTRO" type="SELECT"><sql>SELECT * FROM T WHERE A = :A %s</sql></statement>
)");

ProgramIdentity program(const QString& version)
{
    return {QStringLiteral("testprog"), version, QStringLiteral("Modello CU 2025")};
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Connection m_connection; // never opened: the texts are only handed out

    QString build(HlmQueryText& catalogue, const QString& body = Statements)
    {
        return cu::test::buildCatalogue(catalogue, m_dir.path(), body);
    }

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void versionsCompareAsNumbers_data()
    {
        QTest::addColumn<QString>("required");
        QTest::addColumn<QString>("running");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("1.10.0 over 1.9.5") << "1.10.0"
                                           << "1.9.5" << false;
        QTest::newRow("1.9.5 under 1.10.0") << "1.9.5"
                                            << "1.10.0" << true;
        QTest::newRow("equal") << "2.0.0"
                               << "2.0.0" << true;
        QTest::newRow("newer patch required") << "2.0.1"
                                              << "2.0.0" << false;
        QTest::newRow("older major required") << "1.99.99"
                                              << "2.0.0" << true;
        QTest::newRow("two parts") << "2.1"
                                   << "2.1.0" << true;
        QTest::newRow("not a version") << "due"
                                       << "2.0.0" << false;
    }
    void versionsCompareAsNumbers()
    {
        QFETCH(QString, required);
        QFETCH(QString, running);
        QFETCH(bool, acceptable);
        QCOMPARE(VersionNumber::isAcceptable(required, running), acceptable);
    }

    void checkVersion_data()
    {
        QTest::addColumn<QString>("running");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("same") << "2.0.0" << true;
        QTest::newRow("newer") << "2.0.1" << true;
        QTest::newRow("older") << "1.10.0" << false;
    }
    void checkVersion()
    {
        QFETCH(QString, running);
        QFETCH(bool, accepted);
        HlmQueryText catalogue;
        build(catalogue);
        RecordingOperator op;
        QCOMPARE(catalogue.CheckVersion(QStringLiteral("Gestione compensi"), op, program(running)), accepted);
        const QStringList expected =
            accepted ? QStringList()
                     : QStringList{QStringLiteral("AGGIORNARE IL PROGRAMMA \"Modello CU 2025\".\r\n"
                                                  "Versione minima richiesta: 2.0.0.")};
        QCOMPARE(op.errors, expected);
    }

    void missingVersionRowRefuses()
    {
        HlmQueryText catalogue;
        build(catalogue);
        RecordingOperator op;
        const ProgramIdentity other{QStringLiteral("altro"), QStringLiteral("9.9.9"),
                                    QStringLiteral("Modello CU 2025")};
        QVERIFY(!catalogue.CheckVersion(QStringLiteral("Gestione compensi"), op, other));
        QCOMPARE(op.errors, QStringList{QStringLiteral("AGGIORNARE IL PROGRAMMA \"Modello CU 2025\".\r\n"
                                                       "Versione minima richiesta: .")});
    }

    void signature_data()
    {
        QTest::addColumn<QString>("damage"); // what happens to the files after the build
        QTest::addColumn<QString>("programName");
        QTest::addColumn<QString>("message"); // empty: accepted
        const QString refused = QStringLiteral("Certificato query non trovato od errato.");
        const QString hint = QStringLiteral(" Aggiornare il programma \"Gestione compensi\"");
        QTest::newRow("right") << ""
                               << "Gestione compensi"
                               << "";
        QTest::newRow("wrong signature") << "signature"
                                         << "Gestione compensi" << refused + hint;
        QTest::newRow("missing signature") << "remove"
                                           << "Gestione compensi" << refused + hint;
        QTest::newRow("catalogue changed") << "catalogue"
                                           << "Gestione compensi" << refused + hint;
        QTest::newRow("no program name") << "remove"
                                         << "" << refused;
    }
    void signature()
    {
        QFETCH(QString, damage);
        QFETCH(QString, programName);
        QFETCH(QString, message);
        HlmQueryText builder;
        const QString cds = build(builder);
        const QString unxc = HlmCert::signaturePath(cds);
        QCOMPARE(unxc, m_dir.filePath(QStringLiteral("kbr_QueryText.unxc")));
        QFile signatureFile(unxc);
        if (damage == u"signature") {
            QVERIFY(signatureFile.open(QIODevice::WriteOnly));
            signatureFile.write("ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF\r\n");
            signatureFile.close();
        } else if (damage == u"remove") {
            QVERIFY(signatureFile.remove());
        } else if (damage == u"catalogue") {
            QFile file(cds);
            QVERIFY(file.open(QIODevice::Append));
            file.write("x");
        }
        HlmQueryText catalogue;
        catalogue.SetCheckCertificate(true);
        if (damage == u"catalogue") {
            // The changed file may no longer load; what matters is that it is
            // refused.
            try {
                catalogue.Load(cds);
            } catch (const EZfError&) {
                return;
            }
        } else {
            catalogue.Load(cds);
        }
        RecordingOperator op;
        const bool accepted = catalogue.CheckVersion(programName, op, program(QStringLiteral("2.0.0")));
        QCOMPARE(accepted, message.isEmpty());
        QCOMPARE(op.errors, message.isEmpty() ? QStringList() : QStringList{message});
    }

    void signatureFileHoldsDigestAndLineBreak()
    {
        HlmQueryText catalogue;
        const QString cds = build(catalogue);
        QFile file(HlmCert::signaturePath(cds));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QCOMPARE(text.size(), 34);
        QVERIFY(text.endsWith("\r\n"));
        for (char c : text.left(32))
            QVERIFY2(c >= 'A' && c <= 'Z', text.constData());
        QCOMPARE(QString::fromLatin1(text.left(32)), HlmCert::Signature(cds));
    }

    void signatureWithoutCheckIsNotNeeded()
    {
        HlmQueryText builder;
        const QString cds = build(builder);
        QVERIFY(QFile::remove(HlmCert::signaturePath(cds)));
        HlmQueryText catalogue;
        catalogue.Load(cds);
        RecordingOperator op;
        QVERIFY(catalogue.CheckVersion(QStringLiteral("Gestione compensi"), op,
                                       program(QStringLiteral("2.0.0"))));
    }

    void aSecondCheckStillPasses()
    {
        HlmQueryText builder;
        const QString cds = build(builder);
        HlmQueryText catalogue;
        catalogue.SetCheckCertificate(true);
        catalogue.Load(cds);
        RecordingOperator op;
        QVERIFY(catalogue.CheckVersion(QString(), op, program(QStringLiteral("2.0.0"))));
        QVERIFY(catalogue.CheckVersion(QString(), op, program(QStringLiteral("2.0.0"))));
        QVERIFY(op.errors.isEmpty());
    }

    void nothingLoadedFailsTheSignature()
    {
        HlmQueryText catalogue;
        catalogue.SetCheckCertificate(true);
        RecordingOperator op;
        QVERIFY(!catalogue.CheckVersion(QStringLiteral("Gestione compensi"), op,
                                        program(QStringLiteral("2.0.0"))));
        QCOMPARE(op.errors.size(), 1);
    }

    void getQueryFindsByUpperCaseNameAndExactType()
    {
        HlmQueryText catalogue;
        build(catalogue);
        SqlQuery query(m_connection);
        query.setSql(QStringLiteral("SELECT :OLD"));
        catalogue.GetQuery(QStringLiteral("qry_mesi"), query, 0, QStringLiteral("SELECT"));
        QCOMPARE(query.sql(), QStringLiteral("SELECT * FROM TMES WHERE IMESID = :IMESID"));
        QCOMPARE(query.parameterNames(), QStringList{QStringLiteral("IMESID")});
        QCOMPARE(catalogue.lastOperation(), QStringLiteral("QRY_MESI"));
        // The name in the source was lower case: stored upper-cased.
        catalogue.GetQuery(QStringLiteral("QRY_MESI"), query, 0, QStringLiteral("UPDATE"));
        QVERIFY(query.sql().startsWith(QStringLiteral("UPDATE TMES")));
        QVERIFY_THROWS_EXCEPTION(
            EAssertion, catalogue.GetQuery(QStringLiteral("QRY_MESI"), query, 0, QStringLiteral("select")));
        QVERIFY(query.sql().isEmpty());
    }

    void emptyTypeMeansExecuteAndIndexSelects()
    {
        HlmQueryText catalogue;
        build(catalogue);
        SqlQuery query(m_connection);
        catalogue.GetQuery(QStringLiteral("QRY_RIGHE"), query);
        QCOMPARE(query.sql(), QStringLiteral("UPDATE TRIG SET N = 0"));
        catalogue.GetQuery(QStringLiteral("QRY_RIGHE"), query, 2);
        QCOMPARE(query.sql(), QStringLiteral("DELETE FROM TRIG"));
        QVERIFY_THROWS_EXCEPTION(EAssertion, catalogue.GetQuery(QStringLiteral("QRY_RIGHE"), query, 1));
    }

    void missingStatementsAreAssertions()
    {
        HlmQueryText catalogue;
        build(catalogue);
        SqlQuery query(m_connection);
        try {
            catalogue.GetQuery(QStringLiteral("qry_nessuna"), query, 0, QStringLiteral("SELECT"));
            QFAIL("no assertion");
        } catch (const EAssertion& e) {
            QCOMPARE(e.unitName(), QStringLiteral("hlmCQueryText"));
            QVERIFY2(e.message().startsWith(QStringLiteral("Query: QRY_NESSUNA")), qPrintable(e.message()));
        }
        QCOMPARE(catalogue.lastOperation(), QStringLiteral("QRY_NESSUNA"));
        try {
            catalogue.GetSQLText(QStringLiteral("QRY_ALTRA"), QStringLiteral("SELECT"));
            QFAIL("no assertion");
        } catch (const EAssertion& e) {
            QCOMPARE(e.unitName(), QStringLiteral("hlmCQueryText"));
            QVERIFY2(e.message().startsWith(QStringLiteral("Query : QRY_ALTRA")), qPrintable(e.message()));
        }
        QueryDataset dataSet(m_connection);
        QVERIFY_THROWS_EXCEPTION(EAssertion, catalogue.GetCommandText(QStringLiteral("QRY_NESSUNA"), dataSet,
                                                                      QStringLiteral("SELECT")));
        QVERIFY(dataSet.commandText().isEmpty());
    }

    void prepareUpdatableStopsAtTheFirstMissingIndex()
    {
        HlmQueryText catalogue;
        build(catalogue);
        QueryDataset dataSet(m_connection);
        dataSet.updateStatements().remove = QStringList{QStringLiteral("stale")};
        catalogue.PrepareUpdatable(QStringLiteral("qry_ana"), dataSet);
        QCOMPARE(dataSet.commandText(), QStringLiteral("SELECT * FROM TANA"));
        QCOMPARE(dataSet.updateStatements().insert,
                 (QStringList{QStringLiteral("INSERT 0"), QStringLiteral("INSERT 1")}));
        QCOMPARE(dataSet.updateStatements().update, QStringList{QStringLiteral("UPDATE 0")});
        QCOMPARE(dataSet.updateStatements().remove,
                 QStringList()); // index 0 missing: none
    }

    void engineVariantIsPreferred_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<bool>("pgOnlyFound");
        QTest::newRow("none") << ""
                              << "SELECT FIRST 1 X FROM T" << false;
        QTest::newRow("sqlite") << "QSQLITE"
                                << "SELECT FIRST 1 X FROM T" << false;
        QTest::newRow("postgresql") << "QPSQL"
                                    << "SELECT X FROM T LIMIT 1" << true;
    }
    void engineVariantIsPreferred()
    {
        QFETCH(QString, engine);
        QFETCH(QString, limit);
        QFETCH(bool, pgOnlyFound);
        HlmQueryText catalogue;
        build(catalogue);
        catalogue.setEngine(engine);
        QCOMPARE(catalogue.GetSQLText(QStringLiteral("QRY_LIMITE"), QStringLiteral("SELECT")), limit);
        QCOMPARE(catalogue.find(QStringLiteral("QRY_SOLO_PG"), QStringLiteral("SELECT"), 0).has_value(),
                 pgOnlyFound);
        // A statement without a variant serves every engine.
        QVERIFY(catalogue.find(QStringLiteral("QRY_ANA"), QStringLiteral("SELECT"), 0).has_value());
    }

    void formatQueryFillsPlaceholdersAndRebuildsParameters()
    {
        HlmQueryText catalogue;
        build(catalogue);
        QueryDataset dataSet(m_connection);
        catalogue.GetCommandText(QStringLiteral("QRY_FILTRO"), dataSet, QStringLiteral("SELECT"));
        QCOMPARE(dataSet.paramNames(), QStringList{QStringLiteral("A")});
        HlmQueryText::FormatQuery(dataSet, {QStringLiteral(" AND (ANAPER.ICALID=:ICALID) ")});
        QCOMPARE(dataSet.commandText(),
                 QStringLiteral("SELECT * FROM T WHERE A = :A  AND (ANAPER.ICALID=:ICALID) "));
        QCOMPARE(dataSet.paramNames(), (QStringList{QStringLiteral("A"), QStringLiteral("ICALID")}));
        // A place without an argument is a programming error.
        catalogue.GetCommandText(QStringLiteral("QRY_FILTRO"), dataSet, QStringLiteral("SELECT"));
        QVERIFY_THROWS_EXCEPTION(EAssertion, HlmQueryText::FormatQuery(dataSet, {}));
    }

    void buildAndLoadRoundTrip()
    {
        HlmQueryText builder;
        const QString cds = build(builder);
        HlmQueryText catalogue;
        catalogue.Load(cds);
        const Dataset& rows = catalogue.records();
        QCOMPARE(rows.recordCount(), builder.records().recordCount());
        QCOMPARE(rows.recordCount(), 15); // one version row, 14 statement texts
        QVERIFY(rows.hasField(u"Query") && rows.hasField(u"Tipo") && rows.hasField(u"Indice") &&
                rows.hasField(u"SQL") && rows.hasField(u"Motore"));
        for (const QString& engine : {QString(), QStringLiteral("QPSQL")}) {
            catalogue.setEngine(engine);
            builder.setEngine(engine);
            for (const auto& [name, type, index] : {std::tuple{"QRY_LIMITE", "SELECT", 0},
                                                    {"QRY_RIGHE", "EXECUTE", 2},
                                                    {"QRY_ANA", "INSERT", 3}}) {
                QCOMPARE(catalogue.find(name, type, index), builder.find(name, type, index));
                QVERIFY(catalogue.find(name, type, index).has_value());
            }
        }
        RecordingOperator op;
        QVERIFY(catalogue.CheckVersion(QString(), op, program(QStringLiteral("2.0.0"))));
    }

    void readOnlyTargetIsKept()
    {
        const QString target = m_dir.filePath(QStringLiteral("sola_lettura.cds"));
        QFile old(target);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("vecchio");
        old.close();
        QVERIFY(old.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadUser));
        HlmQueryText catalogue;
        const QString source =
            cu::test::writeCatalogueSource(m_dir.path(), QStringLiteral("c.xml"), Statements);
        catalogue.BuildFromSource({source}, target);
        QVERIFY(catalogue.find(QStringLiteral("QRY_ANA"), QStringLiteral("SELECT"), 0).has_value());
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("vecchio"));
    }

    void duplicateStatementNamesBothFiles()
    {
        const QString first = cu::test::writeCatalogueSource(
            m_dir.path(), QStringLiteral("uno.xml"),
            QStringLiteral("<statement name=\"QRY_X\" type=\"SELECT\"><sql>SELECT "
                           "1</sql></statement>"));
        const QString second =
            cu::test::writeCatalogueSource(m_dir.path(), QStringLiteral("due.xml"),
                                           QStringLiteral("<statement name=\"qry_x\" type=\"SELECT\" "
                                                          "index=\"0\">\n<sql>SELECT 2</sql></statement>"));
        HlmQueryText catalogue;
        try {
            catalogue.BuildFromSource({first, second}, m_dir.filePath(QStringLiteral("out.cds")));
            QFAIL("duplicate accepted");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(first) && e.message().contains(second), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("QRY_X")), qPrintable(e.message()));
        }
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("out.cds"))));
    }

    void engineVariantsAreNoDuplicates()
    {
        HlmQueryText catalogue;
        build(catalogue, QStringLiteral("<statement name=\"QRY_X\" type=\"SELECT\"><sql>A</sql>"
                                        "<sql engine=\"QPSQL\">B</sql><sql "
                                        "engine=\"QSQLITE\">C</sql></statement>"));
        catalogue.setEngine(QStringLiteral("QSQLITE"));
        QCOMPARE(catalogue.find(QStringLiteral("QRY_X"), QStringLiteral("SELECT"), 0),
                 std::optional<QString>(QStringLiteral("C")));
    }

    void badSourcesAreRefused_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("expected"); // part of the message
        QTest::newRow("type missing") << "<statement name=\"Q\"><sql>S</sql></statement>"
                                      << "\"type\" mancante";
        QTest::newRow("type unknown") << "<statement name=\"Q\" type=\"select\"><sql>S</sql></statement>"
                                      << "tipo \"select\"";
        QTest::newRow("name missing") << "<statement type=\"SELECT\"><sql>S</sql></statement>"
                                      << "\"name\" mancante";
        QTest::newRow("index negative") << "<statement name=\"Q\" type=\"SELECT\" "
                                           "index=\"-1\"><sql>S</sql></statement>"
                                        << "indice \"-1\"";
        QTest::newRow("engine unknown") << "<statement name=\"Q\" type=\"SELECT\"><sql "
                                           "engine=\"QMYSQL\">S</sql></statement>"
                                        << "motore \"QMYSQL\"";
        QTest::newRow("empty text") << "<statement name=\"Q\" type=\"SELECT\"><sql>  </sql></statement>"
                                    << "testo SQL vuoto";
        QTest::newRow("no text") << "<statement name=\"Q\" type=\"SELECT\"></statement>"
                                 << "alcun testo";
        QTest::newRow("misspelt attribute") << "<statement name=\"Q\" type=\"SELECT\" "
                                               "indx=\"1\"><sql>S</sql></statement>"
                                            << "\"indx\" non previsto";
        QTest::newRow("bad version") << "<version program=\"P\" minimum=\"1.x\"/>"
                                     << "versione minima \"1.x\"";
        QTest::newRow("two versions") << "<version program=\"P\" minimum=\"1.0.0\"/><version program=\"p\" "
                                         "minimum=\"2.0.0\"/>"
                                      << "VER_P";
        QTest::newRow("not xml") << "<statement"
                                 << "riga";
    }
    void badSourcesAreRefused()
    {
        QFETCH(QString, body);
        QFETCH(QString, expected);
        HlmQueryText catalogue;
        try {
            build(catalogue, body);
            QFAIL("source accepted");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(expected), qPrintable(e.message()));
            QVERIFY2(e.message().contains(QStringLiteral("catalogue.xml")), qPrintable(e.message()));
        }
    }

    void shippedCatalogueAcceptsThisProgram()
    {
        const QString cds = cu::test::buildRoot() + QStringLiteral("/etc/kbr/kbr_QueryText.cds");
        QVERIFY2(QFile::exists(cds), "build the installation_tree target first");
        HlmQueryText catalogue;
        catalogue.SetCheckCertificate(true);
        catalogue.Load(cds);
        for (const QString& executable : {QStringLiteral("modellocu"), QStringLiteral("modellocu-gui")}) {
            RecordingOperator op;
            const ProgramIdentity running{executable, QStringLiteral(MODELLOCU_VERSION),
                                          QStringLiteral("Modello CU 2025")};
            QVERIFY2(catalogue.CheckVersion(QStringLiteral("Gestione compensi"), op, running),
                     qPrintable(op.errors.join(u'\n')));
        }
        // The build output holds what the sources say.
        HlmQueryText fromSources;
        fromSources.BuildFromSource(cu::test::projectCatalogueSources(),
                                    m_dir.filePath(QStringLiteral("p.cds")));
        QCOMPARE(catalogue.records().recordCount(), fromSources.records().recordCount());
    }
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "test_catalogue.moc"
