// Builds the layouts of the telematic file from the generator's input
// (record-layouts.xml) and the schema of the certificate tables: positional
// fields as the input lists them, the shared head of the certificate
// records, and coded fields listed one by one or given by the point rule.
#pragma once

#include "CodeTable.h"

#include "certificates/CertificateSchema.h"
#include "telematic/layouts/RecordLayout.h"

#include <QDomElement>
#include <QStringList>
#include <QVector>

namespace cu::layouts {

// One coded field as docs/telematic.md lists it.
struct CodeRow
{
    QString letter;
    QString code;
    QString column;
    QString format;
    QString description;
    QString source;
};

class LayoutGenerator
{
public:
    LayoutGenerator(const CertificateSchema& schema, const QDomElement& input);

    // The layout of a record letter ("A", "B", "C", "D", "G", "H", "Z"). An
    // input that contradicts itself or the schema (a position that does not
    // follow from the widths, a column the table lacks) is an EZfError naming
    // the input's line.
    RecordLayout record(const QString& letter);

    // Problems that leave a field out (two columns with one code).
    const QStringList& warnings() const { return m_warnings; }
    // Every coded field of the layouts built so far.
    const QVector<CodeRow>& codeRows() const { return m_codeRows; }

private:
    LayoutSection section(const QDomElement& e, const QString& letter);
    LayoutSection headSection(const QString& letter);
    void addPositional(LayoutSection& s, const QDomElement& e, const QString& letter, int& position);
    void addCode(LayoutSection& s, const QDomElement& e, const QString& letter);
    void addPoints(LayoutSection& s, const QDomElement& e, const QString& letter);
    void addNumbered(LayoutSection& s, const QDomElement& e, const QString& letter);
    void addCoded(LayoutSection& s, const QString& letter, const QString& code, const ColumnSchema& column,
                  const QString& cds);
    void append(LayoutSection& s, const QString& letter, const LayoutField& field, const QString& source);
    const TableSchema& tableOfCds(const QDomElement& e, const QString& cds) const;
    const TableSchema& table(const QDomElement& e) const;

    const CertificateSchema& m_schema;
    QDomElement m_input;
    CodeTable m_codes;
    int m_codedWidth = 16;
    QSet<QString> m_recordCodes; // codes of the record being built
    QStringList m_warnings;
    QVector<CodeRow> m_codeRows;
};

} // namespace cu::layouts
