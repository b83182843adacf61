// Loading of the certificate layouts.
#include "printing/LayoutFiles.h"

namespace cu {

EliUXml::XMLCudType LoadLayout(const Folders& folders)
{
    return EliUXml::LoadCud(folders.res() + QStringLiteral("StpCUD.xml"));
}

EliUXml::XMLCudType LoadLayoutOrd(const Folders& folders)
{
    return EliUXml::LoadCud(folders.res() + QStringLiteral("StpCUD_Ord.xml"));
}

} // namespace cu
