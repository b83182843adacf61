// The checks as findings: over a year of the store (agent, supplier,
// certificates and sections, on SQLite and PostgreSQL) each finding names
// its place and column, personal data and amounts that the file refuses
// included; and the field checks a window runs while typing.
#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "certificates/checks/AmountRules.h"
#include "certificates/checks/FieldValidators.h"
#include "certificates/checks/YearChecks.h"
#include "store/HlmDBCds.h"
#include "support/StoreFlowFixture.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::StoreFlow;
namespace sample = cu::test::sample;

namespace {

QStringList lines(const QVector<CheckFinding>& findings)
{
    QStringList all;
    for (const CheckFinding& finding : findings)
        all << finding.line();
    return all;
}

} // namespace

class TestFindings : public QObject
{
    Q_OBJECT

    CertificateSchema m_schema;

private slots:
    void initTestCase() { m_schema = cu::test::certificateSchema(); }

    void yearFindings_data() { cu::test::TestDatabases::addEngineColumns(); }
    void yearFindings()
    {
        QFETCH(QString, engine);
        StoreFlow flow(engine);
        CU_REQUIRE_DATABASE(flow.database());
        flow.install();
        // An empty year: the agent's and the supplier's mandatory data.
        QCOMPARE(lines(checkYear(flow.certificates())),
                 QStringList(
                     {"Sostituto SSOSCODFIS: Dato obbligatorio mancante: Codice fiscale del sostituto",
                      "Sostituto SSOSDENOM: Dato obbligatorio mancante: Denominazione del sostituto",
                      "Sostituto SSOSCFRAPPR: Dato obbligatorio mancante: Codice fiscale del rappresentante "
                      "firmatario",
                      "Sostituto SCARCODICE: Dato obbligatorio mancante: Codice carica del rappresentante "
                      "firmatario",
                      "Fornitore SFORCODFIS: Dato obbligatorio mancante: Codice fiscale del fornitore",
                      "Fornitore STFOCODICE: Dato obbligatorio mancante: Tipo fornitore"}));

        flow.writeSampleSupply();
        QCOMPARE(lines(checkYear(flow.certificates())), QStringList());

        // A blanked name and a wrong code in a section row, each named where it lies.
        Dataset list;
        flow.certificates().openCertificates(list);
        QVERIFY(list.locate(u"SCUDCODFIS"_s, {sample::rossi().fiscalCode}));
        list.edit();
        list.setValue(u"SCUDNOME", QVariant());
        list.post();
        flow.certificates().saveCertificate(list);
        flow.writeSectionRow(u"TCUDN_INPDAP"_s, sample::rossi().fiscalCode,
                             {{u"SCUDCODFISAMMNE"_s, u"80012345670"_s}});
        const QVector<CheckFinding> findings = checkYear(flow.certificates());
        const QString where = u"Certificazione %1/12"_s.arg(sample::rossi().fiscalCode);
        QCOMPARE(
            lines(findings),
            QStringList({where + " SCUDNOME: Dato obbligatorio mancante: Nome del percipiente",
                         where + ", TCUDN_INPDAP riga 1 SCUDCODFISAMMNE: Campo errato: codice fiscale "
                                 "80012345670 (SCUDCODFISAMMNE) non valido: cifra di controllo errata"}));
        QCOMPARE(findings.first().table, u"TCUD_DATICUD"_s);
        QCOMPARE(findings.first().person, flow.personOf(sample::rossi().fiscalCode));
        QCOMPARE(findings.last().table, u"TCUDN_INPDAP"_s);
        QCOMPARE(findings.last().month, u"12"_s);
    }

