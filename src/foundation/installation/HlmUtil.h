// Small helpers of the payroll library: building WHERE conditions and reading
// the site id from the parameters.
#pragma once

#include <QString>

namespace cu {

class ParamManager;

class HlmUtil
{
public:
    // Appends " AND " when where is not empty, then a blank and the condition:
    // "" + "A=1" gives " A=1"; " A=1" + "B=2" gives " A=1 AND  B=2".
    static void AddCondition(const QString& condition, QString& where);

    // The site id, parameter "ZFUP_DwgId", as an integer (0 when unset or not
    // a number).
    static int ParamDwgID(ParamManager& params);
};

} // namespace cu
