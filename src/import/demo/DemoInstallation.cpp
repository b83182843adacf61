// Building a demo installation step by step.
#include "import/demo/DemoInstallation.h"

#include "certificates/CertificateSchema.h"
#include "certificates/StoreInstaller.h"
#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/operator/Errors.h"
#include "foundation/operator/Operator.h"
#include "import/demo/CatalogueProbe.h"
#include "import/demo/DemoCodes.h"
#include "import/demo/PayrollArchiveSchema.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace cu::demo {

namespace {

// The framework's default archive, relative to the installation root.
const QString ArchiveFile = QStringLiteral("usr/kbr/modellocu.sqlite");

void makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        throw EZfError(QStringLiteral("Impossibile creare la cartella %1").arg(path));
}

// Files that belong to the operator of an installation: settings, user data,
// working files and outputs. They are never copied over an existing one; the
// user data folder is never copied at all except the payroll parameter file.
// Names are compared with their case: "usr/" (user data) is not "USR/"
// (resources).
bool isOperatorFile(const QString& relative)
{
    static const QStringList prefixes = {QStringLiteral("etc/modellocu.ini"), QStringLiteral("usr/"),
                                         QStringLiteral("USR/FJDati/"), QStringLiteral("USR/FJ2024/DichCU/"),
                                         QStringLiteral("USR/FJ2024/Stp/")};
    return std::any_of(prefixes.begin(), prefixes.end(),
                       [&](const QString& p) { return relative.startsWith(p); });
}

bool copiedWhenMissing(const QString& relative)
{
    return relative == u"usr/kbr/KbrPar.ini";
}

void copyTree(const QString& from, const QString& to, const QString& sub)
{
    const QDir source(from);
    QDirIterator it(from + sub, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = source.relativeFilePath(path);
        const QString target = to + relative;
        const bool exists = QFileInfo::exists(target);
        if (isOperatorFile(relative) && (exists || !copiedWhenMissing(relative)))
            continue;
        makeFolder(QFileInfo(target).absolutePath());
        if (exists)
            QFile::remove(target);
        if (!QFile::copy(path, target))
            throw EZfError(QStringLiteral("Impossibile copiare %1 in %2").arg(path, target));
    }
}

} // namespace

DemoInstallation::DemoInstallation(const QString& sourceRoot, const QString& targetRoot,
                                   const DemoOptions& options, Operator& op)
    : m_source(sourceRoot), m_target(targetRoot), m_options(options), m_op(op)
{
}

DemoInstallation::~DemoInstallation() = default;

QString DemoInstallation::settingsPath(const Folders& folders)
{
    return folders.etc() + QStringLiteral("modellocu.ini");
}

QString DemoInstallation::databasePath() const
{
    return m_target.root() + ArchiveFile;
}

void DemoInstallation::prepareFolders()
{
    for (const QString& folder : {m_target.tabelle(), m_target.filetel(), m_target.stp(), m_target.dichCU(),
                                  m_target.fjDati(), m_target.etcKbr(), m_target.usrKbr()})
        makeFolder(folder);
}

void DemoInstallation::copyProgramFiles()
{
    if (QDir(m_source.root()).canonicalPath() == QDir(m_target.root()).canonicalPath())
        return;
    for (const QString& sub :
         {QStringLiteral("bin"), QStringLiteral("USR"), QStringLiteral("etc"), QStringLiteral("usr")}) {
        if (QFileInfo(m_source.root() + sub).isDir())
            copyTree(m_source.root(), m_target.root(), sub);
    }
}

void DemoInstallation::writeSettings()
{
    const QString path = settingsPath(m_target);
    if (QFileInfo::exists(path)) {
        const ConnectionParams configured = ConnectionSettings::fromFile(path, m_target.root());
        if (configured.driver != u"QSQLITE" ||
            QFileInfo(configured.database).absoluteFilePath() != QFileInfo(databasePath()).absoluteFilePath())
            throw EZfError(
                QStringLiteral("L'installazione %1 usa già l'archivio \"%2\": l'archivio dimostrativo "
                               "non viene creato.")
                    .arg(m_target.root(), ConnectionSettings::describe(configured)));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw EZfError(QStringLiteral("Impossibile scrivere le impostazioni %1").arg(path));
    file.write(QStringLiteral("; Installazione dimostrativa creata da \"modellocu demo\".\n"
                              "[Database]\n"
                              "Driver = QSQLITE\n"
                              "Database = %1\n"
                              "\n"
                              "[Params]\n"
                              "ZFUP_AnfId = %2\n"
                              "ZFUP_AnsId = %2\n"
                              "ZFUP_DwgId = %3\n")
                   .arg(ArchiveFile)
                   .arg(codes::FinancialYearId)
                   .arg(codes::SiteId)
                   .toUtf8());
}

void DemoInstallation::openConnection()
{
    m_connection = std::make_unique<Connection>();
    ConnectionParams params;
    params.driver = QStringLiteral("QSQLITE");
    params.database = databasePath();
    try {
        m_connection->open(params);
    } catch (const DatabaseError& e) {
        throw DatabaseError(
            QStringLiteral("Impossibile aprire l'archivio %1: %2").arg(databasePath(), e.message()));
    }
}

void DemoInstallation::loadCatalogue()
{
    m_catalogue = std::make_unique<HlmQueryText>();
    m_catalogue->SetCheckCertificate(true);
    m_catalogue->Load(Folders::resolve(m_target.etcKbr(), QStringLiteral("kbr_QueryText.cds")));
    m_catalogue->setEngine(m_connection->params().driver);
}

void DemoInstallation::createDatabase()
{
    m_connection.reset();
    if (QFileInfo::exists(databasePath()) && !QFile::remove(databasePath()))
        throw EZfError(QStringLiteral("Impossibile sostituire l'archivio %1").arg(databasePath()));
    openConnection();
    loadCatalogue();
    StoreInstaller::install(*m_connection,
                            CertificateSchema::load(m_target.res() + QStringLiteral("Schema/eli.xml")));
    PayrollArchiveSchema::createTables(*m_connection, m_target);
    PayrollArchiveSchema::insertBaseData(*m_connection, m_target);
    m_summary = DemoArchive::write(*m_connection, m_target, *m_catalogue, m_options, m_op);
}

void DemoInstallation::verifyCatalogue(const ProgramIdentity& program)
{
    if (!m_connection)
        openConnection();
    loadCatalogue();
    if (!m_catalogue->CheckVersion(QStringLiteral("Gestione compensi"), m_op, program))
        throw EAbort();
    CatalogueProbe probe(*m_connection, *m_catalogue);
    const QVector<ProbeFailure> failures = probe.run();
    if (!failures.isEmpty()) {
        QStringList lines;
        for (const ProbeFailure& f : failures)
            lines.append(QStringLiteral("%1: %2").arg(f.statement, f.message));
        throw EZfError(QStringLiteral("Istruzioni del catalogo query non eseguibili sull'archivio:\n") +
                       lines.join(u'\n'));
    }
    m_statements = probe.statementsRun();
}

Connection& DemoInstallation::connection()
{
    if (!m_connection)
        openConnection();
    return *m_connection;
}

HlmQueryText& DemoInstallation::catalogue()
{
    if (!m_catalogue)
        loadCatalogue();
    return *m_catalogue;
}

} // namespace cu::demo
