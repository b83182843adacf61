// Compact storage of a dataset's rows. Every row ("slot") is a run of 64-bit
// cells behind a null bitmap; numbers, dates and amounts sit in the cell
// itself, texts (UTF-16) and bytes live in one arena and the cell holds their
// offset. A million rows of ten fields thus take a few allocations, not ten
// million.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QByteArrayView>
#include <QStringView>
#include <cstdint>
#include <vector>

namespace cu {

class RowStore
{
public:
    using Slot = std::uint32_t;
    static constexpr Slot NoSlot = ~Slot(0);

    // Drops every slot and shapes the store for the fields.
    void reset(const QVector<FieldDef>& fields);
    int fieldCount() const { return int(m_arenaField.size()); }
    Slot slotCount() const { return m_slotCount; }
    std::size_t arenaSize() const { return m_arena.size(); }
    void reserve(std::size_t rowCount, std::size_t arenaBytes);

    // A new slot with every value null.
    Slot addSlot();
    // A new slot with the values of another (texts are shared, not copied).
    Slot copySlot(Slot from);

    bool isNull(Slot slot, int field) const { return (row(slot)[field >> 6] >> (field & 63)) & 1u; }
    // The cell of a number, amount, date or boolean (meaningless when null).
    std::int64_t raw(Slot slot, int field) const { return std::int64_t(row(slot)[m_nullWords + field]); }
    double real(Slot slot, int field) const;
    // Text and bytes of arena fields; empty when null.
    QStringView text(Slot slot, int field) const;
    QByteArrayView bytes(Slot slot, int field) const;

    void setNull(Slot slot, int field);
    void setRaw(Slot slot, int field, std::int64_t value);
    void setReal(Slot slot, int field, double value);
    void setText(Slot slot, int field, QStringView value);
    void setTextUtf8(Slot slot, int field, QByteArrayView utf8);
    void setBytes(Slot slot, int field, QByteArrayView value);
    // Copies one value of another slot of the same store.
    void copyValue(Slot from, Slot to, int field);

    // Keeps only the given slots, renumbered 0..n-1 in the given order;
    // arena entries that no kept slot references are dropped.
    void compact(const std::vector<Slot>& keep);

private:
    const std::uint64_t* row(Slot slot) const { return m_cells.data() + std::size_t(slot) * m_stride; }
    std::uint64_t* row(Slot slot) { return m_cells.data() + std::size_t(slot) * m_stride; }
    void setCell(Slot slot, int field, std::uint64_t cell);
    // Appends an entry (32-bit length, data, padding to 4 bytes); returns its offset.
    std::uint64_t appendEntry(const void* data, std::size_t bytes);
    char* reserveEntry(std::size_t bytes, std::uint64_t& offset);
    std::uint32_t entryLength(std::uint64_t offset) const;

    std::vector<bool> m_arenaField;
    int m_nullWords = 0;
    int m_stride = 0;
    Slot m_slotCount = 0;
    std::vector<std::uint64_t> m_cells;
    std::vector<char> m_arena;
};

} // namespace cu
