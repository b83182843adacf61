// The field list and the record list as datasets with their files.
#include "telematic/WorkingLists.h"

#include "foundation/Folders.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace cu {

namespace {

void loadOrEmpty(Dataset& rows, const QString& path)
{
    const QVector<FieldDef> fields = rows.fields();
    if (QFileInfo::exists(path)) {
        rows.loadFromFile(path);
        if (rows.fields().size() == fields.size())
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

} // namespace

QString FieldList::pathIn(const Folders& folders)
{
    return Folders::resolve(folders.fjDati(), fileName());
}

FieldList::FieldList()
{
    m_rows.setFields({{QStringLiteral("SFIFICODREC"), FieldType::String, 1},
                      {QStringLiteral("SFIFIPROGRE"), FieldType::String, 18},
                      {QStringLiteral("SFIFIRECORD"), FieldType::String, 1900}});
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
    m_rows.append();
    m_rows.setValue(m_letter, letter);
    m_rows.setValue(m_progressive, progressive);
    m_rows.setValue(m_record, record);
    m_rows.post();
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
                      {QStringLiteral("SFILERECORD"), FieldType::String, 1900},
                      {QStringLiteral("SFILEPROGRE"), FieldType::String, 18},
                      {QStringLiteral("IFILEPROGRE"), FieldType::Integer, 0}});
    m_rows.open();
}

void RecordList::clear()
{
    m_rows.emptyDataset();
}

void RecordList::append(const FileLine& line)
{
    m_rows.append();
    m_rows.setValue(0, line.letter);
    m_rows.setValue(1, line.record);
    if (!line.progressive.isEmpty())
        m_rows.setValue(2, line.progressive);
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

QVector<FileLine> RecordList::orderedLines()
{
    QVector<FileLine> lines;
    lines.reserve(m_rows.recordCount());
    for (m_rows.first(); !m_rows.eof(); m_rows.next()) {
        FileLine line{m_rows.value(0).toString(), m_rows.value(1).toString(), m_rows.value(2).toString(), {}};
        if (const QVariant number = m_rows.value(3); !number.isNull())
            line.certificate = int(number.toLongLong());
        lines.append(std::move(line));
    }
    std::stable_sort(lines.begin(), lines.end(), [](const FileLine& a, const FileLine& b) {
        if (a.certificate.has_value() != b.certificate.has_value())
            return !a.certificate.has_value();
        if (!a.certificate)
            return false;
        if (*a.certificate != *b.certificate)
            return *a.certificate < *b.certificate;
        return a.letter < b.letter;
    });
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
