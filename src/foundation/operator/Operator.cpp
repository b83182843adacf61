// The application-wide exception handler, shared by every implementation.
#include "foundation/operator/Operator.h"

namespace cu {

void Operator::report(const std::exception& e)
{
    if (const auto* err = dynamic_cast<const Error*>(&e)) {
        switch (err->severity()) {
        case Severity::Silent:
            return;
        case Severity::Warning:
            warning(err->message());
            return;
        case Severity::Information:
            information(err->message());
            return;
        case Severity::Error:
            error(err->message());
            return;
        }
    }
    error(QString::fromUtf8(e.what()));
}

} // namespace cu
