// The typed root of a loaded print configuration.
#include "printing/EliUXmlPdfConfig.h"

#include "foundation/operator/Errors.h"
#include "printing/LayoutGeometry.h"

namespace cu::EliUXmlPdfConfig {

XMLPdfConfType GetPdfConf(const std::shared_ptr<xmlbinding::Source>& document)
{
    QDomElement root = document->document.documentElement();
    if (root.tagName() != u"PdfConf")
        throw EZfError(
            QStringLiteral("Il file %1 non è una configurazione di stampa (elemento radice \"%2\")")
                .arg(document->fileName, root.tagName()));
    return {document, root};
}

std::shared_ptr<xmlbinding::Source> LoadPdfConf(const QString& path)
{
    auto source = xmlbinding::loadFile(path);
    GetPdfConf(source);
    layoutgeometry::requirePdfConfOnPage(*source);
    return source;
}

} // namespace cu::EliUXmlPdfConfig
