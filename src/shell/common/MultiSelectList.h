// The multi-select list of the windows that choose rows before a job: the
// dataset grid with marks, an incremental search ("Cerca" with the ways of
// searching the window offers) and the count "Prenotati: " of the marked
// rows, or of all shown rows when none is marked, kept up to date on every
// move, click and key.
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace cu {

class Dataset;
class DatasetGrid;
struct GridColumn;

struct SearchKey
{
    QString caption;   // "Dipendente", "Codice", ...
    QStringList fields; // joined by a blank, matched from the start
};

class MultiSelectList : public QWidget
{
    Q_OBJECT
public:
    explicit MultiSelectList(QWidget* parent = nullptr);

    void setDataset(Dataset* dataset, const QVector<GridColumn>& columns, const QString& keyField);
    void setSearchKeys(const QVector<SearchKey>& keys);

    DatasetGrid* grid() const { return m_grid; }
    QLineEdit* searchEdit() const { return m_search; }
    QComboBox* searchKeyBox() const { return m_searchKey; }
    // The keys to work on: the marked rows, or every shown row when none is
    // marked; in the order of the grid.
    QStringList chosenKeys() const;
    int chosenCount() const;
    QString countText() const;

public slots:
    void updateCount();

private:
    void search(const QString& text);

    QLineEdit* m_search;
    QComboBox* m_searchKey;
    DatasetGrid* m_grid;
    QLabel* m_count;
    QVector<SearchKey> m_keys;
    QString m_keyField;
};

} // namespace cu
