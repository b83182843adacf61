// Running a dataset's SELECT and turning its result into typed fields and
// rows.
#include "foundation/catalogue/QueryDataset.h"

#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace cu {

namespace {

const QString Unit = QStringLiteral("QueryDataset");

// Quoted texts and identifiers, comments and "::" casts are passed over; the
// last alternative captures a :NAME marker.
const QRegularExpression& markerPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"('(?:[^']|'')*'|"(?:[^"]|"")*"|--[^\n]*|/\*.*?\*/|::|:([A-Za-z_][A-Za-z0-9_]*))"),
        QRegularExpression::DotMatchesEverythingOption);
    return pattern;
}

// The text with every marker replaced by '?' and the upper-case marker names
// in order, for positional binding.
QString positionalText(const QString& text, QStringList& markers)
{
    QString result;
    qsizetype copied = 0;
    auto it = markerPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        if (!m.hasCaptured(1))
            continue;
        result += QStringView(text).mid(copied, m.capturedStart() - copied);
        result += u'?';
        markers.append(m.captured(1).toUpper());
        copied = m.capturedEnd();
    }
    result += QStringView(text).mid(copied);
    return result;
}

QVariant bindable(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toString(4);
    return value;
}

bool isIsoDate(const QVariant& value)
{
    return value.isNull() || QDate::fromString(value.toString().trimmed().left(10), Qt::ISODate).isValid();
}

// The dataset type of a result column. Engines without a date type (SQLite)
// hand dates back as text: a text column named like a date column ("D" +
// table tag + name) whose values are all ISO dates becomes a date.
FieldType fieldTypeOf(const QSqlField& field, const QVector<QVector<QVariant>>& rows, int column)
{
    switch (field.metaType().id()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return FieldType::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return FieldType::Currency;
    case QMetaType::Bool:
        return FieldType::Boolean;
    case QMetaType::QDate:
        return FieldType::Date;
    case QMetaType::QDateTime:
        return FieldType::DateTime;
    case QMetaType::QByteArray:
        return FieldType::Blob;
    default:
        break;
    }
    const bool namedAsDate = field.name().size() > 1 && field.name().at(0).toUpper() == u'D';
    const bool allDates = std::all_of(rows.cbegin(), rows.cend(), [column](const QVector<QVariant>& row) {
        return isIsoDate(row[column]);
    });
    return namedAsDate && allDates ? FieldType::Date : FieldType::String;
}

QVariant datasetValue(const QVariant& value, FieldType type, const QString& field)
{
    if (value.isNull())
        return QVariant();
    switch (type) {
    case FieldType::Currency:
        return QVariant::fromValue(columnAmount(value, field));
    case FieldType::Date:
        return value.typeId() == QMetaType::QDate
                   ? value
                   : QVariant(QDate::fromString(value.toString().trimmed().left(10), Qt::ISODate));
    default:
        return value;
    }
}

} // namespace

QueryDataset::QueryDataset(Connection& connection, QObject* parent)
    : Dataset(parent), m_connection(connection)
{
}

void QueryDataset::setCommandText(const QString& text)
{
    m_commandText = text;
    m_params.clear();
    SqlQuery parser(m_connection);
    parser.setSql(text);
    m_paramNames = parser.parameterNames();
}

void QueryDataset::setParam(const QString& name, const QVariant& value)
{
    const QString key = name.toUpper();
    if (!m_paramNames.contains(key))
        throw EAssertion(QStringLiteral("Parametro %1 inesistente nella query: %2").arg(name, m_commandText),
                         Unit);
    m_params.insert(key, value);
}

QVariant QueryDataset::param(const QString& name) const
{
    return m_params.value(name.toUpper());
}

void QueryDataset::open()
{
    if (m_commandText.trimmed().isEmpty())
        throw EAssertion(QStringLiteral("Query senza testo"), Unit);
    QStringList markers;
    const QString positional = positionalText(m_commandText, markers);
    QSqlQuery query(m_connection.database());
    query.setForwardOnly(true);
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!query.prepare(positional))
        throw DatabaseError(query.lastError().text().trimmed(), m_commandText);
    for (int i = 0; i < markers.size(); ++i) {
        const auto value = m_params.constFind(markers[i]);
        if (value == m_params.cend())
            throw EAssertion(
                QStringLiteral("Parametro %1 senza valore nella query: %2").arg(markers[i], m_commandText),
                Unit);
        query.bindValue(i, bindable(*value));
    }
    if (!query.exec())
        throw DatabaseError(query.lastError().text().trimmed(), m_commandText);

    const QSqlRecord record = query.record();
    QVector<QVector<QVariant>> rows;
    while (query.next()) {
        QVector<QVariant> row(record.count());
        for (int c = 0; c < record.count(); ++c)
            row[c] = query.value(c);
        rows.append(row);
    }
    if (query.lastError().isValid())
        throw DatabaseError(query.lastError().text().trimmed(), m_commandText);

    QVector<FieldDef> fields;
    for (int c = 0; c < record.count(); ++c) {
        const QSqlField column = record.field(c);
        fields.append({column.name(), fieldTypeOf(column, rows, c), int(qMax(0, column.length()))});
    }
    HookSuspension quiet(*this);
    setFields(fields);
    Dataset::open();
    for (const QVector<QVariant>& row : rows) {
        append();
        for (int c = 0; c < fields.size(); ++c)
            setValue(c, datasetValue(row[c], fields[c].type, fields[c].name));
        post();
    }
    mergeChangeLog();
    first();
}

void ReopenIfChanged(QueryDataset& query, const QString& keyName, bool force, const QVariant& value)
{
    if (query.isActive() && !query.isEmpty() && !force && query.hasField(keyName) &&
        query.value(keyName) == value)
        return;
    query.close();
    query.setParam(keyName, value);
    query.open();
}

} // namespace cu
