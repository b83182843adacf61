// Reading and writing tables as CSV text with a typed header.
#include "foundation/dataset/CsvTable.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/dataset/DatasetFile.h"
#include "foundation/operator/Errors.h"

#include <QStringDecoder>
#include <array>
#include <vector>

namespace cu {

namespace {

struct TypeLetter
{
    QChar letter;
    FieldType type;
};

constexpr std::array<TypeLetter, 10> TypeLetters{{{u'S', FieldType::String},
                                                  {u'I', FieldType::Integer},
                                                  {u'N', FieldType::SmallInt},
                                                  {u'L', FieldType::Boolean},
                                                  {u'F', FieldType::Currency},
                                                  {u'R', FieldType::Float},
                                                  {u'D', FieldType::Date},
                                                  {u'T', FieldType::DateTime},
                                                  {u'M', FieldType::Memo},
                                                  {u'B', FieldType::Blob}}};

QChar letterOf(FieldType type)
{
    for (const TypeLetter& entry : TypeLetters)
        if (entry.type == type)
            return entry.letter;
    return u'S';
}

std::optional<FieldType> typeOf(QStringView letter)
{
    for (const TypeLetter& entry : TypeLetters)
        if (letter.size() == 1 && letter[0] == entry.letter)
            return entry.type;
    return std::nullopt;
}

struct Cell
{
    QString text;
    int line = 0;
    int column = 0;
};

// Splits the text into records of cells, keeping where each cell starts.
class CsvReader
{
public:
    CsvReader(QString text, const QString& source) : m_text(std::move(text)), m_source(source) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; }

    // Skips comment lines and blank lines; only used before the header.
    void skipComments()
    {
        while (!atEnd() && (m_text[m_pos] == u'#' || isLineBreak(m_text[m_pos]))) {
            while (!atEnd() && !isLineBreak(m_text[m_pos]))
                ++m_pos;
            skipLineBreak();
        }
    }

    // The next record; empty when the line was blank.
    std::vector<Cell> readRecord()
    {
        std::vector<Cell> cells;
        if (isLineBreak(m_text[m_pos])) {
            skipLineBreak();
            return cells;
        }
        for (;;) {
            cells.push_back(readCell(int(cells.size()) + 1));
            if (atEnd())
                break;
            if (m_text[m_pos] == u',') {
                ++m_pos;
                continue;
            }
            skipLineBreak();
            break;
        }
        return cells;
    }

    [[noreturn]] void fail(int line, int column, const QString& why) const
    {
        throw EZfError(
            QStringLiteral("%1, riga %2, colonna %3: %4").arg(m_source).arg(line).arg(column).arg(why));
    }

private:
    static bool isLineBreak(QChar c) { return c == u'\n' || c == u'\r'; }

    void skipLineBreak()
    {
        if (!atEnd() && m_text[m_pos] == u'\r')
            ++m_pos;
        if (!atEnd() && m_text[m_pos] == u'\n')
            ++m_pos;
        ++m_line;
    }

    Cell readCell(int column)
    {
        Cell cell{QString(), m_line, column};
        if (atEnd() || m_text[m_pos] != u'"') {
            const qsizetype start = m_pos;
            while (!atEnd() && m_text[m_pos] != u',' && !isLineBreak(m_text[m_pos])) {
                if (m_text[m_pos] == u'"')
                    fail(m_line, column, QStringLiteral("virgolette dentro un valore senza virgolette"));
                ++m_pos;
            }
            cell.text = m_text.mid(start, m_pos - start);
            return cell;
        }
        ++m_pos;
        for (;;) {
            if (atEnd())
                fail(cell.line, column, QStringLiteral("virgolette non chiuse"));
            const QChar c = m_text[m_pos++];
            if (c == u'"') {
                if (!atEnd() && m_text[m_pos] == u'"') {
                    cell.text += u'"';
                    ++m_pos;
                    continue;
                }
                break;
            }
            if (c == u'\n')
                ++m_line;
            else if (c == u'\r' && (atEnd() || m_text[m_pos] != u'\n'))
                ++m_line;
            cell.text += c;
        }
        if (!atEnd() && m_text[m_pos] != u',' && !isLineBreak(m_text[m_pos]))
            fail(m_line, column, QStringLiteral("testo dopo le virgolette di chiusura"));
        return cell;
    }

