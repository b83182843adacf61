// The field-value store on SQLite and PostgreSQL: what a save writes, what an
// open reads back, person rows, structures by year, months and persons,
// failures that leave nothing behind.
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "store/HlmDBCds.h"
#include "support/StoreFixture.h"
#include "support/TestSupport.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace cu;
using cu::test::money;
using cu::test::StoreFixture;
using cu::test::TestDatabases;

namespace {

const QVector<FieldDef> ValueFields{{u"SNOME"_s, FieldType::String, 40},
                                    {u"FIMPORTO"_s, FieldType::Currency, 0},
                                    {u"IANNI"_s, FieldType::Integer, 0},
                                    {u"DDATA"_s, FieldType::Date, 0},
                                    {u"LFLAG"_s, FieldType::String, 1}};

const QVector<FieldDef> PersonFields{{u"SCODFIS"_s, FieldType::String, 16},
                                     {u"SCOGNOME"_s, FieldType::String, 60},
                                     {u"SMATR"_s, FieldType::String, 10},
                                     {u"SQUAL"_s, FieldType::String, 10},
                                     {u"FIMPORTO"_s, FieldType::Currency, 0}};

const QString PersonMap = u"saficognome=SCOGNOME;saficodfiscale=SCODFIS;safigruppoana=SMATR+SQUAL"_s;

void appendValues(Dataset& dataset, const QString& name, const Currency& amount, qint64 years = 0,
                  const QDate& date = {}, const QString& flag = {})
{
    cu::test::appendRow(dataset, {{u"SNOME"_s, name},
                                  {u"FIMPORTO"_s, QVariant::fromValue(amount)},
                                  {u"IANNI"_s, years},
                                  {u"DDATA"_s, date},
                                  {u"LFLAG"_s, flag}});
}

} // namespace

class TestHlmDBCds : public QObject
{
    Q_OBJECT

    std::unique_ptr<StoreFixture> m_fixture;
    std::unique_ptr<HlmDBCds> m_store;

    int values(const QString& where = {}) { return m_fixture->count(u"tfis_datifiscali"_s, where); }

private slots:
    // Every test runs on each engine, on a fresh store with the structure of
    // the table TPROVA for 2024 and a store of that year.
    void initTestCase_data() { TestDatabases::addEngineColumns(); }
    void init()
    {
        QFETCH_GLOBAL(QString, engine);
        m_fixture = std::make_unique<StoreFixture>(engine);
        CU_REQUIRE_STORE(*m_fixture);
        m_fixture->addStructure(u"TPROVA"_s, 2024, ValueFields);
        m_store = std::make_unique<HlmDBCds>(m_fixture->connection());
        cu::test::setStoreYear(*m_store);
    }
    void cleanup()
    {
        m_store.reset();
        m_fixture.reset();
    }

    void valuesRoundTrip()
    {
        struct Row
        {
            QString name;
            Currency amount;
            qint64 years;
            QDate date;
            QString flag;
        };
        const QVector<Row> rows{{u"D'ANGELO"_s, money("12345678901234.5678"), 42, QDate(2024, 2, 29), u"0"_s},
                                {u"àèìòù \"virgolette\""_s, money("-0.0001"), -7, QDate(1900, 1, 1), u"X"_s},
                                {u"x'; DROP TABLE tfis_datifiscali; --"_s, money("0.3"), 1, QDate(), u"1"_s}};
        Dataset dataset;
        m_store->open(dataset, u"TPROVA"_s);
        for (const Row& row : rows)
            appendValues(dataset, row.name, row.amount, row.years, row.date, row.flag);
        // Empty records (the zero date is no date) store nothing.
        appendValues(dataset, QString(), Currency());
        appendValues(dataset, QString(), Currency(), 0, QDate(1899, 12, 30));
        m_store->save(dataset, u"TPROVA"_s);
        QVERIFY(!dataset.hasChanges());
        // Five values each, but no date in the third row; the flag "0" is stored.
        QCOMPARE(values(), 14);
        Dataset reread;
        m_store->open(reread, u"TPROVA"_s);
        QCOMPARE(reread.recordCount(), rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            reread.setRecNo(i);
            QCOMPARE(reread.asString(u"SNOME"), rows[i].name);
            QCOMPARE(reread.asCurrency(u"FIMPORTO"), rows[i].amount);
            QCOMPARE(reread.asInteger(u"IANNI"), rows[i].years);
            QCOMPARE(reread.asDate(u"DDATA"), rows[i].date);
            QCOMPARE(reread.asString(u"LFLAG"), rows[i].flag);
            QCOMPARE(reread.asInteger(u"iFisRigo"), qint64(i + 1));
        }
        // The rows got their numbers in the saved dataset too.
        dataset.setRecNo(2);
        QCOMPARE(dataset.asInteger(u"iFisRigo"), qint64(3));
        QVERIFY(dataset.asInteger(u"iAfiID") > 0);
    }

