// The last look at a person's certificate before it is saved, the one place
// where what came from the payroll archive is made fit for the file and the
// prints, each change written in the log under the person:
// - an amount of the archive that the import summed and that holds no
//   number refuses the person (richiediImportiNumerici);
// - a text holding control characters (line breaks, tabulations, ... that
//   the payroll program let through) is cleaned: each becomes a space and
//   runs of spaces one, with a remark naming the column. A school cannot
//   easily correct the payroll archive, and these characters mean nothing
//   in a certificate, so the certificate is kept and the operator told (the
//   annotations' summary, made of lines by the program, keeps its breaks);
// - a negative amount in a column that admits positive values only is not
//   stored, with a remark naming the column and the value: storing it would
//   give a file the agency refuses, refusing the person would lose the rest
//   of an otherwise sound certificate, and the remark leaves the office the
//   value to place by hand;
// - an amount beyond the limit of the file's amount fields refuses the
//   person: an EZfError naming the column (such a value is damage, not pay);
// - a missing surname, first name or birth date (an invalid date of the
//   archive reads as missing) is remarked; the data checks refuse the file
//   until it is filled in.
#pragma once

namespace cu {

struct CudContext;
class SezioniPersona;

namespace RevisioneDati {

void Rivedi(SezioniPersona& sections, CudContext& owner);

} // namespace RevisioneDati

} // namespace cu
