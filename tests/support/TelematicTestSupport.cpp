// Test installation and datasets of the telematic-file tests.
#include "support/TelematicTestSupport.h"

#include "certificates/CertificateSchema.h"
#include "certificates/checks/FiscalCode.h"
#include "foundation/dataset/Dataset.h"
#include "support/TestPaths.h"
#include "telematic/ProducerSetting.h"

#include <QDate>
#include <QDir>
#include <QFile>

namespace cu::test {

namespace {

const CertificateSchema& schema()
{
    static const CertificateSchema loaded =
        CertificateSchema::load(sourceRoot() + QStringLiteral("/resources/USR/FJ2024/Res/Schema/eli.xml"));
    return loaded;
}

} // namespace

TelematicInstallation::TelematicInstallation(const QStringList& noteCodes) : m_folders(m_dir.path())
{
    QDir().mkpath(m_folders.filetel());
    QDir().mkpath(m_folders.tabelle());
    const QString source = sourceRoot() + QStringLiteral("/resources/USR/FJ2024/Res/filetel/");
    for (const QString& name : QDir(source).entryList({QStringLiteral("*.xml")}, QDir::Files))
        QFile::copy(source + name, m_folders.filetel() + name);
    Dataset notes;
    notes.setFields({{QStringLiteral("CODICE"), FieldType::String, 10},
                     {QStringLiteral("DESCRIZIONE"), FieldType::String, 200}});
    notes.open();
    for (const QString& code : noteCodes)
        appendRow(notes, {{QStringLiteral("CODICE"), code}, {QStringLiteral("DESCRIZIONE"), code}});
    notes.saveToFile(m_folders.tabelle() + QStringLiteral("TNOT_NOTE.cds"));
    setProducerFiscalCode(m_folders, QStringLiteral("01234567897"));
}

QString TelematicInstallation::layoutPath(const QString& fileName) const
{
    return m_folders.filetel() + fileName;
}

void defineTables(TelematicData& data)
{
    for (const QString& name : TelematicData::componentNames()) {
        const TableSchema* table = schema().table(TelematicData::tableOf(name));
        Dataset& dataset = data.get(name);
        dataset.setFields(table->fieldDefs());
        dataset.open();
    }
}

void appendRow(Dataset& dataset, const QVariantMap& values)
{
    dataset.append();
    for (auto it = values.begin(); it != values.end(); ++it)
        dataset.setValue(it.key(), it.value());
    dataset.post();
}

void fillAgentAndSupplier(TelematicData& data)
{
    appendRow(data.forn(), {{QStringLiteral("SFORCODFIS"), QStringLiteral("01234567897")},
                            {QStringLiteral("STFOCODICE"), QStringLiteral("01")}});
    appendRow(data.sost(), {{QStringLiteral("SSOSCODFIS"), QStringLiteral("80012345676")},
                            {QStringLiteral("SSOSDENOM"), QStringLiteral("ISTITUTO COMPRENSIVO")},
                            {QStringLiteral("SSOSCFRAPPR"), QStringLiteral("RSSMRA85T10A562S")},
                            {QStringLiteral("SCARCODICE"), QStringLiteral("1")},
                            {QStringLiteral("SSOSCOGNRAPPR"), QStringLiteral("ROSSI")},
                            {QStringLiteral("SSOSNOMERAPPR"), QStringLiteral("MARIO")},
                            {QStringLiteral("SSOSFIRMACOM"), QStringLiteral("MARIO ROSSI")}});
}

QString personalCode(int number)
{
    // Surname and name letters from the number; born on day 1-28 of January 1980 in Rome.
    QString base = QStringLiteral("AAA");
    int n = number;
    for (int i = 2; i >= 0; --i) {
        base[i] = QChar(u'A' + n % 26);
        n /= 26;
    }
    const QString first15 =
        base + QStringLiteral("BBB80A%1H501").arg(number % 28 + 1, 2, 10, QLatin1Char('0'));
    return first15 + personalCodeCheckCharacter(first15);
}

qint64 appendCertificate(TelematicData& data, int number, const QVariantMap& extra)
{
    QVariantMap values{{QStringLiteral("iAfiID"), qint64(number)},
                       {QStringLiteral("SCUDCODFIS"), personalCode(number)},
                       {QStringLiteral("SCUDMESE"), QStringLiteral("12")},
                       {QStringLiteral("SCUDCOGNOME"), QStringLiteral("COGNOME%1").arg(number)},
                       {QStringLiteral("SCUDNOME"), QStringLiteral("NOME")},
                       {QStringLiteral("SCUDSEX"), QStringLiteral("M")},
                       {QStringLiteral("DCUDDATANAS"), QDate(1980, 1, number % 28 + 1)},
                       {QStringLiteral("SCUDCOMNAS"), QStringLiteral("ROMA")},
                       {QStringLiteral("SCUDPROVNAS"), QStringLiteral("RM")}};
    for (auto it = extra.begin(); it != extra.end(); ++it)
        values[it.key()] = it.value();
    appendRow(data.dip(), values);
    return number;
}

} // namespace cu::test
