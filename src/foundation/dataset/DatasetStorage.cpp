// Compact row storage of the dataset.
#include "foundation/dataset/DatasetStorage.h"

#include "foundation/operator/Errors.h"

#include <bit>
#include <cstring>
#include <limits>

namespace cu {

namespace {

constexpr std::size_t EntryHeader = sizeof(std::uint32_t);

constexpr std::size_t paddedSize(std::size_t bytes)
{
    return (EntryHeader + bytes + 3) & ~std::size_t(3);
}

bool isArenaType(FieldType type)
{
    return type == FieldType::String || type == FieldType::Memo || type == FieldType::Blob;
}

} // namespace

void RowStore::reset(const QVector<FieldDef>& fields)
{
    m_arenaField.clear();
    for (const FieldDef& field : fields)
        m_arenaField.push_back(isArenaType(field.type));
    m_nullWords = int((fields.size() + 63) / 64);
    m_stride = m_nullWords + int(fields.size());
    m_slotCount = 0;
    m_cells.clear();
    m_cells.shrink_to_fit();
    m_arena.clear();
    m_arena.shrink_to_fit();
}

void RowStore::reserve(std::size_t rowCount, std::size_t arenaBytes)
{
    m_cells.reserve(rowCount * std::size_t(m_stride));
    m_arena.reserve(arenaBytes);
}

RowStore::Slot RowStore::addSlot()
{
    if (m_slotCount == NoSlot - 1)
        throw EAssertion(QStringLiteral("Troppe righe nel dataset"), QStringLiteral("RowStore"));
    m_cells.resize(m_cells.size() + std::size_t(m_stride), 0);
    std::uint64_t* cells = row(m_slotCount);
    for (int word = 0; word < m_nullWords; ++word)
        cells[word] = ~std::uint64_t(0);
    return m_slotCount++;
}

RowStore::Slot RowStore::copySlot(Slot from)
{
    const Slot slot = addSlot();
    std::memcpy(row(slot), row(from), std::size_t(m_stride) * sizeof(std::uint64_t));
    return slot;
}

double RowStore::real(Slot slot, int field) const
{
    return std::bit_cast<double>(row(slot)[m_nullWords + field]);
}

QStringView RowStore::text(Slot slot, int field) const
{
    if (isNull(slot, field))
        return {};
    const std::uint64_t offset = row(slot)[m_nullWords + field];
    return QStringView(reinterpret_cast<const char16_t*>(m_arena.data() + offset + EntryHeader),
                       qsizetype(entryLength(offset) / sizeof(char16_t)));
}

QByteArrayView RowStore::bytes(Slot slot, int field) const
{
    if (isNull(slot, field))
        return {};
    const std::uint64_t offset = row(slot)[m_nullWords + field];
    return QByteArrayView(m_arena.data() + offset + EntryHeader, qsizetype(entryLength(offset)));
}

void RowStore::setNull(Slot slot, int field)
{
    std::uint64_t* cells = row(slot);
    cells[field >> 6] |= std::uint64_t(1) << (field & 63);
    cells[m_nullWords + field] = 0;
}

void RowStore::setCell(Slot slot, int field, std::uint64_t cell)
{
    std::uint64_t* cells = row(slot);
    cells[field >> 6] &= ~(std::uint64_t(1) << (field & 63));
    cells[m_nullWords + field] = cell;
}

void RowStore::setRaw(Slot slot, int field, std::int64_t value)
{
    setCell(slot, field, std::uint64_t(value));
}

void RowStore::setReal(Slot slot, int field, double value)
{
    setCell(slot, field, std::bit_cast<std::uint64_t>(value));
}

void RowStore::setText(Slot slot, int field, QStringView value)
{
    setCell(slot, field, appendEntry(value.utf16(), std::size_t(value.size()) * sizeof(char16_t)));
}

void RowStore::setTextUtf8(Slot slot, int field, QByteArrayView utf8)
{
    const auto* begin = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = std::size_t(utf8.size());
    bool ascii = true;
    for (std::size_t i = 0; i < size && ascii; ++i)
        ascii = begin[i] < 0x80;
    if (!ascii) {
        setText(slot, field, QString::fromUtf8(utf8));
        return;
    }
    std::uint64_t offset = 0;
    char* data = reserveEntry(size * sizeof(char16_t), offset);
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t c = begin[i];
        std::memcpy(data + i * sizeof(char16_t), &c, sizeof(char16_t));
    }
    setCell(slot, field, offset);
}

void RowStore::setBytes(Slot slot, int field, QByteArrayView value)
{
    setCell(slot, field, appendEntry(value.data(), std::size_t(value.size())));
}

void RowStore::copyValue(Slot from, Slot to, int field)
{
    if (isNull(from, field))
        setNull(to, field);
    else
        setCell(to, field, row(from)[m_nullWords + field]);
}

char* RowStore::reserveEntry(std::size_t bytes, std::uint64_t& offset)
{
    if (bytes > std::numeric_limits<std::uint32_t>::max())
        throw EZfError(QStringLiteral("Valore troppo grande per il dataset (%1 byte)").arg(bytes));
    offset = m_arena.size();
    m_arena.resize(m_arena.size() + paddedSize(bytes));
    const auto length = std::uint32_t(bytes);
    std::memcpy(m_arena.data() + offset, &length, EntryHeader);
    return m_arena.data() + offset + EntryHeader;
}

std::uint64_t RowStore::appendEntry(const void* data, std::size_t bytes)
{
    std::uint64_t offset = 0;
    char* target = reserveEntry(bytes, offset);
    if (bytes > 0)
        std::memcpy(target, data, bytes);
    return offset;
}

std::uint32_t RowStore::entryLength(std::uint64_t offset) const
{
    std::uint32_t length = 0;
    std::memcpy(&length, m_arena.data() + offset, EntryHeader);
    return length;
}

void RowStore::compact(const std::vector<Slot>& keep)
{
    std::vector<std::uint64_t> cells;
    cells.reserve(keep.size() * std::size_t(m_stride));
    std::vector<char> arena;
    arena.reserve(m_arena.size());
    for (const Slot slot : keep) {
        const std::size_t first = cells.size();
        cells.insert(cells.end(), row(slot), row(slot) + m_stride);
        for (int field = 0; field < fieldCount(); ++field) {
            if (!m_arenaField[std::size_t(field)] || isNull(slot, field))
                continue;
            std::uint64_t& cell = cells[first + std::size_t(m_nullWords + field)];
            const std::size_t size = paddedSize(entryLength(cell));
            const std::uint64_t offset = arena.size();
            arena.insert(arena.end(), m_arena.begin() + std::ptrdiff_t(cell),
                         m_arena.begin() + std::ptrdiff_t(cell + size));
            cell = offset;
        }
    }
    m_cells = std::move(cells);
    m_arena = std::move(arena);
    m_slotCount = Slot(keep.size());
}

} // namespace cu
