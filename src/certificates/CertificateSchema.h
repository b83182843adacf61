// The certificate tables of programme "eli" as the schema file describes them
// (USR/FJ2024/Res/Schema/eli.xml): every table, every column with its type
// letter, size, the point of the official form it fills, its part of the
// form, its lookup file and caption. One source for the store's schemas, the
// editor's forms, the telematic layouts and the print layouts.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QString>
#include <QVector>

namespace cu {

class Folders;

struct ColumnSchema
{
    QString name;       // e.g. "SCUDCODFIS"
    QChar typeLetter;   // S, F, L, D, I, C, B (the first letter of the name)
    int size = 0;       // characters, for S, L and C
    QString part;       // part of the form: "anagrafici", "fiscali", "inps", ...
    QString point;      // the form's point ("1", "421", "8"), empty when none
    QString lookup;     // lookup file name under Res/Tabelle, empty when none
    QString caption;    // the editor's caption, empty when none
    bool checkBox = false; // a flag shown as a check box (starts at "0")

    FieldType fieldType() const;
};

struct TableSchema
{
    QString name;             // e.g. "TCUD_DATICUD"
    QString tag;              // e.g. "CUD"
    bool personTable = false; // lCdsAnagrafica
    bool fieldMapReadOnly = false;
    QString fieldMap;         // sCdsFieldMap, "saficodfiscale=SCUDCODFIS;..."
    QVector<ColumnSchema> columns;

    const ColumnSchema* column(QStringView name) const; // case-insensitive
    // The dataset fields: the store's iAfiID and iFisRigo, then every column.
    QVector<FieldDef> fieldDefs() const;
};

class CertificateSchema
{
public:
    // Reads the schema file; a missing or malformed file is an EZfError that
    // names the file (and line and column for a parse error).
    static CertificateSchema load(const QString& path);
    // The schema file of an installation: Res/Schema/eli.xml.
    static CertificateSchema loadInstalled(const Folders& folders);

    const QString& programme() const { return m_programme; }
    int year() const { return m_year; }
    const QVector<TableSchema>& tables() const { return m_tables; }
    const TableSchema* table(QStringView name) const; // case-insensitive

private:
    QString m_programme;
    int m_year = 0;
    QVector<TableSchema> m_tables;
};

// Sets every check-box flag of the current row to "0" (a new row of the
// editor or of the import starts so).
void initialiseFlags(Dataset& row, const TableSchema& table);

} // namespace cu
