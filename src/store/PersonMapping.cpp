// Parsing and querying the person mapping of a store structure.
#include "store/PersonMapping.h"

#include "foundation/operator/Errors.h"

namespace cu {

namespace {

const QString Unit = QStringLiteral("PersonMapping");

} // namespace

const QStringList& PersonMapping::personColumns()
{
    static const QStringList columns{QStringLiteral("saficodfiscale"), QStringLiteral("saficognome"),
                                     QStringLiteral("safinome"), QStringLiteral("saficodfissost"),
                                     QStringLiteral("safigruppoana")};
    return columns;
}

PersonMapping PersonMapping::parse(const QString& text)
{
    PersonMapping mapping;
    for (const QString& item : text.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = item.indexOf(u'=');
        const QString column = item.left(equals).trimmed().toLower();
        const QString fieldText = equals < 0 ? QString() : item.mid(equals + 1).trimmed();
        if (equals < 0 || column.isEmpty() || fieldText.isEmpty())
            throw EAssertion(QStringLiteral("Mappatura anagrafica non valida: \"%1\".").arg(item), Unit);
        if (!personColumns().contains(column))
            throw EAssertion(
                QStringLiteral("Colonna anagrafica sconosciuta nella mappatura: \"%1\".").arg(column), Unit);
        QStringList fields;
        for (const QString& field : fieldText.split(u'+'))
            fields.append(field.trimmed());
        if (fields.contains(QString()))
            throw EAssertion(QStringLiteral("Mappatura anagrafica non valida: \"%1\".").arg(item), Unit);
        mapping.m_pairs.append({column, fieldText, fields});
    }
    return mapping;
}

const PersonMapping::Pair* PersonMapping::forColumn(QStringView personColumn) const
{
    for (const Pair& pair : m_pairs) {
        if (pair.personColumn.compare(personColumn, Qt::CaseInsensitive) == 0)
            return &pair;
    }
    return nullptr;
}

bool PersonMapping::excludes(QStringView fieldName) const
{
    for (const Pair& pair : m_pairs) {
        if (pair.personColumn.compare(fieldName, Qt::CaseInsensitive) == 0 ||
            pair.fieldText.compare(fieldName, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace cu
