// The write side of the field-value store.
#include "store/StoreWriter.h"

#include "foundation/operator/Errors.h"
#include "store/StoreDialect.h"
#include "store/StoreStructure.h"
#include "store/StoreValues.h"

#include <array>

namespace cu {

namespace {

const QString Unit = QStringLiteral("HlmDBCds");

qint64 integerOf(const QVariant& value)
{
    return value.isNull() ? 0 : value.toLongLong();
}

QString textOf(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toString(2);
    return value.toString();
}

} // namespace

StoreWriter::StoreWriter(Connection& connection, StoreStructure& structure, const QVector<FieldDef>& fields,
                         const StoreScope& scope, IdSource newPersonId)
    : m_connection(connection), m_structure(structure), m_scope(scope), m_newPersonId(std::move(newPersonId)),
      m_dialect(StoreDialect::forConnection(connection)),
      m_deleteValues(connection,
                     QStringLiteral("DELETE FROM tfis_datifiscali WHERE icdsid = ? AND ifisrigo = ?")),
      m_deletePerson(connection, QStringLiteral("DELETE FROM tafi_anafiscale WHERE iafiid = ?")),
      m_insertPerson(connection,
                     QStringLiteral("INSERT INTO tafi_anafiscale (iafiid, icrfid) VALUES (?, ?)")),
      m_findPerson(connection,
                   QStringLiteral("SELECT afi.iafiid FROM tcrf_crofiscale crf"
                                  " INNER JOIN tafi_anafiscale afi ON afi.icrfid = crf.icrfid"
                                  " WHERE crf.icrfanno = ? AND (COALESCE(crf.icrfmese, 0) = ? OR ? = -1)"
                                  " AND lower(crf.scrfprogramma) = ? AND lower(afi.saficodfiscale) = ?"
                                  " AND (COALESCE(afi.safigruppoana, '') = ? OR ? = '')"
                                  " ORDER BY afi.iafiid"))
{
    planFields(fields);
}

StoreWriter::~StoreWriter() = default;

StoreWriter::MappedColumn StoreWriter::mappedColumn(const QVector<FieldDef>& fields,
                                                    const QString& personColumn,
                                                    const QStringList& names) const
{
    MappedColumn column{personColumn, {}};
    for (const QString& name : names) {
        int index = -1;
        for (int i = 0; i < fields.size() && index < 0; ++i) {
            if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
                index = i;
        }
        if (index < 0)
            throw EAssertion(QStringLiteral("Il campo %1 della mappatura anagrafica (%2) non esiste.")
                                 .arg(name, personColumn),
                             Unit);
        column.fields.append(index);
    }
    return column;
}

void StoreWriter::planFields(const QVector<FieldDef>& fields)
{
    const PersonMapping& mapping = m_structure.mapping;
    for (int i = 0; i < fields.size(); ++i) {
        const QString& name = fields[i].name;
        if (name.compare(u"iAfiID", Qt::CaseInsensitive) == 0)
            m_personField = i;
        else if (name.compare(u"iFisRigo", Qt::CaseInsensitive) == 0)
            m_rigoField = i;
        else if (!mapping.excludes(name))
            m_valueFields.append({i, name, int(valueColumnFor(fields[i]))});
    }
    QStringList assignments;
    for (const PersonMapping::Pair& pair : mapping.pairs()) {
        const MappedColumn column = mappedColumn(fields, pair.personColumn, pair.fields);
        if (pair.personColumn == u"saficodfiscale")
            m_fiscalCode = column;
        if (pair.personColumn == u"safigruppoana")
            m_group = column;
        m_mapped.append(column);
        assignments.append(pair.personColumn + QStringLiteral(" = ?"));
    }
    if (!m_structure.mappingReadOnly && !m_mapped.isEmpty())
        m_updatePerson = std::make_unique<StoreStatement>(
            m_connection, QStringLiteral("UPDATE tafi_anafiscale SET %1 WHERE iafiid = ?")
                              .arg(assignments.join(QStringLiteral(", "))));
}

QString StoreWriter::joined(const MappedColumn& column, const QVector<QVariant>& values) const
{
    QString text;
    for (int field : column.fields)
        text += textOf(values.value(field));
    return text;
}

qint64 StoreWriter::crofiscale()
{
    if (m_crf == 0)
        m_crf = m_dialect->crofiscaleId(m_scope.programme, m_scope.year, m_scope.month);
    return m_crf;
}

void StoreWriter::remove(const QVector<QVariant>& values)
{
    if (m_structure.personTable && m_personField >= 0) {
        const qint64 person = integerOf(values.value(m_personField));
        if (person != 0)
            m_deletePerson.exec({person});
    }
    const qint64 rigo = m_rigoField >= 0 ? integerOf(values.value(m_rigoField)) : 0;
    m_deleteValues.exec({m_structure.id, rigo});
}

qint64 StoreWriter::personFor(const QVector<QVariant>& values, qint64 crf)
{
    qint64 person = integerOf(values.value(m_personField));
    if (person != 0)
        return person;
    const QString group = m_group ? joined(*m_group, values) : QString();
    const QString fiscalCode = m_fiscalCode ? joined(*m_fiscalCode, values).toLower() : QString();
    // A row without fiscal code is never joined to someone else's person.
    if (!m_structure.personTable && !fiscalCode.isEmpty()) {
        person = integerOf(
            m_findPerson.scalar({qlonglong(m_scope.year), qlonglong(m_scope.month), qlonglong(m_scope.month),
                                 m_scope.programme.toLower(), fiscalCode, group, group}));
    }
    if (person == 0) {
        person = m_newPersonId();
        m_insertPerson.exec({person, crf});
    }
    return person;
}

void StoreWriter::updatePerson(qint64 person, const QVector<QVariant>& values)
{
    QVector<QVariant> parameters;
    parameters.reserve(m_mapped.size() + 1);
    for (const MappedColumn& column : m_mapped)
        parameters.append(joined(column, values));
    parameters.append(person);
    m_updatePerson->exec(parameters);
}

void StoreWriter::insertValues(const QVector<QVariant>& values, qint64 crf, const QVariant& person,
                               qint64 rigo)
{
    // The row's values, grouped by the column that holds them, so that each
    // value binds only the parameters it fills.
    std::array<QVector<QVariant>, ValueColumnCount> parameters;
    for (const ValueField& field : m_valueFields) {
        const QVariant value = storedValue(ValueColumn(field.kind), values.value(field.field));
        if (value.isNull())
            continue;
        QVector<QVariant>& group = parameters[std::size_t(field.kind)];
        group << m_structure.id << crf << person << rigo << field.name << value;
        if (group.size() == MaxValuesPerInsert * ParametersPerValue) {
            insertStatement(field.kind, MaxValuesPerInsert).exec(group);
            group.clear();
        }
    }
    for (int kind = 0; kind < ValueColumnCount; ++kind) {
        const QVector<QVariant>& group = parameters[std::size_t(kind)];
        if (!group.isEmpty())
            insertStatement(kind, int(group.size() / ParametersPerValue)).exec(group);
    }
}

StoreStatement& StoreWriter::insertStatement(int kind, int rows)
{
    static const std::array<QString, ValueColumnCount> valueColumns{
        QStringLiteral("ifisvalue"), QStringLiteral("ffisvalue"), QStringLiteral("sfisvalue"),
        QStringLiteral("dfisvalue")};
    std::unique_ptr<StoreStatement>& statement = m_insertValues[{kind, rows}];
    if (!statement) {
        const QString tuple = QStringLiteral("(?, ?, ?, ?, ?, ?)");
        QString sql = QStringLiteral("INSERT INTO tfis_datifiscali (icdsid, icrfid, iafiid, ifisrigo,"
                                     " sfisfieldname, %1) VALUES ")
                          .arg(valueColumns[std::size_t(kind)]) +
                      tuple;
        for (int r = 1; r < rows; ++r)
            sql += QStringLiteral(", ") + tuple;
        statement = std::make_unique<StoreStatement>(m_connection, sql);
    }
    return *statement;
}

QVector<QVariant> StoreWriter::write(const QVector<QVariant>& values, Dataset::RowStatus status)
{
    qint64 rigo = m_rigoField >= 0 ? integerOf(values.value(m_rigoField)) : 0;
    if (status == Dataset::RowStatus::Modified && rigo != 0)
        m_deleteValues.exec({m_structure.id, rigo});
    if (rigo == 0)
        rigo = ++m_structure.rowCounter;
    const qint64 crf = crofiscale();
    QVector<QVariant> written = values;
    QVariant person = nullInteger();
    if (m_personField >= 0) {
        const qint64 id = personFor(values, crf);
        if (m_updatePerson)
            updatePerson(id, values);
        person = id;
        written[m_personField] = id;
    }
    if (m_rigoField >= 0)
        written[m_rigoField] = rigo;
    insertValues(values, crf, person, rigo);
    return written;
}

} // namespace cu
