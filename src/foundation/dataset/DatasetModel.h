// A table model over a dataset for the windows: one row per visible row of
// the dataset (in its current order and filter), one column per field. It
// copies nothing: every value is read from the dataset when asked, and the
// model follows the dataset's signals and cursor.
#pragma once

#include <QAbstractTableModel>
#include <QPointer>

namespace cu {

class Dataset;

class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DatasetModel(Dataset* dataset, QObject* parent = nullptr);

    Dataset* dataset() const { return m_dataset; }
    // The dataset's current row as a model row; -1 when there is none.
    int currentRow() const;
    // Moves the dataset's cursor (posting a pending edit, as any move does).
    void setCurrentRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // DisplayRole: amounts "#,##0.00" with zero blank, dates dd/MM/yyyy,
    // date-times dd/MM/yyyy hh:mm:ss, booleans as a check state; EditRole:
    // the value as the dataset holds it.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The display text of a value of a field type.
    static QString displayText(const QVariant& value, int fieldType);

signals:
    void currentRowChanged(int row);

private:
    void connectDataset();
    void beginReset();
    void endReset();
    void beginInsert(int position);
    void endInsert();
    void beginRemove(int position);
    void endRemove();
    void rowChanged(int position);
    void datasetDestroyed();

    QPointer<Dataset> m_dataset;
    // The counts as announced to the views; between a begin and an end
    // notification they still tell the old shape, as views expect.
    int m_rows = 0;
    int m_columns = 0;
    bool m_resetting = false;
};

} // namespace cu
