// The files of a supply too large for one: each file takes whole
// certificates (a certificate's D, G and H lines are never divided between
// two files, the agency could not pair them), at most a given number of
// certificate lines, and the lines keep their order. The CT form's C lines
// go first, as one group.
#pragma once

#include <QVector>

namespace cu {

// One file: the certificate lines from first, count of them.
struct SupplyPart
{
    int first = 0;
    int count = 0;
};

// certificateOfLine: the certificate number of every certificate line, in
// file order (lines of one certificate lie together). One part at least,
// empty when there are no lines. A certificate of more lines than a file
// takes is an EZfError naming it.
QVector<SupplyPart> splitSupply(const QVector<int>& certificateOfLine, int linesPerFile);

} // namespace cu
