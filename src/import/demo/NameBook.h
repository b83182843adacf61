// What the demo archive draws identities from: surnames, first names and
// street names (word lists under etc/kbr/demo/), the municipalities and
// foreign countries of the payroll archive with their cadastral codes, and
// the 730 compensation items (etc/kbr/TV730_VOCI730.cds).
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace cu {
class Connection;
class Folders;
class HlmQueryText;
} // namespace cu

namespace cu::demo {

struct Place
{
    qint64 municipalityId = 0; // 0 for a foreign country
    qint64 postcodeId = 0;
    qint64 countryId = 0; // 0 for an Italian municipality
    QString cadastralCode;
};

struct NameBook
{
    QStringList surnames;
    QStringList maleNames;
    QStringList femaleNames;
    QStringList streets;
    QVector<Place> municipalities;
    QVector<Place> countries;
    // Certificate column -> compensation item of the 730 assistance.
    QHash<QString, int> items730;
    QHash<int, QString> items730Descriptions;

    int item730(const QString& column) const;

    // Reads the word lists and the 730 items from the installation and the
    // places from the archive (catalogue statements QRY_DEMO_COMUNI and
    // QRY_DEMO_STATI); a missing or empty list is an EZfError naming it.
    static NameBook load(const Folders& folders, Connection& archive, HlmQueryText& catalogue);
};

} // namespace cu::demo
