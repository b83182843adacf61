// The in-memory dataset: structure, cursor, editing states, change log,
// hooks, orders, locate, typed values and signals.
#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"

#include <QSignalSpy>
#include <QTest>

using namespace cu;

namespace {

QVector<FieldDef> certificateFields()
{
    return {{QStringLiteral("SCUDCODFIS"), FieldType::String, 16},
            {QStringLiteral("SCUDMESE"), FieldType::String, 2},
            {QStringLiteral("iAfiID"), FieldType::Integer, 0},
            {QStringLiteral("FCUDIMPORTO"), FieldType::Currency, 0},
            {QStringLiteral("DCUDDATANAS"), FieldType::Date, 0},
            {QStringLiteral("LCUDFLAG"), FieldType::Boolean, 0}};
}

void addRow(Dataset& ds, const QString& code, const QString& month, qint64 id)
{
    ds.append();
    ds.setValue(u"SCUDCODFIS", code);
    ds.setValue(u"SCUDMESE", month);
    ds.setValue(u"IAFIID", id);
    ds.post();
}

QStringList column(Dataset& ds, QStringView field)
{
    QStringList values;
    for (ds.first(); !ds.eof(); ds.next())
        values << ds.asString(field);
    return values;
}

} // namespace

class TestDataset : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Dataset> ds;

