// The person mapping of a store structure (sCdsFieldMap): pairs of a person
// column of TAFI_ANAFISCALE and the dataset field(s) that hold its value,
// "saficognome=SCUDCOGNOME;saficodfiscale=SCUDCODFIS;safigruppoana=A+B".
// Several fields joined by "+" form the value by concatenation. Mapped values
// live in the person row, never among the field values.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace cu {

class PersonMapping
{
public:
    struct Pair
    {
        QString personColumn; // lower case, one of the person columns
        QString fieldText;    // as written: "SCUDCOGNOME" or "A+B"
        QStringList fields;   // the fieldText split at "+"
    };

    // A malformed text or an unknown person column is an EAssertion: the
    // column names end up in SQL text, so only the person table's own
    // columns are accepted.
    static PersonMapping parse(const QString& text);

    const QVector<Pair>& pairs() const { return m_pairs; }
    bool isEmpty() const { return m_pairs.isEmpty(); }
    const Pair* forColumn(QStringView personColumn) const;
    // True for a name equal (without regard to case) to either side of a
    // pair: such a dataset field is not stored as a field value.
    bool excludes(QStringView fieldName) const;

    // The person columns that a store may map, lower case.
    static const QStringList& personColumns();

private:
    QVector<Pair> m_pairs;
};

} // namespace cu
