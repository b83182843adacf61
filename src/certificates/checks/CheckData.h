// The data checks run before data leaves the system: mandatory columns,
// the representative of the declaration, and (beyond the generic walk) the
// fiscal codes and the recipient data that the telematic file needs. The
// checks only collect Italian messages; they never change data.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QStringList>
#include <QVector>

namespace cu {

// One problem of the current row of a dataset: the column it concerns and
// the message line (" - Dato obbligatorio mancante: ...").
struct FieldProblem
{
    QString column;
    QString message;
};

// The mandatory columns and the column rules, in field order.
QVector<FieldProblem> mandatoryProblems(const Dataset& dataset);
// Fiscal codes that are filled and not valid (see checkFiscalCodes).
QVector<FieldProblem> fiscalCodeProblems(const Dataset& dataset);
// The recipient data of a certificate row (see checkRecipient).
QVector<FieldProblem> recipientProblems(const Dataset& certificate);

// Whether a column holds a fiscal code: a text column (type letter S or C)
// whose name after the letter contains CODFIS or CF, except the foreign tax
// code (PERCEST) and the pension funds' ids (IDFONDO).
bool isFiscalCodeColumn(QStringView name, FieldType type);

// Walks every field of datasets[0..lastIndex] at their current rows: a
// mandatory column without a value gives " - Dato obbligatorio mancante: "
// and its description; column rules add their own messages. True when
// nothing was found.
bool checkData(QStringList& messages, const QVector<const Dataset*>& datasets, int lastIndex);

// Every fiscal code of the current row (columns of type S or C named with
// CODFIS or CF, the foreign tax code and pension-fund ids excepted) that is
// not blank and not valid gives " - Campo errato: " and a description.
bool checkFiscalCodes(QStringList& messages, const Dataset& dataset);

// The recipient data that record D needs: fiscal code, surname, and for a
// person (16-character code) first name, sex, date and place of birth; and,
// once there, as the agency accepts them: surname, name and place of birth
// with a letter and without control characters, sex M or F, a birth date
// from 1900 up to today.
bool checkRecipient(QStringList& messages, const Dataset& certificate);

} // namespace cu
