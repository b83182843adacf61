// Reading and writing the local dataset file format.
#include "foundation/dataset/DatasetFile.h"

#include "foundation/operator/Errors.h"

#include <QFile>
#include <QSaveFile>
#include <array>
#include <cstring>

namespace cu::DatasetFile {

namespace {

// Type codes of the file; fixed forever, independent of the enum's order.
struct TypeCode
{
    FieldType type;
    quint8 code;
};
constexpr std::array<TypeCode, 10> TypeCodes{{{FieldType::String, 1},
                                              {FieldType::Integer, 2},
                                              {FieldType::SmallInt, 3},
                                              {FieldType::Boolean, 4},
                                              {FieldType::Currency, 5},
                                              {FieldType::Float, 6},
                                              {FieldType::Date, 7},
                                              {FieldType::DateTime, 8},
                                              {FieldType::Memo, 9},
                                              {FieldType::Blob, 10}}};

quint8 codeOf(FieldType type)
{
    for (const TypeCode& entry : TypeCodes)
        if (entry.type == type)
            return entry.code;
    return 0;
}

std::optional<FieldType> typeOf(quint8 code)
{
    for (const TypeCode& entry : TypeCodes)
        if (entry.code == code)
            return entry.type;
    return std::nullopt;
}

std::array<std::array<quint32, 256>, 8> makeCrcTables()
{
    std::array<std::array<quint32, 256>, 8> tables{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][i] = c;
    }
    for (quint32 i = 0; i < 256; ++i)
        for (std::size_t t = 1; t < 8; ++t)
            tables[t][i] = (tables[t - 1][i] >> 8) ^ tables[0][tables[t - 1][i] & 0xFF];
    return tables;
}

// Appends to a buffer that grows by doubling; bytes() gives the written part.
class Writer
{
public:
    explicit Writer(std::size_t expected) { m_bytes.resize(qsizetype(std::max<std::size_t>(expected, 64))); }

    template <typename T> void put(T value)
    {
        static_assert(std::is_trivially_copyable_v<T>);
        // The file is little-endian, as every supported machine.
        std::memcpy(room(sizeof(T)), &value, sizeof(T));
    }
    void putBytes(QByteArrayView bytes)
    {
        put(quint32(bytes.size()));
        putRaw(bytes.data(), std::size_t(bytes.size()));
    }
    void putText(QStringView text)
    {
        bool ascii = true;
        for (const QChar c : text)
            if (c.unicode() >= 0x80) {
                ascii = false;
                break;
            }
        if (!ascii) {
            putBytes(text.toUtf8());
            return;
        }
        put(quint32(text.size()));
        char* target = room(std::size_t(text.size()));
        for (qsizetype i = 0; i < text.size(); ++i)
            target[i] = char(text[i].unicode());
    }
    void putRaw(const void* data, std::size_t size)
    {
        if (size > 0)
            std::memcpy(room(size), data, size);
    }
    QByteArrayView written() const { return QByteArrayView(m_bytes.constData(), m_used); }
    QByteArray take()
    {
        m_bytes.truncate(m_used);
        return std::move(m_bytes);
    }

private:
    char* room(std::size_t size)
    {
        if (m_used + qsizetype(size) > m_bytes.size())
            m_bytes.resize(std::max(m_bytes.size() * 2, m_used + qsizetype(size)));
        char* target = m_bytes.data() + m_used;
        m_used += qsizetype(size);
        return target;
    }

    QByteArray m_bytes;
    qsizetype m_used = 0;
};

class Reader
{
public:
    Reader(const QByteArray& bytes, qsizetype end, const QString& source)
        : m_bytes(bytes), m_end(end), m_source(source)
    {
    }

    template <typename T> T get()
    {
        T value;
        std::memcpy(&value, take(sizeof(T)), sizeof(T));
        return value;
    }
    QByteArrayView getBytes()
    {
        const quint32 size = get<quint32>();
        return QByteArrayView(take(size), qsizetype(size));
    }
    const char* take(std::size_t size)
    {
        if (size > std::size_t(m_end - m_pos))
            damaged(QStringLiteral("dati troncati"));
        const char* data = m_bytes.constData() + m_pos;
        m_pos += qsizetype(size);
        return data;
    }
    qsizetype remaining() const { return m_end - m_pos; }

    [[noreturn]] void damaged(const QString& why) const
    {
        throw EZfError(QStringLiteral("Il file \"%1\" è danneggiato o non è un archivio dati valido (%2).")
                           .arg(m_source, why));
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_pos = 0;
    qsizetype m_end;
    const QString& m_source;
};

void writeValue(Writer& out, const RowStore& store, RowStore::Slot slot, int field, FieldType type)
{
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        out.putText(store.text(slot, field));
        break;
    case FieldType::Blob:
        out.putBytes(store.bytes(slot, field));
        break;
    case FieldType::SmallInt:
        out.put(qint16(store.raw(slot, field)));
        break;
    case FieldType::Boolean:
        out.put(quint8(store.raw(slot, field) != 0));
        break;
    case FieldType::Date:
        out.put(qint32(store.raw(slot, field)));
        break;
    case FieldType::Integer:
    case FieldType::Currency:
    case FieldType::Float: // the cell holds the bits of the double
    case FieldType::DateTime:
        out.put(qint64(store.raw(slot, field)));
        break;
    }
}

void readValue(Reader& in, RowStore& store, RowStore::Slot slot, int field, FieldType type)
{
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        store.setTextUtf8(slot, field, in.getBytes());
        break;
    case FieldType::Blob:
        store.setBytes(slot, field, in.getBytes());
        break;
    case FieldType::SmallInt:
        store.setRaw(slot, field, in.get<qint16>());
        break;
    case FieldType::Boolean:
        store.setRaw(slot, field, in.get<quint8>() != 0 ? 1 : 0);
        break;
    case FieldType::Date:
        store.setRaw(slot, field, in.get<qint32>());
        break;
    case FieldType::Integer:
    case FieldType::Currency:
    case FieldType::Float:
    case FieldType::DateTime:
        store.setRaw(slot, field, in.get<qint64>());
        break;
    }
}

