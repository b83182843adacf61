// The supply-file reader behind "file --verify" and "file --show": any file
// is verified and shown against the shipped layouts, or refused.
#include "FuzzInput.h"

#include "foundation/installation/Folders.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/TelematicViewer.h"
#include "telematic/layouts/FileLayouts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const cu::FileLayouts layouts{cu::Folders(QStringLiteral(MODELLOCU_RESOURCES_ROOT))};
    const QString path = cu::fuzz::inputFile(data, size, QStringLiteral(".txt"));
    cu::fuzz::refuseCleanly([&] { cu::TelematicVerifier(layouts).verify(path); });
    cu::fuzz::refuseCleanly([&] { cu::TelematicViewer(layouts).read(path); });
    return 0;
}
