// Test helpers of the import: an archive that answers with rows given by the
// test and records what was asked, and a certificate row over the real
// schema of the certificate tables.
#pragma once

#include "certificates/CertificateSchema.h"
#include "foundation/dataset/Dataset.h"
#include "import/archive/PayrollArchive.h"
#include "import/builders/CudContext.h"
#include "support/TestSupport.h"

#include <QHash>
#include <functional>
#include <memory>

namespace cu::test {

class FakeArchive : public PayrollArchive
{
public:
    using Handler = std::function<ArchiveRows(const ArchiveRequest&)>;

    void on(const QString& name, ArchiveRows rows)
    {
        m_handlers[name] = [rows](const ArchiveRequest&) { return rows; };
    }
    void on(const QString& name, Handler handler) { m_handlers[name] = std::move(handler); }

    // A statement without an answer returns no row (every amount 0).
    ArchiveRows open(const ArchiveRequest& request) override
    {
        m_requests.append(request);
        const auto it = m_handlers.constFind(request.name);
        return it == m_handlers.cend() ? ArchiveRows() : (*it)(request);
    }

    const QVector<ArchiveRequest>& requests() const { return m_requests; }
    QVector<ArchiveRequest> requests(const QString& name) const
    {
        QVector<ArchiveRequest> result;
        for (const ArchiveRequest& r : m_requests)
            if (r.name == name)
                result.append(r);
        return result;
    }

private:
    QHash<QString, Handler> m_handlers;
    QVector<ArchiveRequest> m_requests;
};

// Rows from columns and values ("100.05" is an amount, read exactly).
inline ArchiveRows rows(const QStringList& columns, const QVector<QVector<QVariant>>& values)
{
    ArchiveRows result(columns);
    for (const QVector<QVariant>& row : values)
        result.append(row);
    return result;
}

// A dataset with the columns of a certificate table, open and empty.
inline std::unique_ptr<Dataset> table(const QString& name)
{
    auto dataset = std::make_unique<Dataset>();
    dataset->setFields(certificateSchema().table(name)->fieldDefs());
    dataset->open();
    return dataset;
}

// A certificate row in insert state with its check-box flags at "0".
inline std::unique_ptr<Dataset> certificate()
{
    auto cud = table(QStringLiteral("TCUD_DATICUD"));
    cud->append();
    initialiseFlags(*cud, *certificateSchema().table(u"TCUD_DATICUD"));
    return cud;
}

// The context of one person: position 100, months 1..12, year 2024,
// fiscal list "1" unless changed.
struct Person
{
    FakeArchive archive;
    ImportParameters params;
    ImportTables tables = ImportTables::standard();
    std::unique_ptr<Dataset> cud = certificate();
    Info log;
    CudContext ctx{archive, params, tables, *cud, log, 2024, 55, {}, {}, {}};

    Person()
    {
        ctx.sel.iacomId = 100;
        ctx.sel.codFiscale = QStringLiteral("RSSMRA80A01H501U");
        ctx.sel.cognome = QStringLiteral("ROSSI");
        ctx.sel.nome = QStringLiteral("MARIO");
        ctx.sel.meseIniziale = 1;
        ctx.sel.meseFinale = 12;
        ctx.pos.itnoId = 1;
        ctx.tno.fiscale = QStringLiteral("1");
        ctx.tno.inps = QStringLiteral("1");
    }
    Currency amount(const char* column) const { return cud->asCurrency(QString::fromLatin1(column)); }
    QString text(const char* column) const { return cud->asString(QString::fromLatin1(column)); }
};

} // namespace cu::test
