// Parsing and comparing program versions.
#include "foundation/catalogue/VersionNumber.h"

#include <QStringList>

namespace cu {

std::optional<VersionNumber> VersionNumber::parse(const QString& text)
{
    const QStringList parts = text.trimmed().split(u'.');
    if (parts.size() > 3)
        return std::nullopt;
    VersionNumber version;
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        const int value = parts.at(i).toInt(&ok);
        if (!ok || value < 0 || parts.at(i).contains(u'+'))
            return std::nullopt;
        version.m_parts[i] = value;
    }
    return version;
}

bool VersionNumber::isAcceptable(const QString& required, const QString& running)
{
    if (required == running)
        return true;
    const auto needed = parse(required);
    const auto actual = parse(running);
    return needed && actual && *needed <= *actual;
}

} // namespace cu
