// Test help for the prints: certificate tables kept in memory (built from the
// schema file), and the text of produced PDFs with its positions, read back
// with poppler's "pdftotext -bbox".
#pragma once

#include "certificates/CertificateSchema.h"
#include "foundation/dataset/Dataset.h"
#include "printing/PrintTables.h"
#include "support/TestSupport.h"

#include <QMap>
#include <QStringList>
#include <QVector>
#include <memory>

namespace cu::test {

// Tables held as dataset bytes; every save is recorded.
class MemoryTables : public PrintTables
{
public:
    explicit MemoryTables(const CertificateSchema& schema = certificateSchema());

    // An empty data set with the table's columns (open, browsing).
    void makeEmpty(Dataset& dataset, const QString& tableName) const;
    // Appends a row with the given values (column -> value) to a stored table.
    void addRow(const QString& tableName, const QVariantMap& values);
    // Replaces a whole table by the rows of the data set.
    void store(const QString& tableName, Dataset& rows);
    void open(Dataset& dataset, const QString& tableName) override;
    void save(Dataset& dataset, const QString& tableName, int month) override;

    struct SaveCall
    {
        QString table;
        int month;
        int changedRows;
    };
    QVector<SaveCall> saves;
    // The stored rows of a table (a fresh data set).
    std::unique_ptr<Dataset> stored(const QString& tableName) const;

private:
    const CertificateSchema& m_schema;
    QMap<QString, QByteArray> m_tables;
};

// One word of a PDF page, in millimetres from the top-left corner.
struct PdfWord
{
    QString text;
    double left, top, right, bottom;
};

struct PdfPageText
{
    double widthMm = 0, heightMm = 0;
    QVector<PdfWord> words;
    QString text() const; // words joined by spaces
    bool contains(const QString& word) const;
    // The first word equal to text, or nullptr.
    const PdfWord* find(const QString& text) const;
    // The model page number written at the bottom of every shipped model page ("Pag. N"), 0 when none.
    int modelPage() const;
};

// The pages of a PDF file; fails the running test when pdftotext fails.
QVector<PdfPageText> readPdf(const QString& path);
// The words of the list that none of the pages holds (empty when all are printed).
QStringList missingWords(const QVector<PdfPageText>& pages, const QStringList& words);

} // namespace cu::test
