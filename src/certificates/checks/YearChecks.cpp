// The checks over a working year.
#include "certificates/checks/YearChecks.h"

#include "certificates/CertificateKey.h"
#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "certificates/checks/AmountRules.h"
#include "certificates/checks/CheckData.h"
#include "foundation/dataset/Dataset.h"

#include <QHash>

namespace cu {

namespace {

struct TablePlace
{
    const char* table;
    const char* place;
};

const TablePlace SingleRowTables[] = {
    {"TCUS_DATISOST", "Sostituto"},
    {"TCFO_FORNITORE", "Fornitore"},
};

void add(QVector<CheckFinding>& findings, const CheckFinding& where, const QVector<FieldProblem>& problems)
{
    for (const FieldProblem& problem : problems) {
        CheckFinding finding = where;
        finding.column = problem.column;
        finding.message = problem.message;
        findings.append(finding);
    }
}

// The agent's and the supplier's rows; a missing row is checked as an empty one.
void checkSingleRows(CertificateStore& certificates, QVector<CheckFinding>& findings)
{
    for (const TablePlace& single : SingleRowTables) {
        const QString table = QString::fromLatin1(single.table);
        Dataset rows;
        certificates.openTable(rows, table);
        if (rows.isEmpty())
            rows.append();
        rows.first();
        const CheckFinding where = CheckFinding::in(table);
        add(findings, where, mandatoryProblems(rows));
        add(findings, where, fiscalCodeProblems(rows));
    }
}

void checkCodesOf(CertificateStore& certificates, const QString& table, QVector<CheckFinding>& findings)
{
    Dataset rows;
    certificates.openTable(rows, table);
    for (rows.first(); !rows.eof(); rows.next()) {
        CheckFinding where = CheckFinding::in(table);
        where.fiscalCode = rows.hasField(u"SSOSCODFIS") ? rows.asString(u"SSOSCODFIS") : QString();
        add(findings, where, fiscalCodeProblems(rows));
    }
}

// A section table's rows of the year, by person, in the store's order.
class SectionRows
{
public:
    SectionRows(CertificateStore& certificates, const QString& table) : m_table(table)
    {
        certificates.openTable(m_rows, table);
        for (int position = 0; position < m_rows.recordCount(); ++position) {
            m_rows.setRecNo(position);
            m_byPerson[m_rows.asInteger(u"iAfiID")].append(position);
        }
    }
    const QString& table() const { return m_table; }
    // Moves to each row of the person in turn.
    template <typename Visit> void forEachOf(qint64 person, Visit visit)
    {
        const QVector<int> positions = m_byPerson.value(person);
        for (int i = 0; i < positions.size(); ++i) {
            m_rows.setRecNo(positions[i]);
            visit(m_rows, i + 1);
        }
    }

private:
    QString m_table;
    Dataset m_rows;
    QHash<qint64, QVector<int>> m_byPerson;
};

void checkCertificates(CertificateStore& certificates, QVector<CheckFinding>& findings)
{
    Dataset list;
    certificates.openCertificates(list);
    std::vector<std::unique_ptr<SectionRows>> sections;
    for (const QString& table : certificate::sectionTables())
        sections.push_back(std::make_unique<SectionRows>(certificates, table));
    const CertificateSchema& schema = certificates.schema();
    const TableSchema& certificateTable = *schema.table(certificate::Table);
    for (list.first(); !list.eof(); list.next()) {
        CheckFinding where = CheckFinding::in(certificate::Table);
        where.person = list.asInteger(u"iAfiID");
        where.fiscalCode = list.asString(u"SCUDCODFIS");
        where.month = list.asString(u"SCUDMESE");
        add(findings, where, mandatoryProblems(list));
        add(findings, where, recipientProblems(list));
        add(findings, where, fiscalCodeProblems(list));
        add(findings, where, amounts::amountProblems(list, certificateTable));
        for (const auto& section : sections) {
            const bool family = section->table() == u"TCUDC_CONFAMCARICO";
            const TableSchema* sectionTable = schema.table(section->table());
            section->forEachOf(where.person, [&](const Dataset& row, int number) {
                CheckFinding inSection = where;
                inSection.table = section->table();
                inSection.row = number;
                if (family && number == 1)
                    add(findings, inSection, mandatoryProblems(row));
                // The certificate's own code, repeated in every section row, is checked once above.
                QVector<FieldProblem> codes = fiscalCodeProblems(row);
                codes.removeIf([](const FieldProblem& p) { return p.column.toUpper() == u"SCUDCODFIS"; });
                add(findings, inSection, codes);
                if (sectionTable)
                    add(findings, inSection, amounts::amountProblems(row, *sectionTable));
            });
        }
    }
}

} // namespace

CheckFinding CheckFinding::in(const QString& table)
{
    CheckFinding finding;
    finding.table = table;
    return finding;
}

QString CheckFinding::place() const
{
    for (const TablePlace& single : SingleRowTables)
        if (table == QLatin1String(single.table))
            return QString::fromLatin1(single.place);
    if (table == u"TCUCT_DATICT")
        return QStringLiteral("Quadro CT");
    if (table == u"TCUAS_DATIALTRISOST")
        return QStringLiteral("Altro sostituto ") + fiscalCode;
    const QString certificate = QStringLiteral("Certificazione ") + fiscalCode + u'/' + month;
    if (row == 0)
        return certificate;
    return QStringLiteral("%1, %2 riga %3").arg(certificate, table).arg(row);
}

QString CheckFinding::line() const
{
    QString text = message;
    if (text.startsWith(u" - "))
        text.remove(0, 3);
    return place() + u' ' + column + QStringLiteral(": ") + text;
}

QVector<CheckFinding> checkYear(CertificateStore& certificates)
{
    QVector<CheckFinding> findings;
    checkSingleRows(certificates, findings);
    checkCodesOf(certificates, QStringLiteral("TCUCT_DATICT"), findings);
    checkCodesOf(certificates, QStringLiteral("TCUAS_DATIALTRISOST"), findings);
    checkCertificates(certificates, findings);
    return findings;
}

} // namespace cu
