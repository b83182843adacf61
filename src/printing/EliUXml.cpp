// Loading of certificate layout files and page access by number.
#include "printing/EliUXml.h"

#include "foundation/operator/Errors.h"
#include "printing/LayoutGeometry.h"

namespace cu::EliUXml {

XMLPagType XMLCudType::Pag(int n) const
{
    if (n < 1 || n > 12)
        throw EAssertion(QStringLiteral("Pagina di layout %1 inesistente").arg(n), QStringLiteral("EliUXml"));
    return {source(), child(QStringLiteral("Pag%1").arg(n))};
}

XMLCudType LoadCud(const QString& fileName)
{
    auto source = xmlbinding::loadFile(fileName);
    QDomElement root = source->document.documentElement();
    if (root.tagName() != u"Cud")
        throw EZfError(QStringLiteral("Il file di layout %1 non descrive un modello (elemento radice \"%2\")")
                           .arg(fileName, root.tagName()));
    layoutgeometry::requireCudOnPage(*source);
    return {source, root};
}

} // namespace cu::EliUXml
