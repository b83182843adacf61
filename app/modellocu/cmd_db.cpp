// modellocu db init: builds the field-value store on the configured database
// (an empty SQLite file or a PostgreSQL database) and installs the schemas of
// the certificate tables from the schema file. Running it again changes
// nothing.
#include "Command.h"

#include "certificates/CertificateSchema.h"
#include "certificates/StoreInstaller.h"
#include "foundation/database/Connection.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"

#include <QTextStream>

namespace cu::cli {

namespace {

const QString Usage =
    QStringLiteral("Uso: modellocu [--root CARTELLA] db init [opzioni del database]\n"
                   "  Crea le tabelle dell'archivio dei modelli e vi installa gli schemi\n"
                   "  delle tabelle del file Res/Schema/eli.xml. Ripetuto, non cambia nulla.\n");

int runDb(const CommandLine& line)
{
    QTextStream out(stdout);
    QStringList args = line.args;
    if (args.isEmpty() || args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out << Usage << ConnectionSettings::commandLineHelp() << '\n';
        return args.isEmpty() ? 2 : 0;
    }
    const QString action = args.takeFirst();
    if (action != u"init")
        throw EZfError(QStringLiteral("Azione sconosciuta \"%1\": è ammessa solo \"init\".").arg(action));

    const Folders folders(line.root);
    const ConnectionParams params = ConnectionSettings::load(folders, args);
    if (!args.isEmpty())
        throw EZfError(QStringLiteral("Opzione non riconosciuta: %1").arg(args.first()));
    const CertificateSchema schema = CertificateSchema::load(Folders::resolve(
        Folders::resolve(folders.res(), QStringLiteral("Schema")) + u'/', QStringLiteral("eli.xml")));
    Connection connection;
    try {
        connection.open(params);
    } catch (const DatabaseError& e) {
        throw DatabaseError(QStringLiteral("Connessione al database non riuscita (%1): %2")
                                .arg(ConnectionSettings::describe(params), e.message()));
    }
    const StoreInstaller::Outcome outcome = StoreInstaller::install(connection, schema);
    out << "Archivio dei modelli pronto su " << ConnectionSettings::describe(params) << '\n'
        << "Schemi: " << outcome.created << " creati, " << outcome.updated << " aggiornati, "
        << outcome.unchanged << " invariati\n";
    return 0;
}

const CommandRegistration registration(
    {QStringLiteral("db"), QStringLiteral("init: crea l'archivio dei modelli e installa gli schemi"), runDb});

} // namespace

} // namespace cu::cli
