// The selected certificate.
#include "certificates/editing/CurrentCertificate.h"

#include "certificates/CertificateKey.h"
#include "foundation/dataset/Dataset.h"

namespace cu {

CurrentCertificate CurrentCertificate::of(const Dataset& certificates)
{
    if (certificates.recNo() < 0)
        return {};
    return {certificates.asInteger(u"iAfiID"), certificates.asString(u"SCUDCODFIS"),
            certificates.asString(u"SCUDMESE"), int(certificates.asInteger(u"iCudStato"))};
}

int CurrentCertificate::storeMonth() const
{
    return certificate::storeMonth(month);
}

QString CurrentCertificate::label() const
{
    return month.isEmpty() ? fiscalCode : fiscalCode + u'/' + month;
}

} // namespace cu
