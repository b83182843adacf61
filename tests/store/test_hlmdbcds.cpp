// The field-value store on SQLite and PostgreSQL: what a save writes, what an
// open reads back, person rows, structures by year, months and persons,
// failures that leave nothing behind.
#include "foundation/database/SqlQuery.h"
#include "foundation/database/StoreStatement.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/ScriptedOperator.h"
#include "store/HlmDBCds.h"
#include "support/StoreFixture.h"

#include <QtTest>

using namespace cu;
using cu::test::StoreFixture;

namespace {

const QVector<FieldDef> ValueFields{{QStringLiteral("SNOME"), FieldType::String, 40},
                                    {QStringLiteral("FIMPORTO"), FieldType::Currency, 0},
                                    {QStringLiteral("IANNI"), FieldType::Integer, 0},
                                    {QStringLiteral("DDATA"), FieldType::Date, 0},
                                    {QStringLiteral("LFLAG"), FieldType::String, 1}};

const QVector<FieldDef> PersonFields{{QStringLiteral("SCODFIS"), FieldType::String, 16},
                                     {QStringLiteral("SCOGNOME"), FieldType::String, 60},
                                     {QStringLiteral("SMATR"), FieldType::String, 10},
                                     {QStringLiteral("SQUAL"), FieldType::String, 10},
                                     {QStringLiteral("FIMPORTO"), FieldType::Currency, 0}};

const QString PersonMap =
    QStringLiteral("saficognome=SCOGNOME;saficodfiscale=SCODFIS;safigruppoana=SMATR+SQUAL");

Currency amount(const char* text)
{
    return *Currency::parse(QString::fromLatin1(text));
}

std::unique_ptr<HlmDBCds> storeOf(StoreFixture& fixture, int year = 2024)
{
    static ScriptedOperator op;
    auto store = std::make_unique<HlmDBCds>(fixture.connection(), op);
    store->setProgramme(QStringLiteral("eli"));
    store->setYear(year);
    store->setMonth(-1);
    return store;
}

void appendValues(Dataset& dataset, const QString& name, const Currency& money, qint64 years,
                  const QDate& date, const QString& flag)
{
    dataset.append();
    dataset.setValue(u"SNOME", name);
    dataset.setValue(u"FIMPORTO", QVariant::fromValue(money));
    dataset.setValue(u"IANNI", years);
    dataset.setValue(u"DDATA", date);
    dataset.setValue(u"LFLAG", flag);
    dataset.post();
}

} // namespace

class TestHlmDBCds : public QObject
{
    Q_OBJECT

private slots:
    void emptyRecordStoresNothing_data() { cu::test::TestDatabases::addEngineColumns(); }
    void emptyRecordStoresNothing();
    void valuesRoundTrip_data() { cu::test::TestDatabases::addEngineColumns(); }
    void valuesRoundTrip();
    void structureOfLatestEarlierYear_data() { cu::test::TestDatabases::addEngineColumns(); }
    void structureOfLatestEarlierYear();
    void modificationRewritesSameRow_data() { cu::test::TestDatabases::addEngineColumns(); }
    void modificationRewritesSameRow();
    void personTable_data() { cu::test::TestDatabases::addEngineColumns(); }
    void personTable();
    void sectionFindsPersonByFiscalCodeAndGroup_data() { cu::test::TestDatabases::addEngineColumns(); }
    void sectionFindsPersonByFiscalCodeAndGroup();
    void monthsAndPersonsKeptApart_data() { cu::test::TestDatabases::addEngineColumns(); }
    void monthsAndPersonsKeptApart();
    void failedSaveLeavesNothing_data() { cu::test::TestDatabases::addEngineColumns(); }
    void failedSaveLeavesNothing();
    void outerTransactionDecides_data() { cu::test::TestDatabases::addEngineColumns(); }
    void outerTransactionDecides();
    void mappingErrors_data() { cu::test::TestDatabases::addEngineColumns(); }
    void mappingErrors();
};

