// The certificate records of the file as rows of the field list: record D
// (personal data and kind of operation), record G (fiscal and
// social-security data in as many modules as the section rows need),
// record H (one module per self-employment row) and record C (the CT form).
#pragma once

#include "telematic/SupplySplit.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <optional>

namespace cu {

class CertificateSelection;
class FieldList;
class Folders;
class TelematicData;

struct RecordWriterContext
{
    TelematicData& data;
    CertificateSelection& selection;
    FieldList& fields;
    const Folders& folders;
    std::function<void(const QString&)> log;
    // The company registration number of the payroll archive (catalogue
    // query "QRY_PACO"), asked for when an INPS row has none of its own.
    std::function<QString()> companyRegistration;
    // The head shows a certificate's number within its supply.
    SupplyLimits limits;
};

struct RecordGCounts
{
    int written = 0; // certificates written as G
    int skipped = 0; // certificates without fiscal or social-security data
};

// positions: the chosen certificates, 0-based positions in the certificate
// dataset; the certificate number is the position plus one (the progressive
// of the field list's rows), the head shows its number within its supply.
int writeRecordsD(RecordWriterContext& context, const QVector<int>& positions);
RecordGCounts writeRecordsG(RecordWriterContext& context, const QVector<int>& positions);
int writeRecordsH(RecordWriterContext& context, const QVector<int>& positions);
void writeRecordsC(RecordWriterContext& context);

// The computed value of a coded field of record G, or nothing when the
// field is read as the layout says. Module sections read the current rows
// of the selection's cursors.
struct LayoutField;
std::optional<QString> computedValueG(RecordWriterContext& context, const LayoutField& campo);

} // namespace cu
