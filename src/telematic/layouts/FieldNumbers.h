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

} // namespace cu::fieldnumbers
