// Company registration number from the contribution parameters.
#include "telematic/records/CompanyRegistration.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/installation/AppContext.h"
#include "foundation/installation/HlmAnno.h"
#include "foundation/installation/HlmUtil.h"

#include <memory>
#include <optional>

namespace cu {

std::function<QString()> companyRegistrationLookup(AppContext& context)
{
    if (!context.connection || !context.catalogue)
        return {};
    auto cached = std::make_shared<std::optional<QString>>();
    return [&context, cached]() -> QString {
        if (!*cached) {
            SqlQuery query(*context.connection);
            context.catalogue->GetQuery(QStringLiteral("QRY_PACO"), query, 0, QStringLiteral("SELECT"));
            query.setParam(QStringLiteral("IANFID"), HlmAnnoFinanziario::YearToId(context.workingYear));
            query.setParam(QStringLiteral("IDWGID"),
                           context.params ? HlmUtil::ParamDwgID(*context.params) : 0);
            query.open();
            *cached = query.next() ? query.asString(QStringLiteral("SPACOMATRAZIENDA")).trimmed() : QString();
        }
        return **cached;
    };
}

} // namespace cu