private slots:
    void init()
    {
        ds = std::make_unique<Dataset>();
        ds->setFields(certificateFields());
        ds->open();
    }

    void fieldsAreFoundWithoutRegardToCase()
    {
        QCOMPARE(ds->fieldIndex(u"scudcodfis"), 0);
        QCOMPARE(ds->fieldIndex(u"IAFIID"), 2);
        QCOMPARE(ds->fieldIndex(u"missing"), -1);
        QVERIFY_THROWS_EXCEPTION(EAssertion, ds->requireField(u"missing"));
        Dataset twice;
        QVERIFY_THROWS_EXCEPTION(EAssertion, twice.setFields({{QStringLiteral("A"), FieldType::String, 1},
                                                              {QStringLiteral("a"), FieldType::Integer, 0}}));
    }

    void cursorWalksTheRows()
    {
        QCOMPARE(ds->recNo(), -1);
        QVERIFY(ds->bof() && ds->eof());
        addRow(*ds, "A", "01", 1);
        addRow(*ds, "B", "02", 2);
        addRow(*ds, "C", "03", 3);
        QCOMPARE(ds->recordCount(), 3);
        QCOMPARE(ds->recNo(), 2);
        ds->first();
        QVERIFY(ds->bof());
        QCOMPARE(ds->asString(u"SCUDCODFIS"), "A");
        ds->next();
        QCOMPARE(ds->asInteger(u"iafiid"), 2);
        ds->last();
        QVERIFY(ds->eof());
        ds->next();
        QCOMPARE(ds->recNo(), 2);
        // A loop over the rows visits the last one too.
        QStringList seen;
        for (ds->first(); !ds->eof(); ds->next())
            seen << ds->asString(u"SCUDCODFIS");
        QCOMPARE(seen, QStringList({"A", "B", "C"}));
        for (ds->last(); !ds->bof(); ds->prior())
            seen.removeOne(ds->asString(u"SCUDCODFIS"));
        QVERIFY(seen.isEmpty());
        QCOMPARE(ds->recNo(), 0);
        ds->next();
        QCOMPARE(ds->asString(u"SCUDMESE"), "02");
        QVERIFY(!ds->bof() && !ds->eof());
    }

    void insertPutsTheRowBeforeTheCurrentOne()
    {
        addRow(*ds, "A", "01", 1);
        addRow(*ds, "C", "03", 3);
        ds->first();
        ds->next();
        ds->insert();
        QCOMPARE(ds->recNo(), 1);
        ds->setValue(u"SCUDCODFIS", "B");
        ds->post();
        QCOMPARE(column(*ds, u"SCUDCODFIS"), QStringList({"A", "B", "C"}));
    }

    void statesFollowEditing()
    {
        QCOMPARE(ds->state(), Dataset::State::Browse);
        QVERIFY_THROWS_EXCEPTION(EAssertion, ds->setValue(u"SCUDMESE", "01"));
        ds->edit(); // on an empty dataset: a new row
        QCOMPARE(ds->state(), Dataset::State::Insert);
        ds->cancel();
        ds->append();
        QCOMPARE(ds->state(), Dataset::State::Insert);
        ds->setValue(u"SCUDMESE", "01");
        ds->cancel();
        QCOMPARE(ds->state(), Dataset::State::Browse);
        QCOMPARE(ds->recordCount(), 0);
        addRow(*ds, "A", "01", 1);
        QVERIFY(ds->editIfBrowsing());
        QVERIFY(!ds->editIfBrowsing());
        ds->setValue(u"SCUDMESE", "09");
        QCOMPARE(ds->asString(u"SCUDMESE"), "09");
        ds->cancel();
        QCOMPARE(ds->asString(u"SCUDMESE"), "01");
        ds->edit();
        ds->setValue(u"SCUDMESE", "09");
        ds->next(); // moving posts the edit
        QCOMPARE(ds->state(), Dataset::State::Browse);
        QCOMPARE(ds->asString(u"SCUDMESE"), "09");
    }

    void removeDeletesTheCurrentRow()
    {
        addRow(*ds, "A", "01", 1);
        addRow(*ds, "B", "02", 2);
        addRow(*ds, "C", "03", 3);
        ds->first();
        ds->next();
        ds->remove();
        QCOMPARE(ds->recordCount(), 2);
        QCOMPARE(ds->asString(u"SCUDCODFIS"), "C");
        ds->remove();
        QCOMPARE(ds->asString(u"SCUDCODFIS"), "A");
        ds->remove();
        QCOMPARE(ds->recNo(), -1);
        QVERIFY_THROWS_EXCEPTION(EAssertion, ds->remove());
    }

    void changeLogKeepsStatusAndOriginals()
    {
        addRow(*ds, "A", "01", 1);
        addRow(*ds, "B", "02", 2);
        addRow(*ds, "C", "03", 3);
        ds->mergeChangeLog();
        QVERIFY(!ds->hasChanges());

        // Inserted, then modified: still inserted.
        addRow(*ds, "D", "04", 4);
        ds->edit();
        ds->setValue(u"SCUDMESE", "05");
        ds->post();
        QCOMPARE(ds->rowStatus(), Dataset::RowStatus::Inserted);

        // Modified, then deleted: deleted with the original values.
        ds->first();
        ds->edit();
        ds->setValue(u"SCUDCODFIS", "A2");
        ds->post();
        QCOMPARE(ds->rowStatus(), Dataset::RowStatus::Modified);
        QCOMPARE(ds->oldValue(0).toString(), "A");
        ds->remove();

        // Modified only.
        ds->first(); // B
        ds->edit();
        ds->setValue(u"FCUDIMPORTO", "12.50");
        ds->post();

        // Inserted then deleted: leaves no trace.
        addRow(*ds, "E", "06", 5);
        ds->remove();

        const QVector<Dataset::Change> changes = ds->changes();
        QCOMPARE(changes.size(), 3);
        QCOMPARE(changes[0].status, Dataset::RowStatus::Deleted);
        QCOMPARE(changes[0].originalValue(0).toString(), "A");
        QVERIFY(changes[0].current.isEmpty());
        QCOMPARE(changes[0].value(0).toString(), "A");
        QCOMPARE(changes[1].status, Dataset::RowStatus::Modified);
        QVERIFY(changes[1].originalValue(3).isNull());
        QCOMPARE(changes[1].currentValue(3).value<Currency>(), Currency::fromRaw(125000));
        QCOMPARE(changes[2].status, Dataset::RowStatus::Inserted);
        QVERIFY(changes[2].original.isEmpty());
        QCOMPARE(changes[2].currentValue(1).toString(), "05");
    }

    void changesTellWhereRowsAreAndTakeAssignedKeys()
    {
        addRow(*ds, "A", "01", 0);
        addRow(*ds, "B", "02", 0);
        addRow(*ds, "C", "03", 7);
        ds->mergeChangeLog();
        ds->first();
        ds->remove(); // A
        ds->edit();   // B
        ds->setValue(u"SCUDMESE", "09");
        ds->post();
        addRow(*ds, "D", "04", 0);
        ds->setFilter(QStringLiteral("SCUDCODFIS <> 'D'"));
        QVector<Dataset::Change> changes = ds->changes();
        QCOMPARE(changes.size(), 3);
        QCOMPARE(changes[0].position, -1); // deleted
        QCOMPARE(changes[1].position, 0);  // B
        QCOMPARE(changes[2].position, -1); // D, hidden by the filter
        ds->assignChangeValue(changes[1], 2, 41);
        ds->assignChangeValue(changes[2], 2, "42");
        QVERIFY_THROWS_EXCEPTION(EAssertion, ds->assignChangeValue(changes[0], 2, 1));
        QCOMPARE(ds->asInteger(u"IAFIID"), 41);
        changes = ds->changes();
        QCOMPARE(changes[1].status, Dataset::RowStatus::Modified);
        QVERIFY(changes[1].originalValue(2).isNull() || changes[1].originalValue(2).toLongLong() == 0);
        QCOMPARE(changes[2].currentValue(2).toLongLong(), 42);
        ds->mergeChangeLog();
        QVERIFY(!ds->hasChanges());
    }

    // The change log is found from the end of a large dataset: an edit at
    // its start, rows inserted in the middle and many appended rows are all
    // found, with their positions, and a merge forgets every one of them.
    void changesAcrossALargeDataset()
    {
        for (int i = 0; i < 100; ++i)
            addRow(*ds, QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0')), "12", i);
        ds->mergeChangeLog();
        ds->first();
        ds->edit();
        ds->setValue(u"SCUDMESE", "06");
        ds->post();
        for (int i = 0; i < 40; ++i)
            addRow(*ds, QStringLiteral("N%1").arg(i), "12", 0);
        QVector<Dataset::Change> changes = ds->changes();
        QCOMPARE(changes.size(), 41);
        QCOMPARE(changes.first().position, 0);
        QCOMPARE(changes.first().status, Dataset::RowStatus::Modified);
        QCOMPARE(changes.last().position, 139);
        QCOMPARE(changes.last().currentValue(0).toString(), "N39");
        ds->mergeChangeLog();
        QVERIFY(!ds->hasChanges());
        QVERIFY(ds->changes().isEmpty());

        // A row inserted in the middle moves the records after it.
        ds->setRecNo(50);
        ds->insert();
        ds->setValue(u"SCUDCODFIS", "M");
        ds->post();
        addRow(*ds, "Z", "12", 0);
        changes = ds->changes();
        QCOMPARE(changes.size(), 2);
        QCOMPARE(changes[0].position, 50);
        QCOMPARE(changes[0].currentValue(0).toString(), "M");
        QCOMPARE(changes[1].position, 141);
        ds->setRecNo(10);
        ds->remove();
        QCOMPARE(ds->changes().size(), 3);
        ds->mergeChangeLog();
        QVERIFY(!ds->hasChanges());
        QCOMPARE(ds->recordCount(), 141);
    }

    void cancelUpdatesRestoresTheMergedState()
    {
        addRow(*ds, "A", "01", 1);
        addRow(*ds, "B", "02", 2);
        ds->mergeChangeLog();
        ds->first();
        ds->edit();
        ds->setValue(u"SCUDCODFIS", "Z");
        ds->post();
        ds->last();
        ds->remove();
        addRow(*ds, "C", "03", 3);
        ds->cancelUpdates();
        QVERIFY(!ds->hasChanges());
        QCOMPARE(column(*ds, u"SCUDCODFIS"), QStringList({"A", "B"}));
    }

    void mergeDropsDeletedRowsForGood()
    {
        addRow(*ds, "A", "01", 1);
        addRow(*ds, "B", "02", 2);
        ds->first();
        ds->remove();
        ds->mergeChangeLog();
        ds->cancelUpdates();
        QCOMPARE(column(*ds, u"SCUDCODFIS"), QStringList({"B"}));
    }

    void manyEditsKeepValuesAcrossCompaction()
    {
        for (int i = 0; i < 300; ++i)
            addRow(*ds, QStringLiteral("P%1").arg(i), "01", i);
        for (int round = 0; round < 30; ++round) {
            for (ds->first(); !ds->eof(); ds->next()) {
                ds->edit();
                ds->setValue(u"SCUDMESE", QStringLiteral("round %1 of a long text value").arg(round));
                ds->post();
            }
            ds->mergeChangeLog();
        }
        ds->setRecNo(123);
        QCOMPARE(ds->asString(u"SCUDCODFIS"), "P123");
        QCOMPARE(ds->asString(u"SCUDMESE"), "round 29 of a long text value");
        QVERIFY(!ds->hasChanges());
    }

    void beforePostThatRaisesKeepsTheEdit()
    {
        addRow(*ds, "A", "01", 1);
        ds->setBeforePost([](Dataset& d) {
            if (d.asString(u"SCUDMESE").isEmpty())
                throw EZfError(QStringLiteral("Mese obbligatorio"));
        });
        int afterPosts = 0;
        ds->setAfterPost([&](Dataset&) { ++afterPosts; });
        ds->edit();
        ds->setValue(u"SCUDMESE", QVariant());
        ds->setValue(u"SCUDCODFIS", "NEW");
        QVERIFY_THROWS_EXCEPTION(EZfError, ds->post());
        QCOMPARE(ds->state(), Dataset::State::Edit);
        QCOMPARE(ds->asString(u"SCUDCODFIS"), "NEW");
        QCOMPARE(afterPosts, 0);
        ds->setValue(u"SCUDMESE", "02");
        ds->post();
        QCOMPARE(afterPosts, 1);
        {
            Dataset::HookSuspension quiet(*ds);
            ds->edit();
            ds->setValue(u"SCUDMESE", QVariant());
            ds->post();
        }
        QCOMPARE(afterPosts, 1);
        QCOMPARE(ds->state(), Dataset::State::Browse);
    }

    void beforeDeleteThatRaisesKeepsTheRow()
    {
        addRow(*ds, "A", "01", 1);
        ds->setBeforeDelete([](Dataset&) { throw EZfError(QStringLiteral("no")); });
        QVERIFY_THROWS_EXCEPTION(EZfError, ds->remove());
        QCOMPARE(ds->recordCount(), 1);
        int afterDeletes = 0;
        ds->setBeforeDelete({});
        ds->setAfterDelete([&](Dataset& d) {
            ++afterDeletes;
            QCOMPARE(d.recordCount(), 0);
        });
        ds->remove();
        QCOMPARE(afterDeletes, 1);
    }

    void setValueConvertsToTheFieldType_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("text amount") << "FCUDIMPORTO" << QVariant("12.50")
                                     << QVariant::fromValue(Currency::fromRaw(125000));
        QTest::newRow("comma amount")
            << "FCUDIMPORTO" << QVariant(" -0,0001 ") << QVariant::fromValue(Currency::fromRaw(-1));
        QTest::newRow("integer amount")
            << "FCUDIMPORTO" << QVariant(7) << QVariant::fromValue(Currency::fromUnits(7));
        QTest::newRow("real amount rounded")
            << "FCUDIMPORTO" << QVariant(0.1 + 0.2) << QVariant::fromValue(Currency::fromRaw(3000));
        QTest::newRow("text integer") << "IAFIID" << QVariant(" 42 ") << QVariant(qint64(42));
        QTest::newRow("whole real integer") << "IAFIID" << QVariant(3.0) << QVariant(qint64(3));
        QTest::newRow("iso date") << "DCUDDATANAS" << QVariant("1970-03-21") << QVariant(QDate(1970, 3, 21));
        QTest::newRow("italian date")
            << "DCUDDATANAS" << QVariant("21/03/1970") << QVariant(QDate(1970, 3, 21));
        QTest::newRow("boolean text") << "LCUDFLAG" << QVariant("true") << QVariant(true);
        QTest::newRow("boolean one") << "LCUDFLAG" << QVariant(1) << QVariant(true);
        QTest::newRow("number to text") << "SCUDMESE" << QVariant(6) << QVariant("6");
        QTest::newRow("empty text is null") << "SCUDMESE" << QVariant("") << QVariant();
        QTest::newRow("blank amount is null") << "FCUDIMPORTO" << QVariant("  ") << QVariant();
    }

    void setValueConvertsToTheFieldType()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, input);
        QFETCH(QVariant, stored);
        ds->append();
        ds->setValue(field, input);
        QCOMPARE(ds->value(field), stored);
        ds->post();
        QCOMPARE(ds->value(field), stored);
    }

    void impossibleConversionNamesTheField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("input");
        QTest::newRow("thousands separator") << "FCUDIMPORTO" << QVariant("1.234,56");
        QTest::newRow("word amount") << "FCUDIMPORTO" << QVariant("dodici");
        QTest::newRow("fraction integer") << "IAFIID" << QVariant(2.5);
        QTest::newRow("bad date") << "DCUDDATANAS" << QVariant("31/02/2024");
        QTest::newRow("bad boolean") << "LCUDFLAG" << QVariant("forse");
        QTest::newRow("fractional amount to integer")
            << "IAFIID" << QVariant::fromValue(Currency::fromRaw(5));
    }

    void impossibleConversionNamesTheField()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, input);
        ds->append();
        try {
            ds->setValue(field, input);
            QFAIL("no error");
        } catch (const EZfError& e) {
            QVERIFY2(e.message().contains(field, Qt::CaseInsensitive), qPrintable(e.message()));
        }
        QCOMPARE(ds->state(), Dataset::State::Insert);
    }

    void smallIntegersStayInRange()
    {
        Dataset small;
        small.setFields({{QStringLiteral("N"), FieldType::SmallInt, 0}});
        small.open();
        small.append();
        small.setValue(u"N", -32768);
        QCOMPARE(small.asInteger(u"N"), -32768);
        QVERIFY_THROWS_EXCEPTION(EZfError, small.setValue(u"N", 40000));
    }

    void fieldValueFallsBackByType()
    {
        addRow(*ds, "A", QString(), 0);
        ds->edit();
        ds->setValue(u"IAFIID", QVariant());
        QCOMPARE(ds->fieldValue(u"SCUDMESE"), QVariant(QString("")));
        QCOMPARE(ds->fieldValue(u"SCUDMESE", "07"), QVariant("07"));
        QCOMPARE(ds->fieldValue(u"IAFIID"), QVariant(qint64(0)));
        QCOMPARE(ds->fieldValue(u"FCUDIMPORTO").value<Currency>(), Currency());
        QCOMPARE(ds->fieldValue(u"SCUDCODFIS", "X"), QVariant("A"));
        QCOMPARE(ds->fieldValue(u"NOSUCHFIELD", 5), QVariant(5));
        QVERIFY(ds->fieldValue(u"DCUDDATANAS").isNull());
        QCOMPARE(ds->asCurrency(u"FCUDIMPORTO"), Currency());
        QVERIFY(!ds->asDate(u"DCUDDATANAS").isValid());
    }

    void orderSortsByTypeAndStably()
    {
        Dataset people;
        people.setFields({{QStringLiteral("NAME"), FieldType::String, 20},
                          {QStringLiteral("N"), FieldType::Integer, 0},
                          {QStringLiteral("D"), FieldType::Date, 0},
                          {QStringLiteral("SEQ"), FieldType::Integer, 0}});
        people.open();
        const QList<std::tuple<QString, QVariant, QDate>> rows{
            {"b", 10, QDate(2024, 1, 2)}, {"a", 9, QDate(2023, 12, 31)},  {"b", 2, QDate(2024, 1, 10)},
            {"a", QVariant(), QDate()},   {"10", 100, QDate(2024, 1, 2)}, {"9", 2, QDate(2022, 5, 5)}};
        int seq = 0;
        for (const auto& [name, n, date] : rows) {
            people.append();
            people.setValue(u"NAME", name);
            people.setValue(u"N", n);
            people.setValue(u"D", date);
            people.setValue(u"SEQ", seq++);
            people.post();
        }
        people.setIndexFieldNames(QStringLiteral("N"));
        QCOMPARE(column(people, u"SEQ"), QStringList({"3", "2", "5", "1", "0", "4"}));
        people.setIndexFieldNames(QStringLiteral("NAME"));
        QCOMPARE(column(people, u"SEQ"), QStringList({"4", "5", "1", "3", "0", "2"}));
        people.setIndexFieldNames(QStringLiteral("d"));
        QCOMPARE(column(people, u"SEQ"), QStringList({"3", "5", "1", "0", "4", "2"}));
        people.setIndexFieldNames(QStringLiteral("NAME;N"));
        QCOMPARE(column(people, u"SEQ"), QStringList({"4", "5", "3", "1", "2", "0"}));
        people.setIndexFieldNames(QString());
        QCOMPARE(column(people, u"SEQ"), QStringList({"0", "1", "2", "3", "4", "5"}));
        QVERIFY_THROWS_EXCEPTION(EAssertion, people.setIndexFieldNames(QStringLiteral("NAME;NOPE")));
    }

    void orderLooksPastCommonBeginnings()
    {
        Dataset people;
        people.setFields({{QStringLiteral("NAME"), FieldType::String, 20},
                          {QStringLiteral("R"), FieldType::Float, 0},
                          {QStringLiteral("B"), FieldType::Blob, 0}});
        people.open();
        const QStringList names{"ROSSI MARIO", "ROSSI ANNA", "ROSS", "ROSSI", "ROSSI ANNA"};
        const QList<double> reals{-0.5, 2.0, -3.0, 0.0, 1e-9};
        for (int i = 0; i < names.size(); ++i) {
            people.append();
            people.setValue(u"NAME", names[i]);
            people.setValue(u"R", reals[i]);
            people.setValue(u"B", QByteArray("12345678") + QByteArray::number(9 - i));
            people.post();
        }
        people.setIndexFieldNames(QStringLiteral("NAME;R;B"));
        QCOMPARE(column(people, u"NAME"),
                 QStringList({"ROSS", "ROSSI", "ROSSI ANNA", "ROSSI ANNA", "ROSSI MARIO"}));
        QCOMPARE(column(people, u"R"), QStringList({"-3", "0", "1.0000000000000001e-09", "2", "-0.5"}));
        people.setIndexFieldNames(QStringLiteral("R"));
        QCOMPARE(column(people, u"NAME"),
                 QStringList({"ROSS", "ROSSI MARIO", "ROSSI", "ROSSI ANNA", "ROSSI ANNA"}));
        people.setIndexFieldNames(QStringLiteral("B"));
        QCOMPARE(column(people, u"R"), QStringList({"1.0000000000000001e-09", "0", "-3", "2", "-0.5"}));
    }

    void orderedViewPlacesPostedRows()
    {
        ds->setIndexFieldNames(QStringLiteral("SCUDCODFIS"));
        addRow(*ds, "M", "01", 1);
        addRow(*ds, "C", "01", 2);
        addRow(*ds, "X", "01", 3);
        QCOMPARE(column(*ds, u"SCUDCODFIS"), QStringList({"C", "M", "X"}));
        ds->first();
        ds->edit();
        ds->setValue(u"SCUDCODFIS", "Z");
        ds->post();
        QCOMPARE(ds->recNo(), 2);
        QCOMPARE(ds->asString(u"SCUDCODFIS"), "Z");
        QCOMPARE(column(*ds, u"SCUDCODFIS"), QStringList({"M", "X", "Z"}));
    }

    void filterHidesRowsAndFollowsPosts()
    {
        addRow(*ds, "A", "01", 1);
        addRow(*ds, "B", "06", 2);
        addRow(*ds, "A", "06", 3);
        ds->setFilter(QStringLiteral("SCUDCODFIS='A'"));
        QCOMPARE(ds->recordCount(), 2);
        QCOMPARE(ds->filter(), "SCUDCODFIS='A'");
        ds->first();
        ds->edit();
        ds->setValue(u"SCUDCODFIS", "C");
        ds->post();
        QCOMPARE(ds->recordCount(), 1);
        addRow(*ds, "Q", "01", 4);
        QCOMPARE(ds->recordCount(), 1);
        ds->setFilter(QString());
        QCOMPARE(ds->recordCount(), 4);
        QVERIFY_THROWS_EXCEPTION(EAssertion, ds->setFilter(QStringLiteral("SCUDCODFIS='A")));
    }

    void locateFindsTheFirstMatch()
    {
        addRow(*ds, "AAA", "01", 1);
        addRow(*ds, "bbb", "06", 2);
        addRow(*ds, "BBB", "06", 3);
        QVERIFY(ds->locate(QStringLiteral("SCUDCODFIS;SCUDMESE"), {"BBB", "06"}));
        QCOMPARE(ds->asInteger(u"IAFIID"), 3);
        QVERIFY(ds->locate(QStringLiteral("scudcodfis"), {"BBB"}, true));
        QCOMPARE(ds->asInteger(u"IAFIID"), 2);
        QVERIFY(ds->locate(QStringLiteral("IAFIID"), {"1"}));
        QCOMPARE(ds->recNo(), 0);
        QVERIFY(!ds->locate(QStringLiteral("SCUDCODFIS"), {"ZZZ"}));
        QCOMPARE(ds->recNo(), 0);
    }

    void quotedDoublesQuotes()
    {
        QCOMPARE(Dataset::quoted("O'BRIEN"), "'O''BRIEN'");
        QCOMPARE(Dataset::quoted(""), "''");
    }

    void signalsReportChanges()
    {
        QSignalSpy inserted(ds.get(), &Dataset::rowInserted);
        QSignalSpy changed(ds.get(), &Dataset::rowChanged);
        QSignalSpy removed(ds.get(), &Dataset::rowRemoved);
        QSignalSpy reset(ds.get(), &Dataset::rowsReset);
        QSignalSpy states(ds.get(), &Dataset::stateChanged);
        addRow(*ds, "A", "01", 1);
        addRow(*ds, "B", "01", 2);
        QCOMPARE(inserted.size(), 2);
        QCOMPARE(inserted.last().at(0).toInt(), 1);
        ds->first();
        ds->edit();
        ds->setValue(u"SCUDMESE", "02");
        ds->post();
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).toInt(), 0);
        ds->remove();
        QCOMPARE(removed.size(), 1);
        ds->setFilter(QStringLiteral("IAFIID=2"));
        QCOMPARE(reset.size(), 1);
        QCOMPARE(states.size(), 6);
    }

    void closeAndReopenKeepFields()
    {
        addRow(*ds, "A", "01", 1);
        ds->setFilter(QStringLiteral("IAFIID > 0"));
        ds->emptyDataset();
        QCOMPARE(ds->recordCount(), 0);
        QVERIFY(!ds->hasChanges());
        QCOMPARE(ds->filter(), "IAFIID > 0");
        addRow(*ds, "A", "01", 1);
        ds->close();
        QVERIFY(!ds->isActive());
        QCOMPARE(ds->fieldCount(), 6);
        ds->open();
        QCOMPARE(ds->recordCount(), 0);
        QVERIFY_THROWS_EXCEPTION(EAssertion, Dataset().append());
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "test_dataset.moc"
