// The dataset grid and the multi-select list: Italian number and date
// formats with a zero amount blank, columns in the order and with the
// captions given, sorting by value, rows hidden by the window's condition,
// marking with Space and with a click on the tick, "Prenotati: " counting
// the marked rows or all shown rows, the chosen keys following the grid's
// order, and the incremental search.
#include "foundation/dataset/Dataset.h"
#include "shell/common/DatasetGrid.h"
#include "shell/common/ItalianLocale.h"
#include "shell/common/MultiSelectList.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

using namespace cu;

namespace {

void fill(Dataset& people)
{
    people.setFields({{QStringLiteral("ID"), FieldType::Integer, 0},
                      {QStringLiteral("NOME"), FieldType::String, 40},
                      {QStringLiteral("CAT"), FieldType::String, 2},
                      {QStringLiteral("IMPORTO"), FieldType::Currency, 0},
                      {QStringLiteral("DATA"), FieldType::Date, 0}});
    people.open();
    const struct
    {
        int id;
        const char* name;
        const char* cat;
        const char* amount;
        QDate date;
    } rows[] = {{10, "VERDI ANNA", "A", "1234.5", QDate(2025, 2, 15)},
                {2, "ROSSI MARIO", "B", "0", QDate(2024, 12, 31)},
                {33, "BIANCHI LUCA", "A", "-7.25", QDate()}};
    for (const auto& row : rows) {
        people.append();
        people.setValue(u"ID", row.id);
        people.setValue(u"NOME", QString::fromLatin1(row.name));
        people.setValue(u"CAT", QString::fromLatin1(row.cat));
        people.setValue(u"IMPORTO", QString::fromLatin1(row.amount));
        people.setValue(u"DATA", row.date);
        people.post();
    }
}

const QVector<GridColumn> Columns = {{QStringLiteral("NOME"), QStringLiteral("Dipendente")},
                                     {QStringLiteral("ID"), QStringLiteral("Codice")},
                                     {QStringLiteral("IMPORTO"), QStringLiteral("Importo")},
                                     {QStringLiteral("DATA"), QStringLiteral("Data")}};

QString cell(const DatasetGrid& grid, int row, const QString& caption)
{
    const QHeaderView* header = grid.horizontalHeader();
    for (int section = 0; section < grid.model()->columnCount(); ++section)
        if (grid.model()->headerData(section, Qt::Horizontal).toString() == caption)
            return grid.model()->index(row, section).data().toString();
    return QStringLiteral("<%1?>").arg(caption) + QString::number(header->count());
}

} // namespace