    void structureOfLatestEarlierYear()
    {
        m_fixture->addStructure(u"TSOLO2025"_s, 2025, ValueFields);
        for (int year : {2022, 2023, 2025})
            m_fixture->addStructure(u"TANNI"_s, year, {{u"S%1"_s.arg(year), FieldType::String, 5}});
        Dataset dataset;
        m_store->open(dataset, u"tanni"_s);
        QVERIFY(dataset.hasField(u"S2023"));
        QVERIFY(!dataset.hasField(u"S2025"));
        try {
            m_store->open(dataset, u"TSOLO2025"_s);
            QFAIL("a structure of a later year served");
        } catch (const EZfError& e) {
            QCOMPARE(e.message(), u"Impossibile trovare il ClientDataSet (TSOLO2025)."_s);
        }
        // A save to a table without structure keeps nothing of the change.
        m_store->open(dataset, u"TANNI"_s);
        cu::test::appendRow(dataset, {{u"S2023"_s, u"x"_s}});
        QVERIFY_THROWS_EXCEPTION(EZfError, m_store->save(dataset, u"TSCONOSCIUTA"_s));
        QVERIFY(!dataset.hasChanges());
        QCOMPARE(dataset.recordCount(), 0);
    }

    void modificationRewritesSameRow()
    {
        Dataset dataset;
        m_store->open(dataset, u"TPROVA"_s);
        appendValues(dataset, u"primo"_s, money("10"), 1, QDate(2024, 1, 1), u"X"_s);
        appendValues(dataset, u"secondo"_s, money("20"), 2, QDate(2024, 1, 2), u"X"_s);
        m_store->save(dataset, u"TPROVA"_s);
        // Edited twice without reopening: the row keeps its number.
        for (const char* value : {"10.50", "11.75"}) {
            dataset.setRecNo(0);
            dataset.edit();
            dataset.setValue(u"FIMPORTO", cu::test::amount(value));
            dataset.setValue(u"IANNI", 0);
            dataset.post();
            m_store->save(dataset, u"TPROVA"_s);
        }
        QCOMPARE(values(u"ifisrigo = 1"_s), 4);
        QCOMPARE(values(u"ifisrigo = 2"_s), 5);
        QCOMPARE(values(u"ifisrigo > 2"_s), 0);
        QCOMPARE(m_fixture->count(u"tcds_struttura"_s, u"icdsrigo = 2"_s), 1);
        Dataset reread;
        m_store->open(reread, u"TPROVA"_s);
        QCOMPARE(reread.recordCount(), 2);
        reread.first();
        QCOMPARE(reread.asCurrency(u"FIMPORTO"), money("11.75"));
        QVERIFY(reread.isNull(u"IANNI"));
        QCOMPARE(reread.asString(u"SNOME"), u"primo"_s);
        // A deleted row loses its values only.
        reread.last();
        reread.remove();
        m_store->save(reread, u"TPROVA"_s);
        QCOMPARE(values(u"ifisrigo = 2"_s), 0);
        QCOMPARE(values(), 4);
    }

