// The dataset file loader (".cds"): any byte stream is decoded or refused;
// what decodes is encoded and decoded again, as a save after a load does.
// The closing CRC-32 is set right before decoding, or nearly every mutation
// would stop at the checksum and the fuzzer would never reach the fields and
// rows behind it.
#include "FuzzInput.h"

#include "foundation/dataset/DatasetFile.h"

#include <QtEndian>
#include <numeric>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    if (bytes.size() >= 4) {
        const qsizetype body = bytes.size() - 4;
        qToLittleEndian(cu::DatasetFile::crc32(QByteArrayView(bytes.constData(), body)), bytes.data() + body);
    }
    cu::fuzz::refuseCleanly([&] {
        const cu::DatasetFile::Contents contents = cu::DatasetFile::decode(bytes, QStringLiteral("fuzz.cds"));
        std::vector<cu::RowStore::Slot> rows(contents.store.slotCount());
        std::iota(rows.begin(), rows.end(), cu::RowStore::Slot(0));
        const QByteArray again = cu::DatasetFile::encode(contents.fields, contents.store, rows);
        cu::DatasetFile::decode(again, QStringLiteral("fuzz-again.cds"));
    });
    return 0;
}
