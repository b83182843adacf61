// The supplies and files of a production. A supply numbers its
// certificates with five digits (positions 42-46 of a certificate line): a
// production of more certificates writes several supplies, each numbered
// from 1. A supply too large for one file is written in several, each
// taking whole certificates (a certificate's D, G and H lines are never
// divided between two files, the agency could not pair them) and at most a
// given number of certificate lines; the lines keep their order. The CT
// form's C lines open every supply, as one group.
#pragma once

#include <QVector>

namespace cu {

struct SupplyLimits
{
    static constexpr int MaxCertificatesPerSupply = 99999;
    static constexpr int MaxLinesPerFile = 8275;

    int certificatesPerSupply = MaxCertificatesPerSupply;
    int linesPerFile = MaxLinesPerFile; // certificate lines (C, D, G, H)

    // Certificate n is the n-th of the list of all certificates (from 1).
    int supplyOf(int certificate) const { return (certificate - 1) / certificatesPerSupply; }
    int numberInSupply(int certificate) const { return (certificate - 1) % certificatesPerSupply + 1; }
};

// One file: the certificate lines from first, count of them.
struct SupplyPart
{
    int first = 0;
    int count = 0;
};

// One supply: its certificate lines (indexes into the production's lines,
// in file order) and its files (parts of those lines).
struct Supply
{
    QVector<int> lines;
    QVector<SupplyPart> files;
};

// certificateOfLine: the certificate number of every certificate line, in
// file order (lines of one certificate lie together). One part at least,
// empty when there are no lines. A certificate of more lines than a file
// takes is an EZfError naming it.
QVector<SupplyPart> splitSupply(const QVector<int>& certificateOfLine, int linesPerFile);

// certificateOfLine: as for splitSupply, 0 for the CT form's lines (which
// come first). One supply at least, empty when there are no lines.
QVector<Supply> divideIntoSupplies(const QVector<int>& certificateOfLine, const SupplyLimits& limits);

} // namespace cu
