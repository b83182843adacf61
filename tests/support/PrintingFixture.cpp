// In-memory tables and the PDF text reader of the printing tests.
#include "support/PrintingFixture.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace cu::test {

MemoryTables::MemoryTables(const CertificateSchema& schema) : m_schema(schema) {}

void MemoryTables::makeEmpty(Dataset& dataset, const QString& tableName) const
{
    const TableSchema* table = m_schema.table(tableName);
    if (!table)
        qFatal("table %s missing from the schema", qPrintable(tableName));
    dataset.setFields(table->fieldDefs());
    dataset.open();
}

void MemoryTables::addRow(const QString& tableName, const QVariantMap& values)
{
    Dataset dataset;
    open(dataset, tableName);
    appendRow(dataset, values);
    dataset.mergeChangeLog();
    m_tables[tableName] = dataset.saveToBytes();
}

void MemoryTables::store(const QString& tableName, Dataset& rows)
{
    rows.mergeChangeLog();
    m_tables[tableName] = rows.saveToBytes();
}

void MemoryTables::open(Dataset& dataset, const QString& tableName)
{
    if (!m_tables.contains(tableName)) {
        makeEmpty(dataset, tableName);
        return;
    }
    dataset.loadFromBytes(m_tables.value(tableName), tableName);
}

void MemoryTables::save(Dataset& dataset, const QString& tableName, int month)
{
    saves.append({tableName, month, static_cast<int>(dataset.changes().size())});
    // The changed rows replace the stored ones by their key (iAfiID and
    // iFisRigo are empty in memory, so tax code and month identify a row).
    std::unique_ptr<Dataset> all = stored(tableName);
    const QString filter = dataset.filter();
    dataset.setFilter(QString());
    if (tableName == u"TCUD_DATICUD") {
        QHash<QString, int> positions;
        for (int i = 0; i < all->recordCount(); ++i) {
            all->setRecNo(i);
            positions.insert(all->asString(u"SCUDCODFIS") + all->asString(u"SCUDMESE"), i);
        }
        for (dataset.first(); !dataset.eof(); dataset.next()) {
            const auto found =
                positions.constFind(dataset.asString(u"SCUDCODFIS") + dataset.asString(u"SCUDMESE"));
            if (found == positions.constEnd())
                continue;
            all->setRecNo(*found);
            all->edit();
            for (int f = 0; f < dataset.fieldCount(); ++f)
                all->setValue(f, dataset.value(f));
            all->post();
        }
        all->mergeChangeLog();
        m_tables[tableName] = all->saveToBytes();
    } else {
        dataset.mergeChangeLog();
        m_tables[tableName] = dataset.saveToBytes();
    }
    dataset.setFilter(filter);
}

std::unique_ptr<Dataset> MemoryTables::stored(const QString& tableName) const
{
    auto dataset = std::make_unique<Dataset>();
    if (m_tables.contains(tableName))
        dataset->loadFromBytes(m_tables.value(tableName), tableName);
    else
        makeEmpty(*dataset, tableName);
    return dataset;
}

QString PdfPageText::text() const
{
    QStringList all;
    for (const PdfWord& w : words)
        all.append(w.text);
    return all.join(u' ');
}

bool PdfPageText::contains(const QString& word) const
{
    return find(word) != nullptr;
}

const PdfWord* PdfPageText::find(const QString& text) const
{
    for (const PdfWord& w : words)
        if (w.text == text)
            return &w;
    return nullptr;
}

int PdfPageText::modelPage() const
{
    for (int i = 0; i + 1 < words.size(); ++i)
        if (words[i].text == u"Pag." && words[i].top > heightMm - 12)
            return words[i + 1].text.toInt();
    return 0;
}

QVector<PdfPageText> readPdf(const QString& path)
{
    QVector<PdfPageText> pages;
    QProcess process;
    process.start(u"pdftotext"_s, {u"-bbox"_s, path, u"-"_s});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        QTest::qFail(qPrintable(u"pdftotext failed on %1: %2"_s.arg(
                         path, QString::fromUtf8(process.readAllStandardError()))),
                     __FILE__, __LINE__);
        return pages;
    }
    constexpr double mm = 25.4 / 72.0;
    QXmlStreamReader xml(process.readAllStandardOutput());
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        const auto a = xml.attributes();
        if (xml.name() == u"page") {
            PdfPageText page;
            page.widthMm = a.value(QLatin1String("width")).toDouble() * mm;
            page.heightMm = a.value(QLatin1String("height")).toDouble() * mm;
            pages.append(page);
        } else if (xml.name() == u"word" && !pages.isEmpty()) {
            PdfWord w;
            w.left = a.value(QLatin1String("xMin")).toDouble() * mm;
            w.top = a.value(QLatin1String("yMin")).toDouble() * mm;
            w.right = a.value(QLatin1String("xMax")).toDouble() * mm;
            w.bottom = a.value(QLatin1String("yMax")).toDouble() * mm;
            w.text = xml.readElementText();
            pages.last().words.append(w);
        }
    }
    return pages;
}

QStringList missingWords(const QVector<PdfPageText>& pages, const QStringList& words)
{
    QStringList missing;
    for (const QString& word : words)
        if (std::none_of(pages.begin(), pages.end(), [&](const PdfPageText& p) { return p.contains(word); }))
            missing.append(word);
    return missing;
}

} // namespace cu::test
