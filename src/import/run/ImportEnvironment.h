// What the whole import shares while it runs over the persons: the archive,
// the store, the operator, the options and tables, the import log, the
// agent's seat record and data, and the data read once for every person.
#pragma once

#include "foundation/installation/HlmAnno.h"
#include "foundation/installation/WorkingYear.h"
#include "import/archive/ArchiveRows.h"
#include "import/archive/ImportTables.h"
#include "certificates/NoteTable.h"
#include "import/run/ImportParameters.h"
#include "import/run/Info.h"
#include "import/sections/SezioneFamiliari.h"

#include <QDate>

namespace cu {

class CertificateSchema;
class HlmDBCds;
class Operator;
class PayrollArchive;
class SceltaPosizioniGiuridiche;

struct ImportEnvironment
{
    PayrollArchive& archive;
    HlmDBCds& store;
    Operator& op;
    SceltaPosizioniGiuridiche& choice;
    const CertificateSchema& schema;
    const ImportParameters& params;
    ImportTables tables;
    NoteTable notes;
    Info log;
    int year = WorkingYear::Default;
    int anfId = HlmAnnoFinanziario::YearToId(WorkingYear::Default);
    QDate today = QDate::currentDate(); // DCUDDATIANADATA of the certificates
    ArchiveRows seat;                   // QRY_SED of the site
    QString agentFiscalCode;            // SSOSCODFIS
    QString agentSignature;             // SSOSFIRMACOM
    QString storedFiscal;               // stored legal-position settings
    QString storedInps;
    DatiFamiliari familyData;
};

} // namespace cu
