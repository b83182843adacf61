// Datasets and lines of the telematic-file tests.
#include "support/TelematicTestSupport.h"

#include "certificates/CertificateSchema.h"
#include "certificates/checks/FiscalCode.h"
#include "support/TestSupport.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/layouts/FileLayouts.h"

#include <QDate>

using namespace Qt::StringLiterals;

namespace cu::test {

void defineTables(TelematicData& data)
{
    for (const QString& name : TelematicData::componentNames()) {
        Dataset& dataset = data.get(name);
        dataset.setFields(certificateSchema().table(TelematicData::tableOf(name))->fieldDefs());
        dataset.open();
    }
}

QString defectsOf(const Folders& folders, const QString& path)
{
    const FileLayouts layouts(folders);
    return TelematicVerifier(layouts).verify(path).defects.join(u'\n');
}

QString lettersOf(const QStringList& lines)
{
    QString letters;
    for (const QString& line : lines)
        letters += line.left(1);
    return letters;
}

void fillAgentAndSupplier(TelematicData& data, const QVariantMap& agent)
{
    appendRow(data.forn(), {{u"SFORCODFIS"_s, u"01234567897"_s}, {u"STFOCODICE"_s, u"01"_s}});
    QVariantMap values{{u"SSOSCODFIS"_s, u"80012345676"_s},       {u"SSOSDENOM"_s, u"ISTITUTO COMPRENSIVO"_s},
                       {u"SSOSCFRAPPR"_s, u"RSSMRA85T10A562S"_s}, {u"SCARCODICE"_s, u"1"_s},
                       {u"SSOSCOGNRAPPR"_s, u"ROSSI"_s},          {u"SSOSNOMERAPPR"_s, u"MARIO"_s},
                       {u"SSOSFIRMACOM"_s, u"MARIO ROSSI"_s}};
    values.insert(agent);
    appendRow(data.sost(), values);
}

QString personalCode(int number)
{
    // Surname and name letters from the number; born on day 1-28 of January 1980 in Rome.
    QString base = u"AAA"_s;
    for (int i = 2, n = number; i >= 0; --i, n /= 26)
        base[i] = QChar(u'A' + n % 26);
    const QString first15 = base + u"BBB80A%1H501"_s.arg(number % 28 + 1, 2, 10, QLatin1Char('0'));
    return first15 + personalCodeCheckCharacter(first15);
}

qint64 appendCertificate(TelematicData& data, int number, const QVariantMap& extra)
{
    QVariantMap values{{u"iAfiID"_s, qint64(number)},
                       {u"SCUDCODFIS"_s, personalCode(number)},
                       {u"SCUDMESE"_s, u"12"_s},
                       {u"SCUDCOGNOME"_s, u"COGNOME%1"_s.arg(number)},
                       {u"SCUDNOME"_s, u"NOME"_s},
                       {u"SCUDSEX"_s, u"M"_s},
                       {u"DCUDDATANAS"_s, QDate(1980, 1, number % 28 + 1)},
                       {u"SCUDCOMNAS"_s, u"ROMA"_s},
                       {u"SCUDPROVNAS"_s, u"RM"_s}};
    values.insert(extra);
    appendRow(data.dip(), values);
    return number;
}

CodedFields::CodedFields(const QString& line, int start)
{
    for (int at = start; at + 24 <= 1897; at += 24) {
        const QString piece = line.mid(at, 24);
        if (piece.trimmed().isEmpty())
            break;
        m_fields.append({piece.left(8), piece.mid(8)});
    }
}

QStringList CodedFields::values(const QString& code) const
{
    QStringList found;
    for (const auto& [c, v] : m_fields)
        if (c == code)
            found.append(v);
    return found;
}

} // namespace cu::test
