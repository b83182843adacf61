// The annotations of a certificate and the checks that run with them: the
// annotation text (standard notes and free lines), the relationship dates,
// "Periodi Particolari", the days check and the minimum-deduction check.
#pragma once

#include <QDate>

namespace cu {

class NoteTable;
struct CudContext;

class Annotazioni
{
public:
    // Runs on the certificate row (put into edit when browsing) and posts it.
    static void Scrivi(CudContext& owner, const NoteTable& notes);
    // Remarks about the days for deductions, into the fiscal section of the log.
    static void controllaGiorni(CudContext& owner);
    // Appends the note "AN" when the employment deduction does not exceed
    // the year's minimum and there is gross tax; posts the row.
    static void controllaDetrazioneMinima(CudContext& owner, const NoteTable& notes);
};

} // namespace cu
