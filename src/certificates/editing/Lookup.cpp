// The lookup dialog's rules.
#include "certificates/editing/Lookup.h"

#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "certificates/agent/OtherAgentsEditing.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"

#include <QFileInfo>

namespace cu {

namespace {

bool isNumeric(FieldType type)
{
    return type == FieldType::Integer || type == FieldType::SmallInt || type == FieldType::Currency ||
           type == FieldType::Float;
}

// Negative, zero or positive as the row's value is below, equal or above the text.
int compareWith(const Dataset& rows, int position, int field, const QString& typed)
{
    const QVariant value = rows.valueAt(position, field);
    if (isNumeric(rows.fields()[field].type)) {
        bool ok = false;
        const double wanted = typed.trimmed().toDouble(&ok);
        const double have = value.metaType() == QMetaType::fromType<Currency>()
                                ? value.value<Currency>().toDouble()
                                : value.toDouble();
        if (ok)
            return have < wanted ? -1 : (have > wanted ? 1 : 0);
    }
    return value.toString().compare(typed, Qt::CaseInsensitive);
}

} // namespace

LookupSource lookupSource(const ColumnSchema& column)
{
    if (column.name.compare(u"SCUDALTROSOSCODFIS", Qt::CaseInsensitive) == 0)
        return {LookupSource::Kind::Store, OtherAgentsEditing::TableName};
    if (!column.lookup.isEmpty())
        return {LookupSource::Kind::File, column.lookup};
    return {};
}

QStringList hiddenLookupFields(const LookupSource& source)
{
    if (source.kind != LookupSource::Kind::Store)
        return {};
    return {QStringLiteral("iAfiID"), QStringLiteral("iFisRigo")};
}

void loadLookup(Dataset& rows, const LookupSource& source, CertificateStore& certificates,
                const Folders& folders)
{
    if (source.kind != LookupSource::Kind::Store) {
        loadLookupFile(rows, source, folders);
        return;
    }
    certificates.openTable(rows, source.name);
    rows.setIndexFieldNames(firstShownField(rows, source));
    rows.first();
}

void loadLookupFile(Dataset& rows, const LookupSource& source, const Folders& folders)
{
    if (source.kind != LookupSource::Kind::File)
        throw EAssertion(QStringLiteral("Colonna senza tabella di ricerca"), QStringLiteral("Lookup"));
    const QString path = Folders::resolve(folders.tabelle(), source.name);
    if (!QFileInfo::exists(path))
        throw EZfError(QStringLiteral("Tabella di ricerca non trovata: %1").arg(path));
    rows.loadFromFile(path);
    rows.setIndexFieldNames(firstShownField(rows, source));
    rows.first();
}

QString firstShownField(const Dataset& rows, const LookupSource& source)
{
    const QStringList hidden = hiddenLookupFields(source);
    for (const FieldDef& field : rows.fields())
        if (!hidden.contains(field.name, Qt::CaseInsensitive))
            return field.name;
    return QString();
}

int nearestRow(const Dataset& rows, const QString& fieldName, const QString& typed)
{
    if (rows.isEmpty())
        return -1;
    const int field = rows.requireField(fieldName);
    for (int position = 0; position < rows.recordCount(); ++position)
        if (compareWith(rows, position, field, typed) >= 0)
            return position;
    return rows.recordCount() - 1;
}

} // namespace cu
