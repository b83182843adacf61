// Writing the demo payroll year.
#include "import/demo/DemoArchive.h"

#include "foundation/database/Connection.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "import/demo/ArchiveTables.h"
#include "import/demo/DemoCodes.h"
#include "import/demo/DemoRandom.h"
#include "import/demo/FiscalCode.h"
#include "import/demo/NameBook.h"
#include "import/demo/PersonWriter.h"

#include <QSqlQuery>

namespace cu::demo {

using namespace codes;

namespace {

constexpr int ProgressStep = 1000;

void writeSite(Connection& connection)
{
    InsertWriter site(connection, QStringLiteral("TSED_SEDI"),
                      {QStringLiteral("IDWGID"), QStringLiteral("SSEDNOMLDESC"),
                       QStringLiteral("SSEDNOMCODICEFISC"), QStringLiteral("SSEDINDINDIRIZZO"),
                       QStringLiteral("ICOMID"), QStringLiteral("ICAPID"), QStringLiteral("SSEDTELTELEFONO"),
                       QStringLiteral("SSEDFAXNO"), QStringLiteral("SSEDEMLEMAIL")});
    site.row({SiteId, QStringLiteral("ISTITUTO COMPRENSIVO STATALE GIUSEPPE VERDI"),
              FiscalCode::entity(QStringLiteral("9718452058")), QStringLiteral("VIA ROMA, 1"), 1, 1,
              QStringLiteral("06/123-4567"), QStringLiteral("06 1234568"),
              QStringLiteral("rmic8ab00x@istruzione.it")});
    InsertWriter codes(connection, QStringLiteral("TPACO_PARAMCONTRIB"),
                       {QStringLiteral("IPACOID"), QStringLiteral("IDWGID"), QStringLiteral("IANFID"),
                        QStringLiteral("IDWGANFID"), QStringLiteral("SPACOMATRAZIENDA"),
                        QStringLiteral("SPACOMATRAZACC"), QStringLiteral("SPACOCFINPS"),
                        QStringLiteral("SPACOCFMEF"), QStringLiteral("LPACOCUDINPDAP"),
                        QStringLiteral("SPACOCODATECO2007"), QStringLiteral("LPACOAFAM")});
    for (int yearId : {PreviousYearId, FinancialYearId})
        codes.row({yearId - PreviousYearId + 1, SiteId, yearId, 1000 + yearId, QStringLiteral("7012345678"),
                   QStringLiteral("7012345679"), QStringLiteral("80078750587"), QStringLiteral("80415740580"),
                   0, QStringLiteral("852000"), 1});
    InsertWriter runs(connection, QStringLiteral("TNAF_ELABORAZIONI"),
                      {QStringLiteral("INAFID"), QStringLiteral("IANFID"), QStringLiteral("IMESID"),
                       QStringLiteral("DNAFDATA")});
    for (int month = 1; month <= 12; ++month)
        runs.row({month, FinancialYearId, month, QDate(Year, month, 20)});
    for (InsertWriter* w : {&site, &codes, &runs})
        w->flush();
}

void write730Items(Connection& connection, const NameBook& names)
{
    InsertWriter items(
        connection, QStringLiteral("TCOMR_COMPENSIVOCI"),
        {QStringLiteral("ICOMRID"), QStringLiteral("SCOMRDESC"), QStringLiteral("ICOMRGRUPPO")});
    for (auto it = names.items730Descriptions.constBegin(); it != names.items730Descriptions.constEnd(); ++it)
        items.row({it.key(), it.value(), comr::Group730});
    items.flush();
}

// A fresh SQLite archive is filled faster without waiting for the disk at
// every spill of the page cache; the file is made again if the run breaks.
void tuneForBulkLoad(Connection& connection, bool loading)
{
    if (connection.params().driver != u"QSQLITE")
        return;
    QSqlQuery pragma(connection.database());
    pragma.exec(loading ? QStringLiteral("PRAGMA synchronous = OFF")
                        : QStringLiteral("PRAGMA synchronous = FULL"));
    pragma.exec(loading ? QStringLiteral("PRAGMA cache_size = -32768")
                        : QStringLiteral("PRAGMA cache_size = -2000"));
}

} // namespace

DemoSummary DemoArchive::write(Connection& connection, const Folders& folders, HlmQueryText& catalogue,
                               const DemoOptions& options, Operator& op)
{
    if (options.people < 1 || options.people > DemoOptions::MaxPeople)
        throw EZfError(QStringLiteral("Numero di persone non valido: %1 (ammesso da 1 a %2)")
                           .arg(options.people)
                           .arg(DemoOptions::MaxPeople));
    const NameBook names = NameBook::load(folders, connection, catalogue);
    tuneForBulkLoad(connection, true);
    Transaction transaction(connection);
    writeSite(connection);
    write730Items(connection, names);

    ArchiveTables tables(connection);
    DemoRandom random(options.seed);
    PersonWriter writer(tables, names, random);
    const auto& specials = DemoRoster::specialPlans();
    op.beginProgress(QStringLiteral("Archivio dimostrativo"), static_cast<int>(options.people));
    for (qint64 index = 0; index < options.people; ++index) {
        writer.write(index < specials.size() ? specials[index] : DemoRoster::randomPlan(random), index);
        if ((index + 1) % ProgressStep == 0)
            op.setProgress(static_cast<int>(index + 1));
    }
    tables.flush();
    transaction.commit();
    tuneForBulkLoad(connection, false);
    op.endProgress();
    return {options.people, tables.registerId - 1, tables.rowsWritten()};
}

} // namespace cu::demo
