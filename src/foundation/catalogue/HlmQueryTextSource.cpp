// Reading and checking the catalogue source files.
#include "foundation/catalogue/HlmQueryTextSource.h"

#include "foundation/catalogue/VersionNumber.h"
#include "foundation/operator/Errors.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>

namespace cu {

namespace {

class SourceFileReader
{
public:
    SourceFileReader(const QString& path, QVector<CatalogueRow>& rows) : m_path(path), m_rows(rows) {}

    void read()
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadOnly))
            throw EZfError(QStringLiteral("Impossibile leggere il catalogo query \"%1\": %2")
                               .arg(m_path, file.errorString()));
        m_xml.setDevice(&file);
        if (!m_xml.readNextStartElement())
            fail(QStringLiteral("il file non contiene un elemento <catalogue>"));
        if (m_xml.name() != u"catalogue")
            fail(QStringLiteral("l'elemento principale deve essere <catalogue>, trovato <%1>")
                     .arg(m_xml.name()));
        checkAttributes({});
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == u"version")
                readVersion();
            else if (m_xml.name() == u"statement")
                readStatement();
            else
                fail(QStringLiteral("elemento <%1> non previsto in <catalogue>").arg(m_xml.name()));
        }
        if (m_xml.hasError())
            fail(m_xml.errorString());
    }

private:
    [[noreturn]] void fail(const QString& what) const
    {
        throw EZfError(QStringLiteral("Catalogo query \"%1\", riga %2: %3")
                           .arg(m_path)
                           .arg(m_xml.lineNumber())
                           .arg(what));
    }

    QString origin() const { return QStringLiteral("%1:%2").arg(m_path).arg(m_xml.lineNumber()); }

    void checkAttributes(const QStringList& allowed)
    {
        for (const QXmlStreamAttribute& a : m_xml.attributes()) {
            if (!allowed.contains(a.name().toString()))
                fail(QStringLiteral("attributo \"%1\" non previsto in <%2>").arg(a.name(), m_xml.name()));
        }
    }

    QString requiredAttribute(const QString& name)
    {
        const QString value = m_xml.attributes().value(name).toString().trimmed();
        if (value.isEmpty())
            fail(QStringLiteral("attributo \"%1\" mancante in <%2>").arg(name, m_xml.name()));
        return value;
    }

    void readVersion()
    {
        checkAttributes({QStringLiteral("program"), QStringLiteral("minimum")});
        CatalogueRow row;
        row.query = QStringLiteral("VER_") + requiredAttribute(QStringLiteral("program")).toUpper();
        row.tipo = requiredAttribute(QStringLiteral("minimum"));
        if (!VersionNumber::parse(row.tipo))
            fail(QStringLiteral("versione minima \"%1\" non valida (attesi tre numeri separati da punti)")
                     .arg(row.tipo));
        row.origin = origin();
        m_xml.skipCurrentElement();
        m_rows.append(row);
    }

    int readIndex()
    {
        const QString text = m_xml.attributes().value(QStringLiteral("index")).toString().trimmed();
        if (text.isEmpty())
            return 0;
        bool ok = false;
        const int index = text.toInt(&ok);
        if (!ok || index < 0)
            fail(QStringLiteral("indice \"%1\" non valido (atteso un intero da 0)").arg(text));
        return index;
    }

    void readStatement()
    {
        checkAttributes({QStringLiteral("name"), QStringLiteral("type"), QStringLiteral("index")});
        CatalogueRow head;
        head.query = requiredAttribute(QStringLiteral("name")).toUpper();
        head.tipo = requiredAttribute(QStringLiteral("type"));
        if (!HlmQueryTextSource::statementTypes().contains(head.tipo))
            fail(QStringLiteral("tipo \"%1\" non valido per %2 (ammessi: %3)")
                     .arg(head.tipo, head.query, HlmQueryTextSource::statementTypes().join(u", ")));
        head.indice = readIndex();
        int texts = 0;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() != u"sql")
                fail(QStringLiteral("elemento <%1> non previsto in <statement>").arg(m_xml.name()));
            m_rows.append(readSql(head));
            ++texts;
        }
        if (texts == 0)
            fail(QStringLiteral("l'istruzione %1 non ha alcun testo <sql>").arg(head.query));
    }

    CatalogueRow readSql(const CatalogueRow& head)
    {
        checkAttributes({QStringLiteral("engine")});
        CatalogueRow row = head;
        row.origin = origin();
        row.motore = m_xml.attributes().value(QStringLiteral("engine")).toString().trimmed();
        if (!row.motore.isEmpty() && !HlmQueryTextSource::engines().contains(row.motore))
            fail(QStringLiteral("motore \"%1\" non valido (ammessi: %2)")
                     .arg(row.motore, HlmQueryTextSource::engines().join(u", ")));
        row.sql = m_xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement).trimmed();
        if (m_xml.hasError())
            fail(m_xml.errorString());
        if (row.sql.isEmpty())
            fail(QStringLiteral("testo SQL vuoto per %1").arg(head.query));
        return row;
    }

    QString m_path;
    QVector<CatalogueRow>& m_rows;
    QXmlStreamReader m_xml;
};

// A version row is one per program, whatever its minimum.
QString rowKey(const CatalogueRow& row)
{
    if (row.query.startsWith(u"VER_") && row.sql.isEmpty())
        return row.query;
    return QStringLiteral("%1|%2|%3|%4").arg(row.query, row.tipo).arg(row.indice).arg(row.motore);
}

void refuseDuplicates(const QVector<CatalogueRow>& rows)
{
    QHash<QString, QString> seen;
    for (const CatalogueRow& row : rows) {
        const QString key = rowKey(row);
        const auto it = seen.constFind(key);
        if (it != seen.cend()) {
            const QString what =
                row.sql.isEmpty()
                    ? QStringLiteral("versione di %1").arg(row.query)
                    : QStringLiteral("%1 tipo %2 indice %3%4")
                          .arg(row.query, row.tipo)
                          .arg(row.indice)
                          .arg(row.motore.isEmpty() ? QString() : QStringLiteral(" motore ") + row.motore);
            throw EZfError(QStringLiteral("Istruzione definita due volte nel catalogo query: %1 (%2 e %3)")
                               .arg(what, it.value(), row.origin));
        }
        seen.insert(key, row.origin);
    }
}

} // namespace

QVector<CatalogueRow> HlmQueryTextSource::read(const QStringList& files)
{
    QVector<CatalogueRow> rows;
    for (const QString& path : files)
        SourceFileReader(path, rows).read();
    refuseDuplicates(rows);
    return rows;
}

const QStringList& HlmQueryTextSource::statementTypes()
{
    static const QStringList types = {QStringLiteral("SELECT"), QStringLiteral("INSERT"),
                                      QStringLiteral("UPDATE"), QStringLiteral("DELETE"),
                                      QStringLiteral("EXECUTE")};
    return types;
}

const QStringList& HlmQueryTextSource::engines()
{
    static const QStringList names = {QStringLiteral("QSQLITE"), QStringLiteral("QPSQL")};
    return names;
}

} // namespace cu
