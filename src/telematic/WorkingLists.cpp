// The field list and the record list as datasets with their files.
#include "telematic/WorkingLists.h"

#include "foundation/installation/Folders.h"
#include "telematic/layouts/FileText.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace cu {

namespace {

bool sameFields(const QVector<FieldDef>& a, const QVector<FieldDef>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const FieldDef& x, const FieldDef& y) {
        return x.type == y.type && x.name.compare(y.name, Qt::CaseInsensitive) == 0;
    });
}

// A file of another shape (an older program's) is not read: the list starts
// empty, as it does when the file is missing.
void loadOrEmpty(Dataset& rows, const QString& path)
{
    const QVector<FieldDef> fields = rows.fields();
    if (QFileInfo::exists(path)) {
        rows.loadFromFile(path);
        if (sameFields(rows.fields(), fields))
            return;
    }
    rows.setFields(fields);
    rows.open();
}

void saveCreatingFolder(Dataset& rows, const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    rows.saveToFile(path);
}

// The lines and fields of the file are single-byte text (the file holds
// printable ASCII only): they are kept as the file's bytes (text::fileBytes,
// converted before a row is begun, so that a refused character leaves no
// half row),
// half the memory of UTF-16 text, which matters with the millions of rows of
// a large supply.
QString latin1(const Dataset& rows, int field)
{
    return QString::fromLatin1(rows.value(field).toByteArray());
}

} // namespace

QString FieldList::pathIn(const Folders& folders)
{
    return Folders::resolve(folders.fjDati(), fileName());
}

FieldList::FieldList()
{
    m_rows.setFields({{QStringLiteral("SFIFICODREC"), FieldType::String, 1},
                      {QStringLiteral("SFIFIPROGRE"), FieldType::Blob, 18},
                      {QStringLiteral("SFIFIRECORD"), FieldType::Blob, 1900}});
    m_rows.open();
    m_letter = m_rows.requireField(u"SFIFICODREC");
    m_progressive = m_rows.requireField(u"SFIFIPROGRE");
    m_record = m_rows.requireField(u"SFIFIRECORD");
}

void FieldList::clear()
{
    m_rows.emptyDataset();
}

void FieldList::append(const QString& letter, const QString& progressive, const QString& record)
{
    const QByteArray progressiveBytes = text::fileBytes(progressive);
    const QByteArray recordBytes = text::fileBytes(record);
    m_rows.append();
    m_rows.setValue(m_letter, letter);
    m_rows.setValue(m_progressive, progressiveBytes);
    m_rows.setValue(m_record, recordBytes);
    m_rows.post();
}

QString FieldList::letter() const
{
    return m_rows.value(m_letter).toString();
}

QString FieldList::progressive() const
{
    return latin1(m_rows, m_progressive);
}

QString FieldList::record() const
{
    return latin1(m_rows, m_record);
}

void FieldList::load(const QString& path)
{
    loadOrEmpty(m_rows, path);
}

void FieldList::save(const QString& path)
{
    saveCreatingFolder(m_rows, path);
}

QString RecordList::pathIn(const Folders& folders)
{
    return Folders::resolve(folders.fjDati(), fileName());
}

RecordList::RecordList()
{
    m_rows.setFields({{QStringLiteral("SFILECODREC"), FieldType::String, 1},
                      {QStringLiteral("SFILERECORD"), FieldType::Blob, 1900},
                      {QStringLiteral("SFILEPROGRE"), FieldType::Blob, 18},
                      {QStringLiteral("IFILEPROGRE"), FieldType::Integer, 0}});
    m_rows.open();
}

void RecordList::clear()
{
    m_rows.emptyDataset();
}

void RecordList::append(const FileLine& line)
{
    const QByteArray record = text::fileBytes(line.record);
    const QByteArray progressive = text::fileBytes(line.progressive);
    m_rows.append();
    m_rows.setValue(0, line.letter);
    m_rows.setValue(1, record);
    if (!progressive.isEmpty())
        m_rows.setValue(2, progressive);
    if (line.certificate)
        m_rows.setValue(3, qint64(*line.certificate));
    m_rows.post();
}

void RecordList::load(const QString& path)
{
    loadOrEmpty(m_rows, path);
}

void RecordList::save(const QString& path)
{
    saveCreatingFolder(m_rows, path);
}

QVector<RecordList::LinePlace> RecordList::lineOrder()
{
    QVector<LinePlace> places;
    places.reserve(m_rows.recordCount());
    int row = 0;
    for (m_rows.first(); !m_rows.eof(); m_rows.next(), ++row) {
        LinePlace place{row, m_rows.value(0).toString(), !m_rows.value(2).toByteArray().isEmpty(), {}};
        if (const QVariant number = m_rows.value(3); !number.isNull())
            place.certificate = int(number.toLongLong());
        places.append(std::move(place));
    }
    std::stable_sort(places.begin(), places.end(), [](const LinePlace& a, const LinePlace& b) {
        if (a.certificate.has_value() != b.certificate.has_value())
            return !a.certificate.has_value();
        if (!a.certificate)
            return false;
        if (*a.certificate != *b.certificate)
            return *a.certificate < *b.certificate;
        return a.letter < b.letter;
    });
    return places;
}

QString RecordList::recordAt(int row)
{
    m_rows.setRecNo(row);
    return latin1(m_rows, 1);
}

QVector<FileLine> RecordList::orderedLines()
{
    QVector<FileLine> lines;
    for (const LinePlace& place : lineOrder()) {
        m_rows.setRecNo(place.row);
        lines.append({place.letter, latin1(m_rows, 1), latin1(m_rows, 2), place.certificate});
    }
    return lines;
}

QString RecordList::storedLine(const QString& letter)
{
    for (m_rows.first(); !m_rows.eof(); m_rows.next())
        if (m_rows.value(0).toString() == letter && m_rows.value(3).isNull())
            return m_rows.value(1).toString();
    return QString();
}

} // namespace cu
