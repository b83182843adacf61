// Start-up of the payroll connection and the archive's maintenance.
#include "foundation/installation/KbrConnessione.h"

#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/HlmString.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

namespace cu {

namespace {

const QString Execute = QStringLiteral("EXECUTE");
const QString RepairStatement = QStringLiteral("QRY_REPAIR");
const int RegisterFolder = 11006;
const int RegisterParentFolder = 11001;
const int RegisterApplication = 11;

// One report definition of "kbr_Report.xml".
struct ReportDefinition
{
    qint64 id = 0;
    qint64 folder = 0;
    QString description;
    qint64 version = 0;
    QString note;
    QByteArray report;
    QByteArray variables;
};

qint64 integerAttribute(const QXmlStreamReader& xml, const QString& name, const QString& path)
{
    bool ok = false;
    const qint64 value = xml.attributes().value(name).toLongLong(&ok);
    if (!ok)
        throw EZfError(
            QStringLiteral("Definizioni report \"%1\", riga %2: attributo %3 mancante o non numerico")
                .arg(path)
                .arg(xml.lineNumber())
                .arg(name));
    return value;
}

QVector<ReportDefinition> readReports(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(QStringLiteral("Definizioni report non leggibili: %1").arg(path));
    QXmlStreamReader xml(&file);
    QVector<ReportDefinition> reports;
    if (!xml.readNextStartElement() || xml.name() != u"reports")
        throw EZfError(QStringLiteral("Definizioni report \"%1\": manca l'elemento <reports>").arg(path));
    while (xml.readNextStartElement()) {
        if (xml.name() != u"report")
            throw EZfError(QStringLiteral("Definizioni report \"%1\", riga %2: elemento <%3> non previsto")
                               .arg(path)
                               .arg(xml.lineNumber())
                               .arg(xml.name()));
        ReportDefinition r;
        r.id = integerAttribute(xml, QStringLiteral("IYRPTID"), path);
        r.folder = integerAttribute(xml, QStringLiteral("IYRFOID"), path);
        r.version = integerAttribute(xml, QStringLiteral("IYRPTVERSION"), path);
        r.description = xml.attributes().value(QStringLiteral("SYRPTDESC")).toString();
        r.note = xml.attributes().value(QStringLiteral("SYRPTNOTE")).toString();
        while (xml.readNextStartElement()) {
            const QByteArray data = QByteArray::fromBase64(xml.readElementText().trimmed().toLatin1());
            if (xml.name() == u"BYRPTREPORT")
                r.report = data;
            else if (xml.name() == u"BYRPTVAR")
                r.variables = data;
        }
        reports.append(r);
    }
    if (xml.hasError())
        throw EZfError(QStringLiteral("Definizioni report \"%1\", riga %2: %3")
                           .arg(path)
                           .arg(xml.lineNumber())
                           .arg(xml.errorString()));
    return reports;
}

} // namespace

KbrConnessione::KbrConnessione(const Folders& folders, HlmQueryText& catalogue, Operator& op,
                               ProgramIdentity program)
    : m_folders(folders), m_catalogue(catalogue), m_op(op), m_program(std::move(program))
{
    m_catalogue.SetCheckCertificate(true);
    if (QFileInfo::exists(catalogueFile()))
        m_catalogue.Load(catalogueFile());
}

QString KbrConnessione::catalogueFile() const
{
    return Folders::resolve(m_folders.etcKbr(), QStringLiteral("kbr_QueryText.cds"));
}

QString KbrConnessione::reportFile() const
{
    return QFileInfo(Folders::resolve(m_folders.etcKbr(), QStringLiteral("kbr_Report.xml")))
        .absoluteFilePath();
}

void KbrConnessione::beforeConnect(const Connection* connection) const
{
    if (!connection)
        throw Error(QStringLiteral("Connessione al database non consentita"));
}

bool KbrConnessione::OpenConnection(Connection* connection, const ConnectionParams& params)
{
    if (!m_catalogue.CheckVersion(ProgramName, m_op, m_program))
        return false;
    beforeConnect(connection);
    try {
        connection->open(params);
    } catch (const DatabaseError& e) {
        throw DatabaseError(QStringLiteral("Impossibile aprire il database: %1").arg(e.message()));
    }
    m_catalogue.setEngine(params.driver);
    if (connection->isConnected()) {
        runRepairs(*connection);
        installReports(*connection);
        registerCompensationRegister(*connection);
    }
    return connection->isConnected();
}

void KbrConnessione::runRepairs(Connection& connection)
{
    for (int index = 0; m_catalogue.find(RepairStatement, Execute, index); ++index) {
        SqlQuery query(connection);
        m_catalogue.GetQuery(RepairStatement, query, index, Execute);
        query.execute();
    }
}

int KbrConnessione::installReports(Connection& connection, bool reinstallSameVersion)
{
    const QString path = reportFile();
    if (!QFileInfo::exists(path))
        return 0;
    const QVector<ReportDefinition> reports = readReports(path);
    SqlQuery query(connection);
    m_catalogue.GetQuery(QStringLiteral("QRY_YRPT"), query, 0, Execute);
    query.setSql(HlmString::Format(query.sql(), {reinstallSameVersion ? QStringLiteral("=") : QString()}));
    for (const ReportDefinition& r : reports) {
        query.setParam(QStringLiteral("IYRFOID"), r.folder);
        query.setParam(QStringLiteral("SYRPTDESC"), r.description);
        query.setParam(QStringLiteral("IYRPTVERSION"), r.version);
        query.setParam(QStringLiteral("SYRPTNOTE"), r.note);
        query.setParam(QStringLiteral("BYRPTREPORT"), r.report);
        query.setParam(QStringLiteral("BYRPTVAR"), r.variables);
        query.setParam(QStringLiteral("IYRPTID"), r.id);
        query.execute();
    }
    return static_cast<int>(reports.size());
}

void KbrConnessione::registerCompensationRegister(Connection& connection)
{
    SqlQuery application(connection);
    m_catalogue.GetQuery(QStringLiteral("QRY_YAPVRFO"), application, 0, Execute);
    application.setParam(QStringLiteral("IYAPVRFOID"), RegisterFolder);
    application.setParam(QStringLiteral("IYAPPID"), RegisterApplication);
    application.execute();

    SqlQuery folder(connection);
    m_catalogue.GetQuery(QStringLiteral("QRY_YRFO"), folder, 0, Execute);
    folder.setParam(QStringLiteral("IYRFOID"), RegisterFolder);
    folder.setParam(QStringLiteral("IYRFOID_P"), RegisterParentFolder);
    folder.setParam(QStringLiteral("SYRFODESC"), QStringLiteral("Registro compensi"));
    folder.execute();
}

} // namespace cu
