// The table model over a dataset: rows follow the dataset (order, filter,
// inserts, deletes), values are shown in the Italian forms, and the model
// passes Qt's own model consistency checks.
#include "foundation/dataset/Dataset.h"
#include "foundation/dataset/DatasetModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;

class TestDatasetModel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Dataset> ds;
    std::unique_ptr<DatasetModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;

    void add(const QString& name, const QVariant& amount, const QVariant& date = QVariant())
    {
        ds->append();
        ds->setValue(u"SNOME", name);
        ds->setValue(u"FIMPORTO", amount);
        ds->setValue(u"DDATA", date);
        ds->setValue(u"LFLAG", true);
        ds->post();
    }

    QString shown(int row, int column) const { return model->index(row, column).data().toString(); }

private slots:
    void init()
    {
        ds = std::make_unique<Dataset>();
        ds->setFields({{u"SNOME"_s, FieldType::String, 20},
                       {u"FIMPORTO"_s, FieldType::Currency, 0},
                       {u"DDATA"_s, FieldType::Date, 0},
                       {u"LFLAG"_s, FieldType::Boolean, 0}});
        ds->open();
        model = std::make_unique<DatasetModel>(ds.get());
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void cleanup()
    {
        tester.reset();
        model.reset();
        ds.reset();
    }

    void rowsFollowTheDataset()
    {
        QCOMPARE(model->columnCount(), 4);
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), "FIMPORTO");
        add("Rossi", "10");
        add("Bianchi", "20");
        add("Verdi", "30");
        QCOMPARE(model->rowCount(), 3);
        ds->setIndexFieldNames(u"SNOME"_s);
        QCOMPARE(shown(0, 0), "Bianchi");
        ds->setFilter(u"FIMPORTO >= 20"_s);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(shown(1, 0), "Verdi");
        ds->first();
        ds->remove();
        QCOMPARE(model->rowCount(), 1);
        add("Azzurri", "25");
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(shown(0, 0), "Azzurri");
        ds->close();
        QCOMPARE(model->rowCount(), 0);
    }

    void valuesAreShownInItalian()
    {
        add("A", "1234567.891", QDate(2024, 6, 30));
        add("B", "0");
        add("C", "-0.5");
        QCOMPARE(shown(0, 1), "1.234.567,89");
        QCOMPARE(shown(0, 2), "30/06/2024");
        QCOMPARE(shown(1, 1), "");
        QCOMPARE(shown(1, 2), "");
        QCOMPARE(shown(2, 1), "-0,50");
        QCOMPARE(model->index(0, 1).data(Qt::EditRole).value<Currency>(),
                 Currency::parse(u"1234567.891").value());
        QCOMPARE(model->index(0, 3).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
    }

    void editsShowAndCurrentRowFollows()
    {
        add("A", "1");
        add("B", "2");
        QSignalSpy current(model.get(), &DatasetModel::currentRowChanged);
        model->setCurrentRow(0);
        QCOMPARE(model->currentRow(), 0);
        QCOMPARE(current.size(), 1);
        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        ds->edit();
        ds->setValue(u"SNOME", "Z");
        QCOMPARE(shown(0, 0), "Z"); // the pending value
        ds->cancel();
        QCOMPARE(shown(0, 0), "A");
        QVERIFY(changed.size() >= 2);
        ds->last();
        QCOMPARE(model->currentRow(), 1);
    }

    void orderedEditMovesTheRow()
    {
        add("B", "1");
        add("C", "2");
        add("D", "3");
        ds->setIndexFieldNames(u"SNOME"_s);
        ds->first();
        ds->edit();
        ds->setValue(u"SNOME", "E");
        ds->post();
        QCOMPARE(shown(0, 0), "C");
        QCOMPARE(shown(2, 0), "E");
        QCOMPARE(model->currentRow(), 2);
        ds->edit();
        ds->setValue(u"SNOME", "A");
        ds->setValue(u"FIMPORTO", "9");
        ds->post();
        QCOMPARE(shown(0, 1), "9,00");
    }

    void lateResetIsAccepted()
    {
        add("A", "1");
        {
            const QSignalBlocker quiet(ds.get());
            add("B", "2");
        }
        emit ds->rowsReset();
        QCOMPARE(model->rowCount(), 2);
    }

    void outlivesItsDataset()
    {
        add("A", "1");
        ds.reset();
        QCOMPARE(model->rowCount(), 0);
        QVERIFY(!model->index(0, 0).isValid());
    }
};

QTEST_GUILESS_MAIN(TestDatasetModel)
#include "test_datasetmodel.moc"
