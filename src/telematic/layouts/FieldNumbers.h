// The positional fields that the program fills whatever their layout says,
// by the Number that identifies them in the layouts. Their positions are
// the layouts' (RecordLayout::span), never the program's.
#pragma once

#include <QChar>
#include <QString>
#include <QVector>
#include <utility>

namespace cu::fieldnumbers {

// Every record: its letter.
inline const QString RecordLetter = QStringLiteral("1");

// Record A: the supply code, and the file's number and the number of files
// of a supply written in several files.
inline const QString SupplyCode = QStringLiteral("3");
inline const QString FileNumber = QStringLiteral("7");
inline const QString FileCount = QStringLiteral("8");

// Record B: the software producer's fiscal code, the agent's surname (a
// natural person) or name (an entity), the number of certificates and the
// CT form's box.
inline const QString Producer = QStringLiteral("8");
inline const QString AgentSurname = QStringLiteral("12");
inline const QString AgentEntityName = QStringLiteral("14");
inline const QString CertificateCount = QStringLiteral("24");
inline const QString CtBox = QStringLiteral("25");

// Head of records C, D, G, H: module (G, H) or row (C) number, recipient,
// certificate number and the operation of record D.
inline const QString Module = QStringLiteral("3");
inline const QString Recipient = QStringLiteral("4");
inline const QString Certificate = QStringLiteral("5");
inline const QString Operation = QStringLiteral("9");

// Record Z: the counter of the lines of each record letter.
inline const QVector<std::pair<QChar, QString>>& lineCounters()
{
    static const QVector<std::pair<QChar, QString>> counters{
        {u'B', QStringLiteral("3")}, {u'C', QStringLiteral("4")}, {u'D', QStringLiteral("5")},
        {u'G', QStringLiteral("6")}, {u'H', QStringLiteral("7")}, {u'L', QStringLiteral("8")}};
    return counters;
}

// A field a record's layout must hold for the program to write and read
// the record: its Number and what it is, as a refusal names it.
struct HeadField
{
    QString number;
    QString label;
};

// The head fields of each record letter: the record type (whose Fixed text
// must be the letter) and every field above that the program fills or reads
// for that letter. A layout without one of them would write or verify its
// records wrongly (a D record without its type is never written).
inline QVector<HeadField> headFields(QChar letter)
{
    QVector<HeadField> fields{{RecordLetter, QStringLiteral("tipo record")}};
    switch (letter.unicode()) {
    case u'A':
        fields += {{SupplyCode, QStringLiteral("codice fornitura")},
                   {FileNumber, QStringLiteral("progressivo dell'invio")},
                   {FileCount, QStringLiteral("numero degli invii")}};
        break;
    case u'B':
        fields += {{Producer, QStringLiteral("codice fiscale del produttore del software")},
                   {CertificateCount, QStringLiteral("numero delle certificazioni")},
                   {CtBox, QStringLiteral("casella del quadro CT")}};
        break;
    case u'C':
    case u'D':
    case u'G':
    case u'H':
        fields += {{Module, QStringLiteral("progressivo modulo")},
                   {Recipient, QStringLiteral("codice fiscale del percipiente")},
                   {Certificate, QStringLiteral("progressivo della certificazione")}};
        if (letter == u'D')
            fields += {Operation, QStringLiteral("tipo operazione")};
        break;
    case u'Z':
        for (const auto& [counted, number] : lineCounters())
            fields += {number, QStringLiteral("numero dei record %1").arg(counted)};
        break;
    default:
        break;
    }
    return fields;
}

} // namespace cu::fieldnumbers
