// The coded fields of records C, D, G and H, generated from the schema of
// the certificate tables: every column with a point of the form becomes a
// field whose code is the two letters of its part, module "001" and the
// point in three digits (fiscal point 1 -> DB001001, INPS point 8 ->
// DC001008). Dependants, the CT form and two derived fields have codes of
// their own, listed here.
#pragma once

#include "certificates/CertificateSchema.h"
#include "telematic/layouts/RecordLayout.h"

#include <QStringList>

namespace cu::layouts {

// Builds the four certificate layouts; problems of the schema (a point that
// is no number, two columns with one code) are added to warnings.
RecordLayout recordC(const CertificateSchema& schema, QStringList& warnings);
RecordLayout recordD(const CertificateSchema& schema, QStringList& warnings);
RecordLayout recordG(const CertificateSchema& schema, QStringList& warnings);
RecordLayout recordH(const CertificateSchema& schema, QStringList& warnings);

// The two letters of a part of the form ("fiscali" -> "DB"); empty for a
// part that has no coded fields.
QString partLetters(const QString& part);

} // namespace cu::layouts
