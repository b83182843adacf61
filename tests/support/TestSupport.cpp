// Helpers shared by the tests.
#include "support/TestSupport.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "store/HlmDBCds.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

using namespace Qt::StringLiterals;

namespace cu::test {

Currency money(const char* text)
{
    const auto parsed = Currency::parse(QString::fromLatin1(text));
    if (!parsed)
        qFatal("unparsable test amount %s", text);
    return *parsed;
}

QVariant amount(const char* text)
{
    return QVariant::fromValue(money(text));
}

void appendRow(Dataset& dataset, const QVariantMap& values)
{
    dataset.append();
    for (auto it = values.begin(); it != values.end(); ++it)
        dataset.setValue(it.key(), it.value());
    dataset.post();
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList fileLines(const QString& path)
{
    QStringList lines = QString::fromLatin1(readFile(path)).split(u"\r\n"_s);
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void corruptSignature(const QString& signaturePath)
{
    writeFile(signaturePath, "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF\r\n");
}

void execute(Connection& connection, const QString& sql)
{
    SqlQuery query(connection);
    query.setSql(sql);
    query.execute();
}

qint64 scalar(Connection& connection, const QString& sql)
{
    QSqlQuery query(connection.database());
    if (!query.exec(sql) || !query.next())
        return -1;
    return query.value(0).toLongLong();
}

void setStoreYear(HlmDBCds& store)
{
    store.setProgramme(u"eli"_s);
    store.setYear(2024);
    store.setMonth(-1);
}

namespace {

QString valueText(const Dataset& rows, int field)
{
    const QVariant v = rows.value(field);
    if (v.isNull())
        return {};
    switch (rows.fields()[field].type) {
    case FieldType::Currency: {
        const Currency c = v.value<Currency>();
        return c.isZero() ? QString() : c.toString(4);
    }
    case FieldType::Date:
        return v.toDate().toString(Qt::ISODate);
    default:
        return v.toString().replace(u"\r\n"_s, u"\\n"_s);
    }
}

} // namespace

QStringList rowLines(Dataset& rows, const QStringList& leftOut, const QString& prefix)
{
    QStringList lines;
    for (rows.first(); !rows.eof(); rows.next()) {
        QStringList parts;
        if (!prefix.isEmpty())
            parts.append(prefix);
        for (int i = 0; i < rows.fieldCount(); ++i) {
            const QString name = rows.fields()[i].name.toUpper();
            const QString text = valueText(rows, i);
            if (!leftOut.contains(name, Qt::CaseInsensitive) && !text.isEmpty())
                parts.append(name + u'=' + text);
        }
        lines.append(parts.join(u'|'));
    }
    return lines;
}

QString writeCatalogueSource(const QString& folder, const QString& fileName, const QString& body)
{
    const QString path = QDir(folder).filePath(fileName);
    writeFile(
        path,
        ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalogue>\n" + body + "\n</catalogue>\n").toUtf8());
    return path;
}

QString buildCatalogue(HlmQueryText& catalogue, const QString& folder, const QString& body)
{
    const QString target = QDir(folder).filePath(u"kbr_QueryText.cds"_s);
    catalogue.BuildFromSource({writeCatalogueSource(folder, u"catalogue.xml"_s, body)}, target);
    return target;
}

QStringList projectCatalogueSources()
{
    const QDir folder(sourceRoot() + u"/db/catalogue"_s);
    QStringList files;
    for (const QString& name : folder.entryList({u"*.xml"_s}, QDir::Files, QDir::Name))
        files.append(folder.filePath(name));
    return files;
}

std::unique_ptr<HlmQueryText> projectCatalogue(const QString& folder, const Connection& connection)
{
    const QString target = folder + u"/kbr_QueryText.cds"_s;
    HlmQueryText().BuildFromSource(projectCatalogueSources(), target);
    auto catalogue = std::make_unique<HlmQueryText>();
    catalogue->SetCheckCertificate(true);
    catalogue->Load(target);
    catalogue->setEngine(connection.params().driver);
    return catalogue;
}

} // namespace cu::test