    QString m_text;
    const QString& m_source;
    qsizetype m_pos = 0;
    int m_line = 1;
};

FieldDef fieldOf(const Cell& cell, CsvReader& reader)
{
    const QStringList parts = cell.text.split(u':');
    if (parts.size() < 2 || parts.size() > 3 || parts[0].trimmed().isEmpty())
        reader.fail(cell.line, cell.column,
                    QStringLiteral("intestazione \"%1\" non nella forma Nome:Tipo o Nome:Tipo:Dimensione")
                        .arg(cell.text));
    const auto type = typeOf(parts[1].trimmed());
    if (!type)
        reader.fail(cell.line, cell.column, QStringLiteral("tipo \"%1\" sconosciuto").arg(parts[1]));
    int size = 0;
    if (parts.size() == 3) {
        bool ok = false;
        size = parts[2].trimmed().toInt(&ok);
        if (!ok || size < 0)
            reader.fail(cell.line, cell.column, QStringLiteral("dimensione \"%1\" non valida").arg(parts[2]));
    }
    return FieldDef{parts[0].trimmed(), *type, size};
}

// The value of a cell in the strict form of its type letter; nullopt when
// the text is not in that form.
std::optional<QVariant> valueOf(const QString& text, FieldType type)
{
    bool ok = false;
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return QVariant(text);
    case FieldType::Integer: {
        const qlonglong n = text.toLongLong(&ok);
        return ok ? std::optional<QVariant>(n) : std::nullopt;
    }
    case FieldType::SmallInt: {
        const short n = text.toShort(&ok);
        return ok ? std::optional<QVariant>(n) : std::nullopt;
    }
    case FieldType::Boolean:
        if (text.compare(u"true", Qt::CaseInsensitive) == 0 || text == u"1")
            return QVariant(true);
        if (text.compare(u"false", Qt::CaseInsensitive) == 0 || text == u"0")
            return QVariant(false);
        return std::nullopt;
    case FieldType::Currency: {
        const auto amount = text.contains(u',') ? std::nullopt : Currency::parse(text);
        return amount ? std::optional<QVariant>(QVariant::fromValue(*amount)) : std::nullopt;
    }
    case FieldType::Float: {
        const double d = text.toDouble(&ok);
        return ok ? std::optional<QVariant>(d) : std::nullopt;
    }
    case FieldType::Date: {
        const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
        return date.isValid() ? std::optional<QVariant>(date) : std::nullopt;
    }
    case FieldType::DateTime: {
        const QDateTime dateTime = QDateTime::fromString(text, Qt::ISODateWithMs);
        return dateTime.isValid() ? std::optional<QVariant>(dateTime) : std::nullopt;
    }
    case FieldType::Blob: {
        const auto decoded =
            QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
        return decoded ? std::optional<QVariant>(*decoded) : std::nullopt;
    }
    }
    return std::nullopt;
}

void readRow(const std::vector<Cell>& cells, Dataset& dataset, CsvReader& reader)
{
    const int fieldCount = dataset.fieldCount();
    if (int(cells.size()) != fieldCount)
        reader.fail(cells.front().line, int(cells.size()),
                    QStringLiteral("%1 valori invece di %2").arg(cells.size()).arg(fieldCount));
    dataset.append();
    for (int f = 0; f < fieldCount; ++f) {
        const Cell& cell = cells[std::size_t(f)];
        if (cell.text.isEmpty())
            continue;
        const FieldDef& def = dataset.fields()[f];
        const auto value = valueOf(cell.text, def.type);
        if (!value)
            reader.fail(cell.line, cell.column,
                        QStringLiteral("valore \"%1\" non valido per il campo %2 di tipo %3")
                            .arg(cell.text, def.name, letterOf(def.type)));
        try {
            dataset.setValue(f, *value);
        } catch (const EZfError& e) {
            reader.fail(cell.line, cell.column, e.message());
        }
    }
    dataset.post();
}

