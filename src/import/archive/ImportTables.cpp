// Reading the fixed codes of the payroll archive from the import's data file.
#include "import/archive/ImportTables.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cu {

namespace {

QVector<int> intList(const QJsonValue& value)
{
    QVector<int> result;
    for (const QJsonValue& item : value.toArray())
        result.append(item.toInt());
    return result;
}

class Reader
{
public:
    Reader(const QJsonObject& root, const QString& source) : m_root(root), m_source(source) {}

    QJsonValue at(const QString& group, const QString& key) const
    {
        const QJsonValue value = m_root.value(group).toObject().value(key);
        if (value.isUndefined() || value.isNull())
            throw EAssertion(QStringLiteral("%1: manca %2.%3").arg(m_source, group, key),
                             QStringLiteral("ImportTables"));
        return value;
    }
    int integer(const QString& group, const QString& key) const { return at(group, key).toInt(); }
    QVector<int> list(const QString& group, const QString& key) const { return intList(at(group, key)); }

private:
    QJsonObject m_root;
    QString m_source;
};

} // namespace

QString joinCodes(const QVector<int>& codes)
{
    QStringList parts;
    for (int code : codes)
        parts.append(QString::number(code));
    return parts.join(u',');
}

ImportTables ImportTables::fromJson(const QByteArray& json, const QString& sourceName)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (document.isNull() || !document.isObject())
        throw EAssertion(QStringLiteral("%1: %2").arg(sourceName, error.errorString()),
                         QStringLiteral("ImportTables"));
    const Reader r(document.object(), sourceName);
    ImportTables t;
    const QString rit = QStringLiteral("ritenute");
    t.irpef = r.list(rit, QStringLiteral("irpef"));
    t.irpefOrdinaria = r.integer(rit, QStringLiteral("irpefOrdinaria"));
    t.irpefAltriMesi = r.integer(rit, QStringLiteral("irpefAltriMesi"));
    t.tassazioneSeparata = r.integer(rit, QStringLiteral("tassazioneSeparata"));
    t.addComunale = r.integer(rit, QStringLiteral("addComunale"));
    t.addRegionale = r.integer(rit, QStringLiteral("addRegionale"));
    t.previdenzaComplementare = r.list(rit, QStringLiteral("previdenzaComplementare"));
    t.accontoAddComunaleRitv = r.integer(rit, QStringLiteral("accontoAddComunaleRitv"));

    const QString voci = QStringLiteral("voci");
    t.trattamentoIntegrativo = r.list(voci, QStringLiteral("trattamentoIntegrativo"));
    t.irpefSospesa = r.integer(voci, QStringLiteral("irpefSospesa"));
    t.gruppo730 = r.integer(voci, QStringLiteral("gruppo730"));

    const QString tno = QStringLiteral("posizioniGiuridiche");
    t.tnoCococo = r.integer(tno, QStringLiteral("cococo"));
    t.tnoBorsista = r.integer(tno, QStringLiteral("borsista"));
    t.tnoLiberoProfessionista = r.integer(tno, QStringLiteral("liberoProfessionista"));
    t.tnoIndeterminato = r.list(tno, QStringLiteral("indeterminato"));
    t.tnoCategoriaE = r.list(tno, QStringLiteral("categoriaE"));
    t.tnoCategoriaD = r.list(tno, QStringLiteral("categoriaD"));
    t.tnoEsclusi = r.list(tno, QStringLiteral("esclusi"));
    t.tnoInclusi = r.list(tno, QStringLiteral("inclusi"));

    const QString inps = QStringLiteral("inps");
    t.inpsContributi = r.list(inps, QStringLiteral("contributi"));
    t.cosFondamentali = r.integer(inps, QStringLiteral("cosFondamentali"));
    t.gestioneSeparata = r.integer(inps, QStringLiteral("gestioneSeparata"));
    t.pensioneInpdap = r.integer(inps, QStringLiteral("pensioneInpdap"));
    t.enpals = r.integer(inps, QStringLiteral("enpals"));
    t.comrAccRitPrev = r.integer(inps, QStringLiteral("comrAccRitPrev"));

    const QString fondo = QStringLiteral("fondoPensione");
    t.tfrFondoPercentoCentesimi = r.integer(fondo, QStringLiteral("tfrPercentoCentesimi"));
    t.dataMinimaAdesione = r.at(fondo, QStringLiteral("dataMinimaAdesione")).toString();
    return t;
}

void ImportTables::load730(const QString& path)
{
    Dataset table;
    table.loadFromFile(path);
    voci730.clear();
    for (table.first(); !table.eof(); table.next())
        voci730.append(
            {static_cast<int>(table.asInteger(u"ICOMRID")), table.asString(u"SCOLONNA").trimmed()});
}

const ImportTables& ImportTables::standard()
{
    static const ImportTables tables = [] {
        const QString path = QStringLiteral(":/import/import-tables.json");
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw EAssertion(QStringLiteral("File non trovato: %1").arg(path),
                             QStringLiteral("ImportTables"));
        return fromJson(file.readAll(), path);
    }();
    return tables;
}

} // namespace cu