class TestGrid : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installItalian(*QCoreApplication::instance()); }

    void italianFormatsAndCaptions()
    {
        Dataset people;
        fill(people);
        DatasetGrid grid;
        grid.setDataset(&people, Columns);
        QCOMPARE(grid.model()->columnCount(), 4); // CAT is not shown
        QStringList visualOrder;
        for (int visual = 0; visual < 4; ++visual)
            visualOrder.append(grid.model()
                                   ->headerData(grid.horizontalHeader()->logicalIndex(visual), Qt::Horizontal)
                                   .toString());
        QCOMPARE(visualOrder, QStringList({"Dipendente", "Codice", "Importo", "Data"}));
        QCOMPARE(cell(grid, 0, QStringLiteral("Importo")), QStringLiteral("1.234,50"));
        QCOMPARE(cell(grid, 1, QStringLiteral("Importo")), QString());
        QCOMPARE(cell(grid, 2, QStringLiteral("Importo")), QStringLiteral("-7,25"));
        QCOMPARE(cell(grid, 0, QStringLiteral("Data")), QStringLiteral("15/02/2025"));
    }

    void sortsByValueAndFilters()
    {
        Dataset people;
        fill(people);
        DatasetGrid grid;
        grid.setDataset(&people, Columns);
        grid.sortByField(QStringLiteral("ID"));
        QCOMPARE(cell(grid, 0, QStringLiteral("Codice")), QStringLiteral("2"));
        QCOMPARE(cell(grid, 1, QStringLiteral("Codice")), QStringLiteral("10")); // 10 after 2: by value
        grid.setRowCondition([&](int row) { return people.valueAt(row, people.fieldIndex(u"CAT")).toString() == u"A"; });
        QCOMPARE(grid.model()->rowCount(), 2);
        QCOMPARE(grid.visibleRows(), QVector<int>({0, 2}));
    }

    void marksAndCount()
    {
        Dataset people;
        fill(people);
        MultiSelectList list;
        list.setDataset(&people, Columns, QStringLiteral("ID"));
        list.setSearchKeys({{QStringLiteral("Dipendente"), {QStringLiteral("NOME")}},
                            {QStringLiteral("Codice"), {QStringLiteral("ID")}}});
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        DatasetGrid* grid = list.grid();
        grid->sortByField(QStringLiteral("NOME"));
        QCOMPARE(list.countText(), QStringLiteral("Prenotati: 3"));
        QCOMPARE(list.chosenKeys(), QStringList({"33", "2", "10"}));

        // Space marks the current row, a click on the tick another.
        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(2, 0));
        QTest::keyClick(grid, Qt::Key_Space);
        QCOMPARE(list.countText(), QStringLiteral("Prenotati: 1"));
        // The tick is in the first column shown ("Dipendente"), whichever
        // place the field has in the dataset.
        const auto sectionOf = [grid](const QString& caption) {
            for (int section = 0; section < grid->model()->columnCount(); ++section)
                if (grid->model()->headerData(section, Qt::Horizontal).toString() == caption)
                    return section;
            return -1;
        };
        const QRect tick = grid->visualRect(grid->model()->index(0, sectionOf(QStringLiteral("Dipendente"))));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(tick.left() + 10, tick.center().y()));
        QCOMPARE(list.countText(), QStringLiteral("Prenotati: 2"));
        QCOMPARE(list.chosenKeys(), QStringList({"33", "10"}));
        // A click on the name makes the row current; Space unmarks it again.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, sectionOf(QStringLiteral("Codice")))).center());
        QTest::keyClick(grid, Qt::Key_Space);
        QCOMPARE(list.chosenKeys(), QStringList({"10"}));
        grid->clearMarks();
        QCOMPARE(list.countText(), QStringLiteral("Prenotati: 3"));
    }

    void incrementalSearch_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("found");
        QTest::newRow("per nome") << 0 << QStringLiteral("ros") << QStringLiteral("ROSSI MARIO");
        QTest::newRow("per nome, più lettere") << 0 << QStringLiteral("verdi a") << QStringLiteral("VERDI ANNA");
        QTest::newRow("per codice") << 1 << QStringLiteral("33") << QStringLiteral("BIANCHI LUCA");
        QTest::newRow("nessuno: resta dov'è") << 0 << QStringLiteral("zz") << QStringLiteral("BIANCHI LUCA");
    }
    void incrementalSearch()
    {
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(QString, found);
        Dataset people;
        fill(people);
        MultiSelectList list;
        list.setDataset(&people, Columns, QStringLiteral("ID"));
        list.setSearchKeys({{QStringLiteral("Dipendente"), {QStringLiteral("NOME")}},
                            {QStringLiteral("Codice"), {QStringLiteral("ID")}}});
        list.grid()->sortByField(QStringLiteral("NOME"));
        list.grid()->setCurrentIndex(list.grid()->model()->index(0, 0));
        list.searchKeyBox()->setCurrentIndex(key);
        QTest::keyClicks(list.searchEdit(), typed);
        const int row = list.grid()->currentIndex().row();
        QCOMPARE(cell(*list.grid(), row, QStringLiteral("Dipendente")), found);
    }
};

QTEST_MAIN(TestGrid)
#include "test_grid.moc"
