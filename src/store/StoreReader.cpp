// The one-pass pivot of field values into dataset rows.
#include "store/StoreReader.h"

#include "foundation/database/StoreStatement.h"
#include "foundation/dataset/Dataset.h"
#include "store/StoreStructure.h"
#include "store/StoreValues.h"

#include <QHash>

namespace cu {

namespace {

enum Column
{
    Rigo,
    Person,
    FieldName,
    IntegerValue,
    AmountValue,
    TextValue,
    DateValue,
    FirstPersonColumn // then the person columns in PersonMapping::personColumns() order
};

int valueColumnIndex(ValueColumn column)
{
    switch (column) {
    case ValueColumn::Integer:
        return IntegerValue;
    case ValueColumn::Amount:
        return AmountValue;
    case ValueColumn::Text:
        return TextValue;
    case ValueColumn::Date:
        return DateValue;
    }
    return TextValue;
}

struct FieldTarget
{
    int field = -1;
    int column = TextValue;
    ValueColumn kind = ValueColumn::Text;
};

// The dataset fields that the stored values fill, by upper-case field name.
QHash<QString, FieldTarget> valueTargets(const Dataset& dataset)
{
    QHash<QString, FieldTarget> targets;
    const QVector<FieldDef>& fields = dataset.fields();
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].type == FieldType::Blob)
            continue;
        const ValueColumn kind = valueColumnFor(fields[i]);
        targets.insert(fields[i].name.toUpper(), {i, valueColumnIndex(kind), kind});
    }
    return targets;
}

// Mapped person columns copied into the dataset: (result column, field).
QVector<QPair<int, int>> personTargets(const StoreStructure& structure, const Dataset& dataset)
{
    QVector<QPair<int, int>> targets;
    const QStringList& columns = PersonMapping::personColumns();
    for (const PersonMapping::Pair& pair : structure.mapping.pairs()) {
        const int field = dataset.fieldIndex(pair.fieldText);
        if (field >= 0)
            targets.append({FirstPersonColumn + int(columns.indexOf(pair.personColumn)), field});
    }
    return targets;
}

} // namespace

QString storeRowsSql(bool onePerson)
{
    // One person's values are found through the person index: the form
    // "(iafiid = ? OR ? = -1)" would make the engines walk every value of
    // the table for each person, and the unary plus keeps SQLite, which has
    // no statistics, from preferring the table's key on icdsid.
    return QStringLiteral(
               "SELECT fis.ifisrigo, fis.iafiid, fis.sfisfieldname, fis.ifisvalue, fis.ffisvalue, fis.sfisvalue,"
               " fis.dfisvalue, afi.saficodfiscale, afi.saficognome, afi.safinome, afi.saficodfissost, "
               "afi.safigruppoana"
               " FROM tcrf_crofiscale crf"
               " INNER JOIN tfis_datifiscali fis ON fis.icrfid = crf.icrfid"
               " LEFT JOIN tafi_anafiscale afi ON afi.iafiid = fis.iafiid"
               " WHERE COALESCE(crf.icrfanno, 0) = ? AND (COALESCE(crf.icrfmese, 0) = ? OR ? = -1)"
               " AND lower(crf.scrfprogramma) = ? AND %1"
               " ORDER BY fis.ifisrigo")
        .arg(onePerson ? QStringLiteral("+fis.icdsid = ? AND fis.iafiid = ?") : QStringLiteral("fis.icdsid = ?"));
}

void readStoreRows(Connection& connection, const StoreStructure& structure, const StoreScope& scope,
                   Dataset& dataset)
{
    const QHash<QString, FieldTarget> targets = valueTargets(dataset);
    const QVector<QPair<int, int>> persons = personTargets(structure, dataset);
    const int personField = dataset.fieldIndex(u"iAfiID");
    const int rigoField = dataset.fieldIndex(u"iFisRigo");

    const bool onePerson = scope.person != -1;
    StoreStatement query(connection, storeRowsSql(onePerson));
    QVector<QVariant> parameters{qlonglong(scope.year), qlonglong(scope.month), qlonglong(scope.month),
                                 scope.programme.toLower(), structure.id};
    if (onePerson)
        parameters.append(scope.person);
    query.exec(parameters);

    bool rowOpen = false;
    qint64 currentRigo = 0;
    while (query.next()) {
        const qint64 rigo = query.value(Rigo).toLongLong();
        if (!rowOpen || rigo != currentRigo) {
            if (rowOpen)
                dataset.post();
            dataset.append();
            rowOpen = true;
            currentRigo = rigo;
            if (personField >= 0)
                dataset.setValue(personField, query.value(Person).toLongLong());
            if (rigoField >= 0)
                dataset.setValue(rigoField, rigo);
            for (const auto& [column, field] : persons) {
                const QVariant value = query.value(column);
                if (!value.isNull())
                    dataset.setValue(field, value.toString());
            }
        }
        const auto target = targets.constFind(query.value(FieldName).toString().toUpper());
        if (target != targets.constEnd())
            dataset.setValue(target->field, loadedValue(target->kind, query.value(target->column)));
    }
    if (rowOpen)
        dataset.post();
}

} // namespace cu