void TestHlmDBCds::emptyRecordStoresNothing()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    fixture.addStructure(QStringLiteral("TPROVA"), 2024, ValueFields);
    auto store = storeOf(fixture);

    Dataset dataset;
    store->open(dataset, QStringLiteral("TPROVA"));
    QCOMPARE(dataset.recordCount(), 0);
    appendValues(dataset, QString(), Currency(), 0, QDate(), QString());
    appendValues(dataset, QString(), Currency(), 0, QDate(1899, 12, 30), QString());
    store->save(dataset, QStringLiteral("TPROVA"));
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali")), 0);
    QVERIFY(!dataset.hasChanges());

    Dataset reread;
    store->open(reread, QStringLiteral("TPROVA"));
    QCOMPARE(reread.recordCount(), 0);
}

void TestHlmDBCds::valuesRoundTrip()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    fixture.addStructure(QStringLiteral("TPROVA"), 2024, ValueFields);
    auto store = storeOf(fixture);

    struct Row
    {
        QString name;
        Currency money;
        qint64 years;
        QDate date;
        QString flag;
    };
    const QVector<Row> rows{{QStringLiteral("D'ANGELO"), amount("12345678901234.5678"), 42,
                             QDate(2024, 2, 29), QStringLiteral("0")},
                            {QStringLiteral("àèìòù \"virgolette\""), amount("-0.0001"), -7, QDate(1900, 1, 1),
                             QStringLiteral("X")},
                            {QStringLiteral("x'; DROP TABLE tfis_datifiscali; --"), amount("0.3"), 1, QDate(),
                             QStringLiteral("1")}};
    Dataset dataset;
    store->open(dataset, QStringLiteral("TPROVA"));
    for (const Row& row : rows)
        appendValues(dataset, row.name, row.money, row.years, row.date, row.flag);
    store->save(dataset, QStringLiteral("TPROVA"));
    // Five values each, but no date in the third row; the flag "0" is stored.
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali")), 14);

    Dataset reread;
    store->open(reread, QStringLiteral("TPROVA"));
    QCOMPARE(reread.recordCount(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        reread.setRecNo(i);
        QCOMPARE(reread.asString(u"SNOME"), rows[i].name);
        QCOMPARE(reread.asCurrency(u"FIMPORTO"), rows[i].money);
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

void TestHlmDBCds::structureOfLatestEarlierYear()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    fixture.addStructure(QStringLiteral("TSOLO2025"), 2025, ValueFields);
    fixture.addStructure(QStringLiteral("TANNI"), 2022, {{QStringLiteral("S2022"), FieldType::String, 5}});
    fixture.addStructure(QStringLiteral("TANNI"), 2023, {{QStringLiteral("S2023"), FieldType::String, 5}});
    fixture.addStructure(QStringLiteral("TANNI"), 2025, {{QStringLiteral("S2025"), FieldType::String, 5}});
    auto store = storeOf(fixture, 2024);

    Dataset dataset;
    store->open(dataset, QStringLiteral("tanni"));
    QVERIFY(dataset.hasField(u"S2023"));
    QVERIFY(!dataset.hasField(u"S2025"));
    try {
        store->open(dataset, QStringLiteral("TSOLO2025"));
        QFAIL("a structure of a later year served");
    } catch (const EZfError& e) {
        QCOMPARE(e.message(), QStringLiteral("Impossibile trovare il ClientDataSet (TSOLO2025)."));
    }
    // A save to a table without structure keeps nothing of the change.
    store->open(dataset, QStringLiteral("TANNI"));
    dataset.append();
    dataset.setValue(u"S2023", QStringLiteral("x"));
    dataset.post();
    QVERIFY_THROWS_EXCEPTION(EZfError, store->save(dataset, QStringLiteral("TSCONOSCIUTA")));
    QVERIFY(!dataset.hasChanges());
    QCOMPARE(dataset.recordCount(), 0);
}

void TestHlmDBCds::modificationRewritesSameRow()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    fixture.addStructure(QStringLiteral("TPROVA"), 2024, ValueFields);
    auto store = storeOf(fixture);

    Dataset dataset;
    store->open(dataset, QStringLiteral("TPROVA"));
    appendValues(dataset, QStringLiteral("primo"), amount("10"), 1, QDate(2024, 1, 1), QStringLiteral("X"));
    appendValues(dataset, QStringLiteral("secondo"), amount("20"), 2, QDate(2024, 1, 2), QStringLiteral("X"));
    store->save(dataset, QStringLiteral("TPROVA"));

    // Edited twice without reopening: the row keeps its number.
    for (const char* value : {"10.50", "11.75"}) {
        dataset.setRecNo(0);
        dataset.edit();
        dataset.setValue(u"FIMPORTO", QVariant::fromValue(amount(value)));
        dataset.setValue(u"IANNI", 0);
        dataset.post();
        store->save(dataset, QStringLiteral("TPROVA"));
    }
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali"), QStringLiteral("ifisrigo = 1")), 4);
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali"), QStringLiteral("ifisrigo = 2")), 5);
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali"), QStringLiteral("ifisrigo > 2")), 0);
    QCOMPARE(fixture.count(QStringLiteral("tcds_struttura"), QStringLiteral("icdsrigo = 2")), 1);

    Dataset reread;
    store->open(reread, QStringLiteral("TPROVA"));
    QCOMPARE(reread.recordCount(), 2);
    reread.first();
    QCOMPARE(reread.asCurrency(u"FIMPORTO"), amount("11.75"));
    QVERIFY(reread.isNull(u"IANNI"));
    QCOMPARE(reread.asString(u"SNOME"), QStringLiteral("primo"));

    // A deleted row loses its values only.
    reread.last();
    reread.remove();
    store->save(reread, QStringLiteral("TPROVA"));
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali"), QStringLiteral("ifisrigo = 2")), 0);
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali")), 4);
}

