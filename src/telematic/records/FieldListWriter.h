// Writes the fields of records C, D, G and H as rows of the field list
// (WriteCampo): values in the file's characters, long text in 16-character
// pieces, the module number in the field code, and no row for a coded field
// that is blank or zero.
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
    // Whose data are written ("ROSSI MARIO (RSSMRA85T10A562S)"), named by
    // the errors of a value the file cannot carry.
    void setSubject(const QString& subject) { m_subject = subject; }

    // Whether a field of this family is formatted for its value.
    static bool isFormatted(RecordFamily family, const LayoutField& campo, bool valueEmpty);
    // The field code for a module: characters 3 to 5 of the Number replaced
    // by the module (3 digits) when the module is not 0; empty for a
    // positional field.
    static QString codeFor(const LayoutField& campo, int module);
    // Whether a coded value of this format is written: never a blank one,
    // nor a zero number, amount, box or month string.
    static bool isWorthWriting(const QString& format, const QString& formatted);

    // An alphanumeric value longer than the field is written in pieces;
    // any other value longer than its field, and a character the file cannot
    // carry, are an EZfError naming the field and the subject.
    void writeCampo(const QString& value, const LayoutField& campo, int module);

private:
    void writePiece(const QString& value, const LayoutField& campo, const QString& code);
    QString fieldName(const LayoutField& campo) const;

    FieldList& m_list;
    RecordFamily m_family;
    QString m_letter;
    int m_certificate = 0;
    QString m_progressive;
    QString m_subject;
};

} // namespace cu
