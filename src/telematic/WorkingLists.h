// The two working lists of a generation run, kept between runs in local
// dataset files under USR/FJDati/FJ2024/: the field list (one row per
// emitted field of records C, D, G, H) and the record list (one row per
// finished line of the file).
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QString>
#include <QVector>
#include <optional>

namespace cu {

class Folders;

class FieldList
{
public:
    static QString fileName() { return QStringLiteral("TFIFI_FIELDSFILE.CDS"); }
    static QString pathIn(const Folders& folders);

    FieldList();
    Dataset& dataset() { return m_rows; }
    const Dataset& dataset() const { return m_rows; }

    void clear();
    void append(const QString& letter, const QString& progressive, const QString& record);
    // The columns of the current row.
    QString letter() const;
    QString progressive() const;
    QString record() const;
    // Loads the list of the last run; a missing file gives an empty list.
    void load(const QString& path);
    void save(const QString& path);

private:
    Dataset m_rows;
    int m_letter = 0;
    int m_progressive = 0;
    int m_record = 0;
};

// One finished line of the file.
struct FileLine
{
    QString letter;
    QString record;                 // without carriage return and line feed
    QString progressive;            // 18 digits for C, D, G, H; empty for A, B, Z
    std::optional<int> certificate; // C, D, G, H: the certificate's position in the list (from 1), C 0
};

class RecordList
{
public:
    static QString fileName() { return QStringLiteral("TFILE_FILETELEM.CDS"); }
    static QString pathIn(const Folders& folders);

    RecordList();
    Dataset& dataset() { return m_rows; }

    void clear();
    void append(const FileLine& line);
    void load(const QString& path);
    void save(const QString& path);
    int count() const { return m_rows.recordCount(); }

    // Where a line of the file is kept, without its text: a supply of
    // 100,000 certificates has lines enough that a second copy of their
    // texts would double the memory of the run.
    struct LinePlace
    {
        int row;                        // position in the list
        QString letter;
        bool numbered;                  // C, D, G, H (a progressive is stored)
        std::optional<int> certificate; // as FileLine's
    };
    // Every line ordered by certificate number, then record letter; the
    // lines without a number (A, B, Z) first, in the order they were stored.
    QVector<LinePlace> lineOrder();
    // The text of the line at a place of lineOrder().
    QString recordAt(int row);
    // lineOrder() with the lines' texts.
    QVector<FileLine> orderedLines();
    // The stored line of a record letter ("A", "B", "Z"); empty when absent.
    QString storedLine(const QString& letter);

private:
    Dataset m_rows;
};

} // namespace cu
