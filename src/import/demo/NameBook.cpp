// Loading the word lists, places and 730 items of the demo archive.
#include "import/demo/NameBook.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"

#include <QFile>

namespace cu::demo {

using namespace Qt::StringLiterals;

namespace {

QStringList readWordList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EZfError(QStringLiteral("Elenco dell'archivio dimostrativo non leggibile: %1").arg(path));
    QStringList words;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !word.startsWith(u'#'))
            words.append(word);
    }
    if (words.isEmpty())
        throw EZfError(QStringLiteral("Elenco dell'archivio dimostrativo vuoto: %1").arg(path));
    return words;
}

QVector<Place> readPlaces(Connection& archive, HlmQueryText& catalogue, const QString& statement,
                          bool foreign)
{
    SqlQuery query(archive);
    catalogue.GetQuery(statement, query, 0, QStringLiteral("SELECT"));
    query.open();
    QVector<Place> places;
    while (query.next()) {
        Place p;
        (foreign ? p.countryId : p.municipalityId) = query.asInteger(foreign ? u"ISTAID"_s : u"ICOMID"_s);
        p.cadastralCode = query.asString(foreign ? u"SSTACODCATA"_s : u"SSRPCCODCATA"_s);
        if (!foreign)
            p.postcodeId = query.asInteger(u"ICAPID"_s);
        places.append(p);
    }
    if (places.isEmpty())
        throw EZfError(QStringLiteral("L'archivio non contiene luoghi con codice catastale"));
    return places;
}

} // namespace

int NameBook::item730(const QString& column) const
{
    const auto it = items730.constFind(column);
    if (it == items730.constEnd())
        throw EAssertion(QStringLiteral("Voce 730 non definita per la colonna %1").arg(column),
                         QStringLiteral("NameBook"));
    return it.value();
}

NameBook NameBook::load(const Folders& folders, Connection& archive, HlmQueryText& catalogue)
{
    NameBook book;
    const QString demo = folders.etcKbr() + QStringLiteral("demo/");
    book.surnames = readWordList(demo + QStringLiteral("cognomi.txt"));
    book.maleNames = readWordList(demo + QStringLiteral("nomi-maschili.txt"));
    book.femaleNames = readWordList(demo + QStringLiteral("nomi-femminili.txt"));
    book.streets = readWordList(demo + QStringLiteral("vie.txt"));
    book.municipalities = readPlaces(archive, catalogue, QStringLiteral("QRY_DEMO_COMUNI"), false);
    book.countries = readPlaces(archive, catalogue, QStringLiteral("QRY_DEMO_STATI"), true);

    Dataset items;
    items.loadFromFile(Folders::resolve(folders.etcKbr(), QStringLiteral("TV730_VOCI730.cds")));
    for (items.first(); !items.eof(); items.next()) {
        const int id = static_cast<int>(items.asInteger(u"ICOMRID"));
        book.items730.insert(items.asString(u"SCOLONNA").toUpper(), id);
        book.items730Descriptions.insert(id, items.asString(u"SDESCRIZIONE"));
    }
    return book;
}

} // namespace cu::demo