    void personTable()
    {
        m_fixture->addStructure(u"TPERSONE"_s, 2024, PersonFields, true, false, PersonMap);
        Dataset dataset;
        m_store->open(dataset, u"TPERSONE"_s);
        cu::test::appendRow(dataset, {{u"SCODFIS"_s, u"RSSMRA80A01H501U"_s},
                                      {u"SCOGNOME"_s, u"ROSSI"_s},
                                      {u"SMATR"_s, u"123"_s},
                                      {u"SQUAL"_s, u"A1"_s},
                                      {u"FIMPORTO"_s, cu::test::amount("5")}});
        m_store->save(dataset, u"TPERSONE"_s);
        // Mapped fields live in the person row only; the group joins its fields.
        QCOMPARE(m_fixture->count(u"tafi_anafiscale"_s, u"saficodfiscale = 'RSSMRA80A01H501U' AND saficognome"
                                                        " = 'ROSSI' AND safigruppoana = '123A1'"_s),
                 1);
        QCOMPARE(values(), 3); // SMATR, SQUAL, FIMPORTO
        Dataset reread;
        m_store->open(reread, u"TPERSONE"_s);
        QCOMPARE(reread.recordCount(), 1);
        QCOMPARE(reread.asString(u"SCOGNOME"), u"ROSSI"_s);
        QCOMPARE(reread.asString(u"SCODFIS"), u"RSSMRA80A01H501U"_s);
        QCOMPARE(reread.asInteger(u"iAfiID"), dataset.asInteger(u"iAfiID"));
        reread.remove();
        m_store->save(reread, u"TPERSONE"_s);
        QCOMPARE(m_fixture->count(u"tafi_anafiscale"_s), 0);
        QCOMPARE(values(), 0);
    }

    void sectionFindsPersonByFiscalCodeAndGroup()
    {
        m_fixture->addStructure(u"TPERSONE"_s, 2024, PersonFields, true, false, PersonMap);
        m_fixture->addStructure(u"TRIGHE"_s, 2024, PersonFields, false, true,
                                u"saficodfiscale=SCODFIS;safigruppoana=SMATR+SQUAL"_s);
        Dataset persons;
        m_store->open(persons, u"TPERSONE"_s);
        for (const QString& group : {u"A1"_s, u"B2"_s})
            cu::test::appendRow(
                persons, {{u"SCODFIS"_s, u"RSSMRA80A01H501U"_s}, {u"SMATR"_s, u"1"_s}, {u"SQUAL"_s, group}});
        m_store->save(persons, u"TPERSONE"_s);
        persons.setRecNo(1);
        const qint64 secondPerson = persons.asInteger(u"iAfiID");
        // Found by fiscal code (in any case) and group; a read-only mapping
        // never changes the person.
        Dataset rows;
        m_store->open(rows, u"TRIGHE"_s);
        cu::test::appendRow(rows, {{u"SCODFIS"_s, u"rssmra80a01h501u"_s},
                                   {u"SMATR"_s, u"1"_s},
                                   {u"SQUAL"_s, u"B2"_s},
                                   {u"FIMPORTO"_s, cu::test::amount("7")}});
        m_store->save(rows, u"TRIGHE"_s);
        QCOMPARE(rows.asInteger(u"iAfiID"), secondPerson);
        QCOMPARE(m_fixture->count(u"tafi_anafiscale"_s), 2);
        QCOMPARE(m_fixture->count(u"tafi_anafiscale"_s, u"saficodfiscale = 'RSSMRA80A01H501U'"_s), 2);
        Dataset reread;
        m_store->open(reread, u"TRIGHE"_s);
        QCOMPARE(reread.recordCount(), 1);
        QCOMPARE(reread.asString(u"SCODFIS"), u"RSSMRA80A01H501U"_s);
    }

    void monthsAndPersonsKeptApart()
    {
        Dataset dataset;
        m_store->open(dataset, u"TPROVA"_s);
        appendValues(dataset, u"giugno"_s, money("6"));
        m_store->save(dataset, u"TPROVA"_s, 6, 2024);
        appendValues(dataset, u"dicembre"_s, money("12"));
        m_store->save(dataset, u"TPROVA"_s, 12, 2024);
        appendValues(dataset, u"anno 2025"_s, money("1"));
        m_store->save(dataset, u"TPROVA"_s, 12, 2025);
        const qint64 nextYear = dataset.asInteger(u"iAfiID");
        Dataset june;
        m_store->open(june, u"TPROVA"_s, -1, 6, 2024);
        QCOMPARE(june.recordCount(), 1);
        QCOMPARE(june.asString(u"SNOME"), u"giugno"_s);
        Dataset all;
        m_store->open(all, u"TPROVA"_s, -1, -1, 2024);
        QCOMPARE(all.recordCount(), 2);
        Dataset onePerson;
        m_store->open(onePerson, u"TPROVA"_s, int(nextYear), -1, 2025);
        QCOMPARE(onePerson.recordCount(), 1);
        QCOMPARE(onePerson.asString(u"SNOME"), u"anno 2025"_s);
        QCOMPARE(m_fixture->count(u"tcrf_crofiscale"_s), 3);
    }

