// Reading and writing amounts and flags of a certificate row by column name.
#pragma once

#include "foundation/dataset/Dataset.h"
#include "foundation/text/Currency.h"

namespace cu {

inline void setAmount(Dataset& row, QStringView column, Currency amount)
{
    row.setValue(column, QVariant::fromValue(amount));
}

inline Currency amount(const Dataset& row, QStringView column)
{
    return row.asCurrency(column);
}

inline void setText(Dataset& row, QStringView column, const QString& text)
{
    row.setValue(column, text);
}

} // namespace cu
