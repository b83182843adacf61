// The per-user payroll parameters, "KbrPar.ini" in the payroll user folder:
// the current cost item, month and group of the payroll wizard, kept per
// financial year in the section "LIQ_CORRENTE" + the year in which the
// current financial year ends.
#pragma once

#include <QString>

namespace cu {

class Folders;
class HlmAnno;

class KbrParametri
{
public:
    // financialYear: the current financial year; it must be loaded before a
    // value is read or written.
    KbrParametri(const Folders& folders, const HlmAnno& financialYear);

    QString filePath() const { return m_path; }
    // "LIQ_CORRENTE2024"
    QString section() const;

    // Missing keys read as 0.
    int CurrentId() const;
    int CurrentMonth() const;
    int CurrentGroup() const;
    void setCurrentId(int id);
    void setCurrentMonth(int month);
    void setCurrentGroup(int group);

private:
    int read(const QString& key) const;
    void write(const QString& key, int value);

    QString m_path;
    const HlmAnno& m_financialYear;
};

} // namespace cu
