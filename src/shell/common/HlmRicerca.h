// The lookup dialog "Finestra di ricerca": the rows of a lookup source in a
// grid ordered by one field, "Cerca per " + that field above a search box;
// typing moves to the nearest row of the current order, Up, Down, Page Up,
// Page Down, Ctrl+Home and Ctrl+End move in the list, Left and Right change
// the column; a click on a column title orders by that column and makes it
// the search field. OK or a double click closes with the chosen row,
// "Annulla" with none. The rows and the nearest-row rule are the core's
// (Lookup); the dialog only shows them.
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;

namespace cu {

class Dataset;
class DatasetGrid;

class HlmRicerca : public QDialog
{
    Q_OBJECT
public:
    // rows: loaded and ordered by their first shown field; hidden: fields
    // not shown (the store's own ids).
    HlmRicerca(Dataset& rows, const QStringList& hidden, QWidget* parent = nullptr);
    ~HlmRicerca() override;

    // The field the search box looks in (the order of the list).
    const QString& searchField() const { return m_searchField; }
    void orderBy(const QString& field);
    // The chosen row's value of a field (the dataset's current row).
    QVariant chosen(const QString& field) const;
    QLineEdit* searchEdit() const { return m_search; }
    DatasetGrid* grid() const { return m_grid; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void search(const QString& text);
    void showCurrent();
    void followGrid();
    void moveColumn(int step);

    Dataset& m_rows;
    QStringList m_shown;
    QString m_searchField;
    DatasetGrid* m_grid;
    QLabel* m_caption;
    QLineEdit* m_search;
};

} // namespace cu
