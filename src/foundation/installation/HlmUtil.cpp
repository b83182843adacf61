// WHERE conditions and the site id.
#include "foundation/installation/HlmUtil.h"

#include "foundation/installation/ParamManager.h"

namespace cu {

void HlmUtil::AddCondition(const QString& condition, QString& where)
{
    if (!where.isEmpty())
        where += QStringLiteral(" AND ");
    where += u' ' + condition;
}

int HlmUtil::ParamDwgID(ParamManager& params)
{
    return params.GetParams(QStringLiteral("ZFUP_DwgId")).toInt();
}

} // namespace cu
