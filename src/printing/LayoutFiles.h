// The certificate layouts of the resource folder: "StpCUD.xml" for the
// synthetic model and "StpCUD_Ord.xml" for the ordinary one.
#pragma once

#include "foundation/installation/Folders.h"
#include "printing/EliUXml.h"

namespace cu {

EliUXml::XMLCudType LoadLayout(const Folders& folders);
EliUXml::XMLCudType LoadLayoutOrd(const Folders& folders);

} // namespace cu