    // Personal data and amounts stored before the import checked them, or
    // changed since: the checks flag each, where the file would be refused.
    void storedDefects_data() { cu::test::TestDatabases::addEngineColumns(); }
    void storedDefects()
    {
        QFETCH(QString, engine);
        StoreFlow flow(engine);
        CU_REQUIRE_DATABASE(flow.database());
        flow.install();
        flow.writeSampleSupply();
        Dataset list;
        flow.certificates().openCertificates(list);
        QVERIFY(list.locate(u"SCUDCODFIS"_s, {sample::rossi().fiscalCode}));
        list.edit();
        list.setValue(u"SCUDCOGNOME", u"ROSSI\nBIS"_s);
        list.setValue(u"SCUDNOME", u"..."_s);
        list.setValue(u"SCUDSEX", u"X"_s);
        list.setValue(u"DCUDDATANAS", QDate(1850, 3, 1));
        list.setValue(u"fCudRitIrpef", QVariant::fromValue(Currency::fromUnits(-12)));
        list.setValue(u"FCUDQUOTA2122", QVariant::fromValue(Currency::fromUnits(-5))); // no point: free
        list.setValue(u"fCudReddDetr", QVariant::fromValue(Currency::fromUnits(10'000'000'000'000)));
        list.post();
        flow.certificates().saveCertificate(list);
        const QString where = u"Certificazione %1/12 "_s.arg(sample::rossi().fiscalCode);
        QCOMPARE(
            lines(checkYear(flow.certificates())),
            QStringList({where + "SCUDCOGNOME: Campo errato: caratteri di controllo (a capo, tabulazioni) "
                                 "in SCUDCOGNOME",
                         where + "SCUDNOME: Campo errato: SCUDNOME \"...\" senza alcuna lettera",
                         where + "SCUDSEX: Campo errato: sesso \"X\" del percipiente (ammessi M e F)",
                         where + "DCUDDATANAS: Campo errato: data di nascita del percipiente 01/03/1850 "
                                 "non plausibile",
                         where + "fCudReddDetr: Campo errato: importo 10.000.000.000.000,00 (fCudReddDetr) "
                                 "oltre il limite di 9.999.999.999.999,99",
                         where + "fCudRitIrpef: Campo errato: importo -12,00 (fCudRitIrpef) negativo in un "
                                 "campo che ammette solo valori positivi"}));
    }

    // The limit of the amounts is the width of the file's amount fields.
    void amountLimitFitsTheFile()
    {
        const QString limit = amounts::Limit.toString(2).replace(u'.', u',');
        QCOMPARE(limit.size(), amounts::FieldWidth);
        const QString increased = (amounts::Limit + Currency::fromRaw(100)).toString(2);
        QVERIFY(increased.size() > amounts::FieldWidth);
        const QRegularExpression amountField(uR"re(Width="(\d+)" Format="V[PN]")re"_s);
        int fields = 0;
        for (const QString& record :
             QDir(cu::test::buildRoot() + u"/USR/FJ2024/Res/filetel"_s).entryList({u"*.xml"_s})) {
            const QString layout = QString::fromUtf8(
                cu::test::readFile(cu::test::buildRoot() + u"/USR/FJ2024/Res/filetel/"_s + record));
            for (auto it = amountField.globalMatch(layout); it.hasNext(); ++fields)
                QCOMPARE(it.next().captured(1).toInt(), amounts::FieldWidth);
        }
        QVERIFY(fields > 0);
    }

    void fieldChecks_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("defect");
        const QString cud = u"TCUD_DATICUD"_s;
        const QString agent = u"TCUS_DATISOST"_s;
        // clang-format off
        QTest::newRow("personal code") << cud << "SCUDCODFIS" << "rssmra85t10a562s" << "";
        QTest::newRow("personal code, check") << cud << "SCUDCODFIS" << "RSSMRA85T10A562T" << "Codice fiscale non valido: carattere di controllo errato";
        QTest::newRow("numeric code") << agent << "SSOSCODFIS" << "80012345676" << "";
        QTest::newRow("short code") << agent << "SSOSCFRAPPR" << "RSSMRA" << "Codice fiscale non valido: lunghezza 6 invece di 16 o 11 caratteri";
        QTest::newRow("empty is fine") << agent << "SSOSCFRAPPR" << "" << "";
        QTest::newRow("date") << cud << "DCUDDATANAS" << "29/02/1984" << "";
        QTest::newRow("date, impossible") << cud << "DCUDDATANAS" << "30/02/1984" << "Data non valida: usare gg/mm/aaaa";
        QTest::newRow("province") << cud << "SCUDPROVNAS" << "rm" << "";
        QTest::newRow("province abroad") << cud << "SCUDPROVNAS" << "EE" << "";
        QTest::newRow("province unknown") << agent << "SSOSPROV" << "XX" << "Sigla di provincia sconosciuta: XX";
        QTest::newRow("postcode") << agent << "SSOSCAP" << "00184" << "";
        QTest::newRow("postcode, letters") << agent << "SSOSCAP" << "0018A" << "Il CAP deve essere di 5 cifre";
        QTest::newRow("postcode, short") << agent << "SSOSCAP" << "184" << "Il CAP deve essere di 5 cifre";
        QTest::newRow("municipality code") << cud << "SCUDCAPDFAP" << "b354" << "";
        QTest::newRow("municipality code, postcode") << cud << "SCUDCAPDFAC" << "09100" << "Il codice comune è una lettera e tre cifre (es. H501)";
        QTest::newRow("other column") << cud << "SCUDCOMNAS" << "ROMA" << "";
        // clang-format on
    }
    void fieldChecks()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QString, text);
        QFETCH(QString, defect);
        QCOMPARE(fieldDefect(*m_schema.table(table)->column(column), text), defect);
    }
};

QTEST_GUILESS_MAIN(TestFindings)
#include "test_findings.moc"
