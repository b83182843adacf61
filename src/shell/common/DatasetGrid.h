// The dataset grid of the windows: a QTableView over the dataset's item model
// (DatasetModel, Italian number and date formats) through a
// QSortFilterProxyModel that shows the chosen fields with their captions,
// sorts by the values (not by their text), filters rows by a condition of the
// window and, when asked, lets the operator mark rows (a tick in the first
// column, Space or a click), remembered by the value of a key field.
#pragma once

#include <QColor>
#include <QSet>
#include <QTableView>
#include <QVector>
#include <functional>

namespace cu {

class Dataset;
class DatasetModel;
class GridProxy;

struct GridColumn
{
    QString field;
    QString caption;
    int width = 0; // pixels at 100 %; 0 = by the contents
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // The text shown for a value; none: the model's text.
    std::function<QString(const QVariant&)> text = {};
};

class DatasetGrid : public QTableView
{
    Q_OBJECT
public:
    explicit DatasetGrid(QWidget* parent = nullptr);
    ~DatasetGrid() override;

    // Shows the fields of the dataset in the order given.
    void setDataset(Dataset* dataset, const QVector<GridColumn>& columns);
    Dataset* dataset() const;

    // Rows are shown when the condition holds for their dataset row (none:
    // all rows). Call refilter() when what the condition reads has changed.
    void setRowCondition(std::function<bool(int datasetRow)> condition);
    void refilter();
    // Sorts the rows by a shown field (ascending).
    void sortByField(const QString& field);
    // The colour of a row's text (none, or an invalid colour: the usual).
    void setRowColour(std::function<QColor(int datasetRow)> colour);
    // The dataset field of a column of the view.
    QString fieldOfColumn(int viewColumn) const;
    // Shows the ascending arrow on the title of a field's column (the order
    // the window gave the dataset itself).
    void showOrderOn(const QString& field);

    // Marking rows by the value of keyField, or by the values of several
    // fields named "A;B" (the key is then their values joined by "/").
    void setMarkable(const QString& keyField);
    QStringList markedKeys() const; // in the order of the view
    void clearMarks();
    // Marks the rows of these keys (a list reloaded keeps its marks).
    void setMarkedKeys(const QStringList& keys);
    void setMarked(int viewRow, bool marked);

    // The dataset rows of the view, in its order.
    QVector<int> visibleRows() const;
    int datasetRow(int viewRow) const;
    // The view row of the first row whose text of the fields (joined by a
    // blank) starts with prefix, without regard to case; -1 when none.
    int findPrefix(const QStringList& fields, const QString& prefix) const;

signals:
    void marksChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    DatasetModel* m_model = nullptr;
    GridProxy* m_proxy = nullptr;
};

} // namespace cu
