// Running every catalogue statement once.
#include "import/demo/CatalogueProbe.h"

#include "foundation/catalogue/HlmQueryText.h"
#include "foundation/database/Connection.h"
#include "foundation/database/SqlQuery.h"
#include "foundation/operator/Errors.h"
#include "foundation/text/Currency.h"
#include "import/demo/DemoCodes.h"

#include <QDate>
#include <QRegularExpression>
#include <set>
#include <tuple>

namespace cu::demo {

namespace {

// Values for parameters whose name says what they hold; others are chosen by
// the name's type letter.
QVariant knownValue(const QString& name)
{
    static const QHash<QString, QVariant> known = {{QStringLiteral("IANFID"), codes::FinancialYearId},
                                                   {QStringLiteral("IANFID_P"), codes::PreviousYearId},
                                                   {QStringLiteral("IMESID"), 12},
                                                   {QStringLiteral("MESE_INIZIALE"), 1},
                                                   {QStringLiteral("MESE_FINALE"), 12},
                                                   {QStringLiteral("IDWGID"), 1},
                                                   {QStringLiteral("ILOCID"), 2},
                                                   {QStringLiteral("ITIMID"), 200001},
                                                   {QStringLiteral("IRITVID"), 4},
                                                   {QStringLiteral("ICOMRGRUPPO"), 4},
                                                   {QStringLiteral("CAUSALE"), QStringLiteral("A")}};
    return known.value(name);
}

void bindPlausible(SqlQuery& query)
{
    for (const QString& name : query.parameterNames()) {
        const QVariant known = knownValue(name.toUpper());
        if (known.isValid()) {
            query.setParam(name, known);
            continue;
        }
        switch (name.at(0).toUpper().unicode()) {
        case u'S':
            query.setParam(name, QStringLiteral("X"));
            break;
        case u'D':
            query.setParam(name, QDate(codes::Year, 1, 1));
            break;
        case u'B':
            query.setParam(name, QByteArray("demo"));
            break;
        case u'F':
            query.setParam(name, Currency());
            break;
        default:
            query.setParam(name, 1);
        }
    }
}

} // namespace

CatalogueProbe::CatalogueProbe(Connection& connection, HlmQueryText& catalogue)
    : m_connection(connection), m_catalogue(catalogue)
{
}

void CatalogueProbe::setAppendedClause(const QString& statement, const QString& clause)
{
    m_appended.insert(statement.toUpper(), clause);
}

QString CatalogueProbe::fillFormatPlaces(const QString& sql)
{
    static const QRegularExpression place(QStringLiteral("%[sd]"));
    static const QRegularExpression listBefore(QStringLiteral("IN\\s*\\(\\s*$"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression conditionBefore(QStringLiteral("\\b(AND|WHERE|OR)\\s*$"),
                                                    QRegularExpression::CaseInsensitiveOption);
    QString out;
    qsizetype from = 0;
    for (auto it = place.globalMatch(sql); it.hasNext();) {
        const auto m = it.next();
        out += sql.mid(from, m.capturedStart() - from);
        if (m.captured() == u"%d" || listBefore.match(out).hasMatch())
            out += u'0';
        else if (conditionBefore.match(out).hasMatch())
            out += QStringLiteral("1=1");
        from = m.capturedEnd();
    }
    return out + sql.mid(from);
}

QVector<ProbeFailure> CatalogueProbe::run()
{
    m_failures.clear();
    m_run = 0;
    std::set<std::tuple<QString, QString, int>> seen;
    const Dataset& rows = m_catalogue.records();
    for (int i = 0; i < rows.recordCount(); ++i) {
        const QString name = rows.valueAt(i, rows.requireField(u"Query")).toString();
        if (name.startsWith(u"VER_"))
            continue;
        const QString type = rows.valueAt(i, rows.requireField(u"Tipo")).toString();
        const int index = rows.valueAt(i, rows.requireField(u"Indice")).toInt();
        if (seen.insert({name, type, index}).second)
            runOne(name, type, index);
    }
    return m_failures;
}

void CatalogueProbe::runOne(const QString& name, const QString& type, int index)
{
    const QString label = QStringLiteral("%1 %2 %3").arg(name, type).arg(index);
    const std::optional<QString> text = m_catalogue.find(name, type, index);
    if (!text) {
        m_failures.append({label, QStringLiteral("testo non trovato")});
        return;
    }
    SqlQuery query(m_connection);
    query.setSql(fillFormatPlaces(*text) + m_appended.value(name));
    bindPlausible(query);
    m_connection.startTransaction();
    try {
        if (type == u"SELECT") {
            query.open();
            query.next();
        } else {
            query.execute();
        }
        ++m_run;
    } catch (const Error& e) {
        m_failures.append({label, e.message()});
    }
    query.close();
    m_connection.rollback();
}

} // namespace cu::demo
