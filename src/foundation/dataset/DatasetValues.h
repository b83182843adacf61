// The meaning of a dataset cell by field type: converting a value into a cell
// (text "12.50" into an exact amount, "2024-06-30" into a date, ...), reading
// it back as a QVariant or as text, and ordering two cells.
#pragma once

#include "foundation/dataset/DatasetStorage.h"

#include <QVariant>

namespace cu::cells {

// Stores the value into the cell, converted to the field's type. A null or
// empty value makes the cell null. An impossible conversion is an EZfError
// naming the field.
void store(RowStore& store, RowStore::Slot slot, int field, const FieldDef& def, const QVariant& value);
// Converts text as it appears in files and filters into the cell.
void storeText(RowStore& store, RowStore::Slot slot, int field, const FieldDef& def, QStringView text);

QVariant load(const RowStore& store, RowStore::Slot slot, int field, FieldType type);
// Text of the value: numbers plainly, amounts with '.' and their decimals
// (at least two), dates yyyy-MM-dd, date-times ISO 8601, booleans
// true/false, blobs as they are (Latin-1); empty when null.
QString text(const RowStore& store, RowStore::Slot slot, int field, FieldType type);

// Orders two values of one field (the slots may be of different stores with
// the same fields): null first, numbers as numbers, texts by code unit.
int compare(const RowStore& a, RowStore::Slot slotA, const RowStore& b, RowStore::Slot slotB, int field,
            FieldType type, Qt::CaseSensitivity textCase = Qt::CaseSensitive);

// A 64-bit key that orders like compare(): when the keys of two values
// differ, they order the values; equal keys decide nothing (texts and
// bytes keep only their beginning; a null number shares its key with the
// lowest 64-bit value, which no amount, count or date reaches). Sorting on keys touches contiguous
// memory instead of the cells and texts of every row.
// A text or blob has further keys for the following characters or bytes
// (part 1, 2, ...); other values have only part 0 and give 0 for the rest.
std::uint64_t sortKey(const RowStore& store, RowStore::Slot slot, int field, FieldType type, int part = 0);

// A date-time as the 64-bit cell keeps it (milliseconds since the start of
// the Julian day count, without time zone) and back.
std::int64_t dateTimeCell(const QDateTime& value);
QDateTime dateTimeFromCell(std::int64_t cell);

bool isNumeric(FieldType type);
bool isText(FieldType type);

} // namespace cu::cells