void writeFields(Writer& out, const QVector<FieldDef>& fields)
{
    out.put(quint32(fields.size()));
    for (const FieldDef& field : fields) {
        out.putText(field.name);
        out.put(codeOf(field.type));
        out.put(qint32(field.size));
    }
}

QVector<FieldDef> readFields(Reader& in)
{
    const quint32 count = in.get<quint32>();
    if (count > 65535)
        in.damaged(QStringLiteral("numero di campi non plausibile"));
    QVector<FieldDef> fields;
    for (quint32 i = 0; i < count; ++i) {
        FieldDef field;
        field.name = QString::fromUtf8(in.getBytes());
        const auto type = typeOf(in.get<quint8>());
        if (!type || field.name.isEmpty())
            in.damaged(QStringLiteral("definizione del campo %1 non valida").arg(i + 1));
        field.type = *type;
        field.size = in.get<qint32>();
        fields.push_back(field);
    }
    return fields;
}

} // namespace

quint32 crc32(QByteArrayView bytes)
{
    static const auto tables = makeCrcTables();
    quint32 crc = 0xFFFFFFFFu;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t size = std::size_t(bytes.size());
    while (size >= 8) {
        quint32 low;
        quint32 high;
        std::memcpy(&low, p, 4);
        std::memcpy(&high, p + 4, 4);
        low ^= crc;
        crc = tables[7][low & 0xFF] ^ tables[6][(low >> 8) & 0xFF] ^ tables[5][(low >> 16) & 0xFF] ^
              tables[4][low >> 24] ^ tables[3][high & 0xFF] ^ tables[2][(high >> 8) & 0xFF] ^
              tables[1][(high >> 16) & 0xFF] ^ tables[0][high >> 24];
        p += 8;
        size -= 8;
    }
    while (size-- > 0)
        crc = tables[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QByteArray encode(const QVector<FieldDef>& fields, const RowStore& store,
                  const std::vector<RowStore::Slot>& rows)
{
    const std::size_t bitmapBytes = std::size_t((fields.size() + 7) / 8);
    Writer out(64 + rows.size() * (bitmapBytes + std::size_t(fields.size()) * 8) + store.arenaSize() / 2);
    out.putRaw(Magic, sizeof Magic);
    out.put(Version);
    out.put(quint16(0)); // flags, none defined
    writeFields(out, fields);
    out.put(quint64(rows.size()));
    std::vector<unsigned char> bitmap(bitmapBytes);
    for (const RowStore::Slot slot : rows) {
        std::fill(bitmap.begin(), bitmap.end(), 0);
        for (int f = 0; f < fields.size(); ++f)
            if (store.isNull(slot, f))
                bitmap[std::size_t(f / 8)] |= (1u << (f % 8));
        out.putRaw(bitmap.data(), bitmap.size());
        for (int f = 0; f < fields.size(); ++f)
            if (!store.isNull(slot, f))
                writeValue(out, store, slot, f, fields[f].type);
    }
    out.put(crc32(out.written()));
    return out.take();
}

Contents decode(const QByteArray& bytes, const QString& sourceName)
{
    const qsizetype headerSize = qsizetype(sizeof Magic) + 4;
    Reader in(bytes, bytes.size(), sourceName);
    if (bytes.size() < headerSize + 4 || std::memcmp(bytes.constData(), Magic, sizeof Magic) != 0)
        in.damaged(QStringLiteral("intestazione sconosciuta"));
    const qsizetype body = bytes.size() - 4;
    quint32 stored;
    std::memcpy(&stored, bytes.constData() + body, 4);
    if (stored != crc32(QByteArrayView(bytes.constData(), body)))
        in.damaged(QStringLiteral("somma di controllo errata"));

    Reader rows(bytes, body, sourceName);
    rows.take(sizeof Magic);
    const quint16 version = rows.get<quint16>();
    if (version == 0 || version > Version)
        rows.damaged(QStringLiteral("versione %1 non supportata").arg(version));
    rows.get<quint16>();
    Contents contents;
    contents.fields = readFields(rows);
    contents.store.reset(contents.fields);
    const quint64 count = rows.get<quint64>();
    const std::size_t bitmapBytes = std::size_t((contents.fields.size() + 7) / 8);
    if (count > quint64(rows.remaining()) / std::max<std::size_t>(bitmapBytes, 1))
        rows.damaged(QStringLiteral("numero di righe non plausibile"));
    contents.store.reserve(std::size_t(count), std::size_t(rows.remaining()) * 2);
    for (quint64 row = 0; row < count; ++row) {
        const auto* bitmap = reinterpret_cast<const unsigned char*>(rows.take(bitmapBytes));
        const RowStore::Slot slot = contents.store.addSlot();
        for (int f = 0; f < contents.fields.size(); ++f)
            if (!(bitmap[f / 8] & (1u << (f % 8))))
                readValue(rows, contents.store, slot, f, contents.fields[f].type);
    }
    if (rows.remaining() != 0)
        rows.damaged(QStringLiteral("dati in eccesso"));
    return contents;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(
            QStringLiteral("Impossibile leggere il file \"%1\": %2").arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EZfError(
            QStringLiteral("Impossibile leggere il file \"%1\": %2").arg(path, file.errorString()));
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EZfError(
            QStringLiteral("Impossibile scrivere il file \"%1\": %2").arg(path, file.errorString()));
}

} // namespace cu::DatasetFile
