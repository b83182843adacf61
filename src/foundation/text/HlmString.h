// Small text helpers shared by the payroll and certificate code: the 1-based
// substring and the "%s" / "%d" formatting that the catalogue's SQL texts and
// generated column names use.
#pragma once

#include <QString>
#include <QVariantList>

namespace cu {

class HlmString
{
public:
    // The substring from the 1-based position start; a count of 0 means to the
    // end. A start before 1 counts as 1; a start past the end or a negative
    // count gives an empty text.
    static QString Copy(const QString& text, int start, int count = 0);

    // Fills the placeholders of a format text with the arguments:
    //   %s text, %d integer, %% a percent sign,
    //   optionally "%N:" to pick argument N, "-" to pad on the right,
    //   a width, and ".P" (digits for %d, at most P characters for %s).
    // "%.2d" with 7 gives "07"; "%0:sFISVALUE" with "i" gives "iFISVALUE".
    // A placeholder without an argument, an argument that is no integer for
    // %d, or an unknown placeholder is a programming error (EAssertion).
    static QString Format(const QString& format, const QVariantList& args);
};

} // namespace cu