    void failedSaveLeavesNothing()
    {
        QVector<FieldDef> fields = ValueFields;
        fields.append({u"SRIFIUTATO"_s, FieldType::String, 10});
        m_fixture->addStructure(u"TRIFIUTI"_s, 2024, fields);
        // The value column refuses one field's values.
        const QStringList refusal =
            m_fixture->database().engine() == TestDatabases::Sqlite
                ? QStringList{u"CREATE TRIGGER tr_rifiuta BEFORE INSERT ON tfis_datifiscali WHEN"
                              " NEW.sfisfieldname = 'SRIFIUTATO' BEGIN SELECT RAISE(ABORT, 'valore rifiutato'); END"_s}
                : QStringList{
                      u"CREATE FUNCTION rifiuta() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN IF"
                      " NEW.sfisfieldname = 'SRIFIUTATO' THEN RAISE EXCEPTION 'valore rifiutato'; END IF;"
                      " RETURN NEW; END $$"_s,
                      u"CREATE TRIGGER tr_rifiuta BEFORE INSERT ON tfis_datifiscali FOR EACH ROW EXECUTE"
                      " FUNCTION rifiuta()"_s};
        for (const QString& sql : refusal)
            cu::test::execute(m_fixture->connection(), sql);
        Dataset dataset;
        m_store->open(dataset, u"TRIFIUTI"_s);
        appendValues(dataset, u"buono"_s, money("1"), 1);
        m_store->save(dataset, u"TRIFIUTI"_s);
        const QStringList before = m_fixture->dump();
        appendValues(dataset, u"nuovo"_s, money("2"), 2, QDate(2024, 5, 5));
        dataset.first();
        dataset.edit();
        dataset.setValue(u"SNOME", u"cambiato"_s);
        dataset.setValue(u"SRIFIUTATO", u"no"_s);
        dataset.post();
        try {
            m_store->save(dataset, u"TRIFIUTI"_s);
            QFAIL("the refused value was saved");
        } catch (const DatabaseError& e) {
            QVERIFY2(e.message().contains(u"valore rifiutato"_s), qPrintable(e.message()));
        }
        QCOMPARE(m_fixture->dump(), before);
        QVERIFY(!m_fixture->connection().inTransaction());
        QVERIFY(!dataset.hasChanges());
        QCOMPARE(dataset.recordCount(), 1);
        dataset.first();
        QCOMPARE(dataset.asString(u"SNOME"), u"buono"_s);
        // The store works on after the failure.
        appendValues(dataset, u"dopo"_s, money("3"), 3);
        m_store->save(dataset, u"TRIFIUTI"_s);
        QCOMPARE(values(u"ifisrigo = 2"_s), 3);
    }

    void outerTransactionDecides()
    {
        Dataset dataset;
        m_store->open(dataset, u"TPROVA"_s);
        {
            Transaction outer(m_fixture->connection());
            appendValues(dataset, u"annullato"_s, money("1"), 1);
            m_store->save(dataset, u"TPROVA"_s);
            QVERIFY(m_fixture->connection().inTransaction());
            QCOMPARE(values(), 3);
        } // rolled back
        QCOMPARE(values(), 0);
        QCOMPARE(m_fixture->count(u"tcds_struttura"_s, u"icdsrigo = 0"_s), 1);
    }

    void mappingErrors()
    {
        m_fixture->addStructure(u"TSENZAGRUPPO"_s, 2024, ValueFields, false, false,
                                u"saficodfiscale=SNOME;safigruppoana=SNOME+SMANCANTE"_s);
        m_fixture->addStructure(u"TINIEZIONE"_s, 2024, ValueFields, false, false,
                                u"saficodfiscale=SNOME;iafiid=1 WHERE 1=1; --=SNOME"_s);
        Dataset dataset;
        QVERIFY_THROWS_EXCEPTION(EAssertion, m_store->open(dataset, u"TINIEZIONE"_s));
        m_store->open(dataset, u"TSENZAGRUPPO"_s);
        appendValues(dataset, u"x"_s, money("1"), 1);
        QVERIFY_THROWS_EXCEPTION(EAssertion, m_store->save(dataset, u"TSENZAGRUPPO"_s));
        QVERIFY(!dataset.hasChanges());
        QCOMPARE(values(), 0);
    }
};

QTEST_GUILESS_MAIN(TestHlmDBCds)
#include "test_hlmdbcds.moc"
