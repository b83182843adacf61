// Records A, B and Z.
#include "telematic/records/SupplyRecords.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/TextFunctions.h"
#include "telematic/layouts/CampoValue.h"
#include "telematic/records/RecordLine.h"

namespace cu {

namespace {

constexpr int FilingYear = 2025;

// Fetch of a layout field from one dataset, by component name.
CampoFetch fetchFrom(const Dataset& dataset, QStringView componentName)
{
    return [&dataset, componentName](const LayoutField& campo) -> QVariant {
        if (campo.cds.compare(componentName, Qt::CaseInsensitive) != 0)
            return QVariant();
        const int field = dataset.fieldIndex(campo.field);
        if (field < 0)
            throw EZfError(QStringLiteral("Il tracciato nomina la colonna %1, assente da %2")
                               .arg(campo.field, componentName.toString()));
        return dataset.recNo() < 0 ? QVariant() : dataset.value(field);
    };
}

QString replaced(const QString& line, int position, int length, int number)
{
    QString patched = line;
    if (patched.size() < position - 1 + length)
        patched = text::padRight(patched, u' ', position - 1 + length, text::Overflow::Cut);
    patched.replace(position - 1, length,
                    text::padLeft(QString::number(number), u'0', length, text::Overflow::Keep));
    return patched;
}

} // namespace

QString supplyCode()
{
    return QStringLiteral("CUR") + QString::number(FilingYear).right(2);
}

QString producerFiscalCode()
{
    return QStringLiteral(MODELLOCU_PRODUCER_FISCAL_CODE);
}

QString writeRecordA(const RecordLayout& layout, const Dataset& forn, Operator& op)
{
    const CampoFetch fetch = fetchFrom(forn, u"cdsForn");
    return buildRecordLine(
        RecordFamily::A, layout,
        [&](const LayoutField& campo) {
            const QString value = getCampoValue(RecordFamily::A, campo, fetch);
            return campo.code() == u"3" ? supplyCode() : value;
        },
        op);
}

QString writeRecordB(const RecordLayout& layout, const Dataset& sost, bool ctPresent, Operator& op)
{
    const CampoFetch fetch = fetchFrom(sost, u"cdsSost");
    return buildRecordLine(
        RecordFamily::B, layout,
        [&](const LayoutField& campo) {
            const QString value = getCampoValue(RecordFamily::B, campo, fetch);
            if (campo.code() == u"8")
                return producerFiscalCode();
            if (campo.code() == u"25")
                return ctPresent ? QStringLiteral("1") : QStringLiteral("0");
            return value;
        },
        op);
}

QString writeRecordZ(const RecordLayout& layout, Operator& op)
{
    return buildRecordLine(
        RecordFamily::Z, layout, [](const LayoutField& campo) { return campo.fixed; }, op);
}

QString patchRecordA(const QString& line, int totalFiles, int fileNumber)
{
    return replaced(replaced(line, 522, 4, fileNumber), 526, 4, totalFiles);
}

QString patchRecordB(const QString& line, int employeeCertificates, int selfEmployedCertificates)
{
    return replaced(line, 402, 8, employeeCertificates + selfEmployedCertificates);
}

QString patchRecordZ(const QString& line, int countD, int countG, int countH, int countC)
{
    QString patched = replaced(line, 25, 9, countC);
    patched = replaced(patched, 34, 9, countD);
    patched = replaced(patched, 43, 9, countG);
    return replaced(patched, 52, 9, countH);
}

} // namespace cu
