// Reads the schema file of the certificate tables and turns a table into the
// field definitions of a dataset.
#include "certificates/CertificateSchema.h"

#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"

#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

namespace cu {

namespace {

constexpr int FiscalCodeSize = 16;
const QString TypeLetters = QStringLiteral("SFLDICB");

// Collects the first problem of the file with its position.
class SchemaReader
{
public:
    SchemaReader(QIODevice* device, QString path) : m_xml(device), m_path(std::move(path)) {}

    void read(QString& programme, int& year, QVector<TableSchema>& tables)
    {
        if (!nextElement() || m_xml.name() != u"schema")
            fail(QStringLiteral("l'elemento principale deve essere <schema>"));
        programme = requiredText(QLatin1String("programme"));
        year = requiredNumber(QLatin1String("year"));
        QSet<QString> tableNames;
        while (nextElement()) {
            if (m_xml.name() != u"table")
                fail(QStringLiteral("elemento <%1> inatteso").arg(m_xml.name()));
            TableSchema table = readTable();
            if (tableNames.contains(table.name.toUpper()))
                fail(QStringLiteral("tabella %1 ripetuta").arg(table.name));
            tableNames.insert(table.name.toUpper());
            tables.append(std::move(table));
        }
        if (m_xml.hasError())
            fail(m_xml.errorString());
    }

private:
    // Moves to the next start element inside the current one; false at its end.
    bool nextElement() { return m_xml.readNextStartElement(); }

    [[noreturn]] void fail(const QString& what) const
    {
        throw EZfError(QStringLiteral("File di schema \"%1\" non valido (riga %2, colonna %3): %4.")
                           .arg(m_path)
                           .arg(m_xml.lineNumber())
                           .arg(m_xml.columnNumber())
                           .arg(what));
    }

    QString requiredText(QLatin1String attribute)
    {
        if (!m_xml.attributes().hasAttribute(attribute))
            fail(QStringLiteral("manca l'attributo %1 di <%2>").arg(attribute).arg(m_xml.name()));
        return m_xml.attributes().value(attribute).toString();
    }

    QString optionalText(QLatin1String attribute) { return m_xml.attributes().value(attribute).toString(); }

    int requiredNumber(QLatin1String attribute)
    {
        bool ok = false;
        const int value = requiredText(attribute).toInt(&ok);
        if (!ok || value < 0)
            fail(QStringLiteral("l'attributo %1 deve essere un numero").arg(attribute));
        return value;
    }

    bool requiredFlag(QLatin1String attribute)
    {
        const QString text = requiredText(attribute);
        if (text != u"0" && text != u"1")
            fail(QStringLiteral("l'attributo %1 deve valere 0 o 1").arg(attribute));
        return text == u"1";
    }

    TableSchema readTable()
    {
        TableSchema table;
        table.name = requiredText(QLatin1String("name"));
        table.tag = requiredText(QLatin1String("tag"));
        table.personTable = requiredFlag(QLatin1String("personTable"));
        table.fieldMapReadOnly = requiredFlag(QLatin1String("fieldMapReadOnly"));
        table.fieldMap = optionalText(QLatin1String("fieldMap"));
        QSet<QString> names;
        while (nextElement()) {
            if (m_xml.name() != u"column")
                fail(QStringLiteral("elemento <%1> inatteso nella tabella %2").arg(m_xml.name(), table.name));
            ColumnSchema column = readColumn();
            if (names.contains(column.name.toUpper()))
                fail(QStringLiteral("colonna %1 ripetuta nella tabella %2").arg(column.name, table.name));
            names.insert(column.name.toUpper());
            table.columns.append(std::move(column));
            m_xml.skipCurrentElement();
        }
        return table;
    }

    ColumnSchema readColumn()
    {
        ColumnSchema column;
        column.name = requiredText(QLatin1String("name"));
        const QString type = requiredText(QLatin1String("type"));
        if (type.size() != 1 || !TypeLetters.contains(type))
            fail(QStringLiteral("tipo \"%1\" della colonna %2 non ammesso (S, F, L, D, I, C, B)")
                     .arg(type, column.name));
        if (column.name.isEmpty() || column.name.at(0).toUpper() != type.at(0))
            fail(QStringLiteral("il tipo \"%1\" della colonna %2 non corrisponde alla sua prima lettera")
                     .arg(type, column.name));
        column.typeLetter = type.at(0);
        column.size = requiredNumber(QLatin1String("size"));
        if (column.typeLetter == u'C')
            column.size = FiscalCodeSize;
        if ((column.typeLetter == u'S' || column.typeLetter == u'L') && column.size == 0)
            fail(QStringLiteral("la colonna %1 richiede una dimensione").arg(column.name));
        column.part = optionalText(QLatin1String("part"));
        column.point = optionalText(QLatin1String("point"));
        column.lookup = optionalText(QLatin1String("lookup"));
        column.caption = optionalText(QLatin1String("caption"));
        column.checkBox = requiredFlag(QLatin1String("checkbox"));
        return column;
    }

    QXmlStreamReader m_xml;
    QString m_path;
};

} // namespace

FieldType ColumnSchema::fieldType() const
{
    switch (typeLetter.unicode()) {
    case 'F':
        return FieldType::Currency;
    case 'I':
        return FieldType::Integer;
    case 'D':
        return FieldType::Date;
    case 'B':
        return FieldType::Blob;
    default:
        return FieldType::String; // S, L, C
    }
}

const ColumnSchema* TableSchema::column(QStringView columnName) const
{
    for (const ColumnSchema& c : columns) {
        if (c.name.compare(columnName, Qt::CaseInsensitive) == 0)
            return &c;
    }
    return nullptr;
}

QVector<FieldDef> TableSchema::fieldDefs() const
{
    QVector<FieldDef> defs;
    defs.reserve(columns.size() + 2);
    defs.append({QStringLiteral("iAfiID"), FieldType::Integer, 0});
    defs.append({QStringLiteral("iFisRigo"), FieldType::Integer, 0});
    for (const ColumnSchema& c : columns) {
        const FieldType type = c.fieldType();
        defs.append({c.name, type, type == FieldType::String ? c.size : 0});
    }
    return defs;
}

CertificateSchema CertificateSchema::loadInstalled(const Folders& folders)
{
    const QString schemaFolder = Folders::resolve(folders.res(), QStringLiteral("Schema"));
    return load(Folders::resolve(schemaFolder + u'/', QStringLiteral("eli.xml")));
}

CertificateSchema CertificateSchema::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(QStringLiteral("Impossibile leggere il file di schema \"%1\": %2.")
                           .arg(path, file.errorString()));
    CertificateSchema schema;
    SchemaReader(&file, path).read(schema.m_programme, schema.m_year, schema.m_tables);
    return schema;
}

const TableSchema* CertificateSchema::table(QStringView tableName) const
{
    for (const TableSchema& t : m_tables) {
        if (t.name.compare(tableName, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

void initialiseFlags(Dataset& row, const TableSchema& table)
{
    for (const ColumnSchema& c : table.columns) {
        if (!c.checkBox)
            continue;
        const int field = row.fieldIndex(c.name);
        if (field >= 0)
            row.setValue(field, QStringLiteral("0"));
    }
}

} // namespace cu