void TestHlmDBCds::personTable()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    fixture.addStructure(QStringLiteral("TPERSONE"), 2024, PersonFields, true, false, PersonMap);
    auto store = storeOf(fixture);

    Dataset dataset;
    store->open(dataset, QStringLiteral("TPERSONE"));
    dataset.append();
    dataset.setValue(u"SCODFIS", QStringLiteral("RSSMRA80A01H501U"));
    dataset.setValue(u"SCOGNOME", QStringLiteral("ROSSI"));
    dataset.setValue(u"SMATR", QStringLiteral("123"));
    dataset.setValue(u"SQUAL", QStringLiteral("A1"));
    dataset.setValue(u"FIMPORTO", QVariant::fromValue(amount("5")));
    dataset.post();
    store->save(dataset, QStringLiteral("TPERSONE"));

    // Mapped fields live in the person row only; the group joins its fields.
    QCOMPARE(fixture.count(QStringLiteral("tafi_anafiscale"),
                           QStringLiteral("saficodfiscale = 'RSSMRA80A01H501U' AND saficognome = 'ROSSI'"
                                          " AND safigruppoana = '123A1'")),
             1);
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali")), 3); // SMATR, SQUAL, FIMPORTO

    Dataset reread;
    store->open(reread, QStringLiteral("TPERSONE"));
    QCOMPARE(reread.recordCount(), 1);
    QCOMPARE(reread.asString(u"SCOGNOME"), QStringLiteral("ROSSI"));
    QCOMPARE(reread.asString(u"SCODFIS"), QStringLiteral("RSSMRA80A01H501U"));
    QCOMPARE(reread.asInteger(u"iAfiID"), dataset.asInteger(u"iAfiID"));

    reread.remove();
    store->save(reread, QStringLiteral("TPERSONE"));
    QCOMPARE(fixture.count(QStringLiteral("tafi_anafiscale")), 0);
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali")), 0);
}

