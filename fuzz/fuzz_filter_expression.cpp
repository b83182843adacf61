// The filter-expression parser: any text is parsed and applied to rows of
// every field type, or refused.
#include "FuzzInput.h"

#include "foundation/dataset/Dataset.h"

#include <QVariant>

namespace {

// Rows of every type, with nulls and a quote in a value.
cu::Dataset& filterRows()
{
    static cu::Dataset* rows = [] {
        auto* ds = new cu::Dataset;
        using cu::FieldType;
        ds->setFields({{QStringLiteral("IAFIID"), FieldType::Integer, 0},
                       {QStringLiteral("SCUDCODFIS"), FieldType::String, 16},
                       {QStringLiteral("NRIGA"), FieldType::SmallInt, 0},
                       {QStringLiteral("FCUDIMPORTO"), FieldType::Currency, 0},
                       {QStringLiteral("DCUDDATA"), FieldType::Date, 0},
                       {QStringLiteral("TCUDORA"), FieldType::DateTime, 0},
                       {QStringLiteral("LCUDFLAG"), FieldType::Boolean, 0},
                       {QStringLiteral("RVALORE"), FieldType::Float, 0},
                       {QStringLiteral("MNOTE"), FieldType::Memo, 0}});
        ds->open();
        const QList<QVariantList> values{
            {1, "RSSMRA80A01H501U", 6, "10.50", "2024-06-30", "2024-06-30T10:00:00", true, 1.5, "nota"},
            {-2, "O'BRIEN", -1, "-3", "2023-01-01", QVariant(), false, -1e300, "O'BRIEN"},
            {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
             QVariant()}};
        for (const QVariantList& row : values) {
            ds->append();
            for (int i = 0; i < row.size(); ++i)
                ds->setValue(i, row[i]);
            ds->post();
        }
        return ds;
    }();
    return *rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    cu::Dataset& rows = filterRows();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    cu::fuzz::refuseCleanly([&] {
        rows.setFilter(text);
        for (rows.first(); !rows.eof(); rows.next()) {
        }
    });
    rows.setFilter(QString());
    return 0;
}
