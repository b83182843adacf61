// The value columns of TFIS_DATIFISCALI: which one a dataset field uses (by
// its type), the parameter a field value is stored with (none for a zero,
// an empty text or an empty date) and the dataset value read back from it.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QVariant>

namespace cu {

enum class ValueColumn
{
    Integer,
    Amount,
    Text,
    Date
};

// ifisvalue, ffisvalue, sfisvalue, dfisvalue. A blob field has no value
// column: EAssertion naming the field.
ValueColumn valueColumnFor(const FieldDef& field);

// The parameter for the field's value; null when nothing is to be stored.
// Amounts are decimal text with four decimals, dates ISO text: exact on
// every engine.
QVariant storedValue(ValueColumn column, const QVariant& value);

// The dataset value of a value column as the driver returns it (exact for
// amounts: decimal text, or a REAL rounded to the fourth decimal).
QVariant loadedValue(ValueColumn column, const QVariant& raw);

} // namespace cu