void TestHlmDBCds::sectionFindsPersonByFiscalCodeAndGroup()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    fixture.addStructure(QStringLiteral("TPERSONE"), 2024, PersonFields, true, false, PersonMap);
    fixture.addStructure(QStringLiteral("TRIGHE"), 2024, PersonFields, false, true,
                         QStringLiteral("saficodfiscale=SCODFIS;safigruppoana=SMATR+SQUAL"));
    auto store = storeOf(fixture);

    Dataset persons;
    store->open(persons, QStringLiteral("TPERSONE"));
    for (const QString& group : {QStringLiteral("A1"), QStringLiteral("B2")}) {
        persons.append();
        persons.setValue(u"SCODFIS", QStringLiteral("RSSMRA80A01H501U"));
        persons.setValue(u"SMATR", QStringLiteral("1"));
        persons.setValue(u"SQUAL", group);
        persons.post();
    }
    store->save(persons, QStringLiteral("TPERSONE"));
    persons.setRecNo(1);
    const qint64 secondPerson = persons.asInteger(u"iAfiID");

    // Found by fiscal code (in any case) and group; a read-only mapping
    // never changes the person.
    Dataset rows;
    store->open(rows, QStringLiteral("TRIGHE"));
    rows.append();
    rows.setValue(u"SCODFIS", QStringLiteral("rssmra80a01h501u"));
    rows.setValue(u"SMATR", QStringLiteral("1"));
    rows.setValue(u"SQUAL", QStringLiteral("B2"));
    rows.setValue(u"FIMPORTO", QVariant::fromValue(amount("7")));
    rows.post();
    store->save(rows, QStringLiteral("TRIGHE"));
    QCOMPARE(rows.asInteger(u"iAfiID"), secondPerson);
    QCOMPARE(fixture.count(QStringLiteral("tafi_anafiscale")), 2);
    QCOMPARE(fixture.count(QStringLiteral("tafi_anafiscale"),
                           QStringLiteral("saficodfiscale = 'RSSMRA80A01H501U'")),
             2);

    Dataset reread;
    store->open(reread, QStringLiteral("TRIGHE"));
    QCOMPARE(reread.recordCount(), 1);
    QCOMPARE(reread.asString(u"SCODFIS"), QStringLiteral("RSSMRA80A01H501U"));
}

void TestHlmDBCds::monthsAndPersonsKeptApart()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    fixture.addStructure(QStringLiteral("TPROVA"), 2024, ValueFields);
    auto store = storeOf(fixture);

    Dataset dataset;
    store->open(dataset, QStringLiteral("TPROVA"));
    appendValues(dataset, QStringLiteral("giugno"), amount("6"), 6, QDate(), QString());
    store->save(dataset, QStringLiteral("TPROVA"), 6, 2024);
    appendValues(dataset, QStringLiteral("dicembre"), amount("12"), 12, QDate(), QString());
    store->save(dataset, QStringLiteral("TPROVA"), 12, 2024);
    appendValues(dataset, QStringLiteral("anno 2025"), amount("1"), 1, QDate(), QString());
    store->save(dataset, QStringLiteral("TPROVA"), 12, 2025);
    const qint64 nextYear = dataset.asInteger(u"iAfiID");

    Dataset june;
    store->open(june, QStringLiteral("TPROVA"), -1, 6, 2024);
    QCOMPARE(june.recordCount(), 1);
    QCOMPARE(june.asString(u"SNOME"), QStringLiteral("giugno"));

    Dataset all;
    store->open(all, QStringLiteral("TPROVA"), -1, -1, 2024);
    QCOMPARE(all.recordCount(), 2);

    Dataset onePerson;
    store->open(onePerson, QStringLiteral("TPROVA"), int(nextYear), -1, 2025);
    QCOMPARE(onePerson.recordCount(), 1);
    QCOMPARE(onePerson.asString(u"SNOME"), QStringLiteral("anno 2025"));
    QCOMPARE(fixture.count(QStringLiteral("tcrf_crofiscale")), 3);
}

