// Reading and writing the agent's social-security codes.
#include "import/archive/ParametriContributivi.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "import/archive/CatalogueArchive.h"

namespace cu {

ParametriContributivi ParametriContributivi::leggi(Connection& connection, HlmQueryText& catalogue,
                                                   int anfId, int siteId)
{
    CatalogueArchive archive(connection, catalogue);
    const ArchiveRows rows = archive.open(
        {QStringLiteral("QRY_PACO"), {{QStringLiteral("IANFID"), anfId}, {QStringLiteral("IDWGID"), siteId}}, {}, {}});
    ParametriContributivi codes;
    if (rows.isEmpty())
        return codes;
    codes.presente = true;
    codes.ipacoId = rows.integer(0, QStringLiteral("IPACOID"));
    codes.matricolaAzienda = rows.string(0, QStringLiteral("SPACOMATRAZIENDA")).trimmed();
    codes.matricolaAccessori = rows.string(0, QStringLiteral("SPACOMATRAZACC")).trimmed();
    codes.cfInps = rows.string(0, QStringLiteral("SPACOCFINPS")).trimmed();
    codes.cfSoggettoDenuncia = rows.string(0, QStringLiteral("SPACOCFMEF")).trimmed();
    codes.senzaInpdap = rows.integer(0, QStringLiteral("LPACOCUDINPDAP")) == 1;
    return codes;
}

void ParametriContributivi::salva(Connection& connection, HlmQueryText& catalogue) const
{
    if (!presente)
        return;
    SqlQuery update(connection);
    catalogue.GetQuery(QStringLiteral("QRY_PACO"), update, 0, QStringLiteral("UPDATE"));
    update.setParam(QStringLiteral("SPACOMATRAZIENDA"), matricolaAzienda);
    update.setParam(QStringLiteral("SPACOMATRAZACC"), matricolaAccessori);
    update.setParam(QStringLiteral("SPACOCFINPS"), cfInps);
    update.setParam(QStringLiteral("SPACOCFMEF"), cfSoggettoDenuncia);
    update.setParam(QStringLiteral("LPACOCUDINPDAP"), senzaInpdap ? 1 : 0);
    update.setParam(QStringLiteral("IPACOID"), ipacoId);
    Transaction transaction(connection);
    update.execute();
    transaction.commit();
}

} // namespace cu
