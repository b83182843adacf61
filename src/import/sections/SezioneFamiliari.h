// The family section of a certificate (TCUDC_CONFAMCARICO): the spouse, the
// first child, the further children and the other dependants, from the
// payroll's family-deduction data of the year. Each row holds a spouse block,
// a first-child block and a further block; a new row is started when the
// block to fill is taken.
#pragma once

#include "import/archive/ArchiveRows.h"

#include <QHash>
#include <QVector>

namespace cu {

class PayrollArchive;
class SezioniPersona;
struct CudContext;

// The family-deduction data of the import (QRY_ELH_ADET, two years, every
// person), read once and found by fiscal code and year id.
class DatiFamiliari
{
public:
    DatiFamiliari() = default;
    explicit DatiFamiliari(ArchiveRows rows);
    static DatiFamiliari read(PayrollArchive& archive, int yearId);

    const ArchiveRows& rows() const { return m_rows; }
    // Row indexes of the person's data of one year, in the query's order.
    QVector<int> of(const QString& fiscalCode, int yearId) const;

private:
    ArchiveRows m_rows;
    QHash<QString, QVector<int>> m_index;
};

class SezioneFamiliari
{
public:
    static void Scrivi(CudContext& owner, SezioniPersona& sections, const DatiFamiliari& data);
};

} // namespace cu
