// Program versions as three numbers separated by dots, compared as numbers
// (1.10.0 is newer than 1.9.5).
#pragma once

#include <QString>
#include <array>
#include <compare>
#include <optional>

namespace cu {

class VersionNumber
{
public:
    // "1.10.0"; fewer than three parts count the missing ones as 0 ("2.1" is
    // 2.1.0). Anything else (letters, more than three parts, empty parts) is
    // not a version.
    static std::optional<VersionNumber> parse(const QString& text);

    // Whether a program of version running satisfies the required minimum.
    // Equal texts are acceptable; otherwise the numbers decide. A required
    // text that is not a version is never acceptable.
    static bool isAcceptable(const QString& required, const QString& running);

    auto operator<=>(const VersionNumber&) const = default;

private:
    std::array<int, 3> m_parts{};
};

} // namespace cu
