// The certificate schema of the sources for the tests (links the certificates library).
#include "support/TestSupport.h"

#include "certificates/CertificateSchema.h"

using namespace Qt::StringLiterals;

namespace cu::test {

QString schemaPath()
{
    return sourceRoot() + u"/resources/USR/FJ2024/Res/Schema/eli.xml"_s;
}

const CertificateSchema& certificateSchema()
{
    static const CertificateSchema loaded = CertificateSchema::load(schemaPath());
    return loaded;
}

} // namespace cu::test