QString textOf(const QVariant& value, FieldType type)
{
    if (value.isNull())
        return {};
    switch (type) {
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case FieldType::Currency: {
        const Currency amount = value.value<Currency>();
        return amount.toString(amount.rounded(2) == amount ? 2 : 4);
    }
    case FieldType::Float:
        return QString::number(value.toDouble(), 'g', 17);
    case FieldType::Date:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case FieldType::DateTime:
        return value.toDateTime().toString(Qt::ISODateWithMs);
    case FieldType::Blob:
        return QString::fromLatin1(value.toByteArray().toBase64());
    default:
        return value.toString();
    }
}

QString quotedCell(const QString& text)
{
    const bool needsQuotes =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r');
    if (!needsQuotes)
        return text;
    QString escaped = text;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

} // namespace

void CsvTable::read(const QByteArray& utf8, Dataset& dataset, const QString& sourceName)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder(utf8);
    if (decoder.hasError())
        throw EZfError(QStringLiteral("%1: il testo non è in UTF-8").arg(sourceName));
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    CsvReader reader(text, sourceName);
    reader.skipComments();
    if (reader.atEnd())
        reader.fail(reader.line(), 1, QStringLiteral("manca la riga d'intestazione"));
    const int headerLine = reader.line();
    QVector<FieldDef> fields;
    for (const Cell& cell : reader.readRecord()) {
        fields.push_back(fieldOf(cell, reader));
        for (int i = 0; i + 1 < fields.size(); ++i)
            if (fields[i].name.compare(fields.back().name, Qt::CaseInsensitive) == 0)
                reader.fail(headerLine, cell.column,
                            QStringLiteral("campo \"%1\" ripetuto").arg(fields.back().name));
    }
    Dataset table;
    table.setFields(fields);
    table.open();
    while (!reader.atEnd()) {
        const std::vector<Cell> cells = reader.readRecord();
        if (!cells.empty())
            readRow(cells, table, reader);
    }
    table.mergeChangeLog();
    // Moved over only once the whole text is read: a bad text leaves the
    // dataset as it was.
    dataset.loadFromBytes(table.saveToBytes(), sourceName);
}

QByteArray CsvTable::write(const Dataset& dataset)
{
    const QVector<FieldDef>& fields = dataset.fields();
    QStringList header;
    for (const FieldDef& field : fields) {
        QString cell = field.name + u':' + letterOf(field.type);
        if (field.type == FieldType::String && field.size > 0)
            cell += u':' + QString::number(field.size);
        header << quotedCell(cell);
    }
    QString text = header.join(u',') + u'\n';
    for (int row = 0; row < dataset.recordCount(); ++row) {
        QString line;
        for (int f = 0; f < fields.size(); ++f) {
            if (f > 0)
                line += u',';
            line += quotedCell(textOf(dataset.valueAt(row, f), fields[f].type));
        }
        // A blank line would be skipped on reading: a row of one null value
        // is written as an empty quoted cell.
        text += (line.isEmpty() ? QStringLiteral("\"\"") : line) + u'\n';
    }
    return text.toUtf8();
}

void CsvTable::readFile(const QString& path, Dataset& dataset)
{
    read(DatasetFile::readFile(path), dataset, path);
}

void CsvTable::writeFile(const Dataset& dataset, const QString& path)
{
    DatasetFile::writeFile(path, write(dataset));
}

} // namespace cu
