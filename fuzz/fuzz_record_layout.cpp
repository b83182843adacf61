// The telematic record layouts: the input is read as one of the layout files
// (the first byte chooses its binding, A, B, E for C and D, G, H or Z), and
// what loads is measured the way the writer and the verifier measure it:
// positions of the positional fields, total width, head fields, codes.
#include "FuzzInput.h"

#include "telematic/layouts/FieldNumbers.h"
#include "telematic/layouts/FileLayouts.h"

namespace {

const cu::LayoutBinding Bindings[] = {cu::LayoutBinding::A, cu::LayoutBinding::B, cu::LayoutBinding::E,
                                      cu::LayoutBinding::G, cu::LayoutBinding::H, cu::LayoutBinding::Z};

void measure(const cu::RecordLayout& layout)
{
    (void)layout.recordLetter();
    (void)layout.totalWidth();
    for (const QString& number : {cu::fieldnumbers::Module, cu::fieldnumbers::Certificate,
                                  cu::fieldnumbers::Operation, QStringLiteral("1")})
        (void)layout.span(number);
    (void)cu::FileLayouts::positionedFields(layout);
    for (const cu::LayoutSection& section : layout.sections())
        for (const cu::LayoutField& field : section.fields)
            if (field.isCoded())
                (void)cu::FileLayouts::codeKey(field.code());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const cu::LayoutBinding binding = Bindings[data[0] % std::size(Bindings)];
    const QString path = cu::fuzz::inputFile(data + 1, size - 1, QStringLiteral(".xml"));
    cu::fuzz::refuseCleanly([&] { measure(cu::RecordLayout::load(path, binding)); });
    return 0;
}