void TestHlmDBCds::failedSaveLeavesNothing()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    QVector<FieldDef> fields = ValueFields;
    fields.append({QStringLiteral("SRIFIUTATO"), FieldType::String, 10});
    fixture.addStructure(QStringLiteral("TPROVA"), 2024, fields);
    auto store = storeOf(fixture);

    // The value column refuses one field's values.
    const QStringList refusal =
        engine == cu::test::TestDatabases::Sqlite
            ? QStringList{QStringLiteral("CREATE TRIGGER tr_rifiuta BEFORE INSERT ON tfis_datifiscali"
                                         " WHEN NEW.sfisfieldname = 'SRIFIUTATO'"
                                         " BEGIN SELECT RAISE(ABORT, 'valore rifiutato'); END")}
            : QStringList{QStringLiteral("CREATE FUNCTION rifiuta() RETURNS trigger LANGUAGE plpgsql AS $$"
                                         " BEGIN IF NEW.sfisfieldname = 'SRIFIUTATO' THEN"
                                         " RAISE EXCEPTION 'valore rifiutato'; END IF; RETURN NEW; END $$"),
                          QStringLiteral("CREATE TRIGGER tr_rifiuta BEFORE INSERT ON tfis_datifiscali"
                                         " FOR EACH ROW EXECUTE FUNCTION rifiuta()")};
    for (const QString& sql : refusal) {
        SqlQuery ddl(fixture.connection());
        ddl.setSql(sql);
        ddl.execute();
    }

    Dataset dataset;
    store->open(dataset, QStringLiteral("TPROVA"));
    appendValues(dataset, QStringLiteral("buono"), amount("1"), 1, QDate(), QString());
    store->save(dataset, QStringLiteral("TPROVA"));
    const QStringList before = fixture.dump();

    appendValues(dataset, QStringLiteral("nuovo"), amount("2"), 2, QDate(2024, 5, 5), QString());
    dataset.first();
    dataset.edit();
    dataset.setValue(u"SNOME", QStringLiteral("cambiato"));
    dataset.setValue(u"SRIFIUTATO", QStringLiteral("no"));
    dataset.post();
    try {
        store->save(dataset, QStringLiteral("TPROVA"));
        QFAIL("the refused value was saved");
    } catch (const DatabaseError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("valore rifiutato")), qPrintable(e.message()));
    }
    QCOMPARE(fixture.dump(), before);
    QVERIFY(!fixture.connection().inTransaction());
    QVERIFY(!dataset.hasChanges());
    QCOMPARE(dataset.recordCount(), 1);
    dataset.first();
    QCOMPARE(dataset.asString(u"SNOME"), QStringLiteral("buono"));

    // The store works on after the failure.
    appendValues(dataset, QStringLiteral("dopo"), amount("3"), 3, QDate(), QString());
    store->save(dataset, QStringLiteral("TPROVA"));
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali"), QStringLiteral("ifisrigo = 2")), 3);
}

void TestHlmDBCds::outerTransactionDecides()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    fixture.addStructure(QStringLiteral("TPROVA"), 2024, ValueFields);
    auto store = storeOf(fixture);

    Dataset dataset;
    store->open(dataset, QStringLiteral("TPROVA"));
    {
        Transaction outer(fixture.connection());
        appendValues(dataset, QStringLiteral("annullato"), amount("1"), 1, QDate(), QString());
        store->save(dataset, QStringLiteral("TPROVA"));
        QVERIFY(fixture.connection().inTransaction());
        QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali")), 3);
    } // rolled back
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali")), 0);
    QCOMPARE(fixture.count(QStringLiteral("tcds_struttura"), QStringLiteral("icdsrigo = 0")), 1);
}

void TestHlmDBCds::mappingErrors()
{
    QFETCH(QString, engine);
    StoreFixture fixture(engine);
    CU_REQUIRE_STORE(fixture);
    fixture.addStructure(QStringLiteral("TSENZAGRUPPO"), 2024, ValueFields, false, false,
                         QStringLiteral("saficodfiscale=SNOME;safigruppoana=SNOME+SMANCANTE"));
    fixture.addStructure(QStringLiteral("TINIEZIONE"), 2024, ValueFields, false, false,
                         QStringLiteral("saficodfiscale=SNOME;iafiid=1 WHERE 1=1; --=SNOME"));
    auto store = storeOf(fixture);

    for (const QString& table : {QStringLiteral("TSENZAGRUPPO"), QStringLiteral("TINIEZIONE")}) {
        Dataset dataset;
        if (table == u"TINIEZIONE") {
            QVERIFY_THROWS_EXCEPTION(EAssertion, store->open(dataset, table));
            continue;
        }
        store->open(dataset, table);
        appendValues(dataset, QStringLiteral("x"), amount("1"), 1, QDate(), QString());
        QVERIFY_THROWS_EXCEPTION(EAssertion, store->save(dataset, table));
        QVERIFY(!dataset.hasChanges());
    }
    QCOMPARE(fixture.count(QStringLiteral("tfis_datifiscali")), 0);
}

QTEST_GUILESS_MAIN(TestHlmDBCds)
#include "test_hlmdbcds.moc"
