// Writes the fields of records C, D, G and H as rows of the field list
// (WriteCampo): long values in 16-character pieces, the module number in
// the field code, and no row for a coded field that is blank.
#pragma once

#include "telematic/layouts/CampoValue.h"

#include <QString>

namespace cu {

class FieldList;

class FieldListWriter
{
public:
    // family: CD, G or H.
    FieldListWriter(FieldList& list, RecordFamily family);

    void setLetter(const QString& letter) { m_letter = letter; }
    const QString& letter() const { return m_letter; }
    void setCertificateNumber(int number);
    int certificateNumber() const { return m_certificate; }

    // Whether a field of this family is formatted for its value.
    static bool isFormatted(RecordFamily family, const LayoutField& campo, bool valueEmpty);
    // The field code for a module: characters 3 to 5 of the Number replaced
    // by the module (3 digits) when the module is not 0; empty for a
    // positional field.
    static QString codeFor(const LayoutField& campo, int module);

    void writeCampo(const QString& value, const LayoutField& campo, int module);

private:
    void writePiece(const QString& value, const LayoutField& campo, const QString& code);

    FieldList& m_list;
    RecordFamily m_family;
    QString m_letter;
    int m_certificate = 0;
    QString m_progressive;
};

} // namespace cu
