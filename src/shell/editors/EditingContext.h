// What the editing windows share for the whole run: the certificate schema
// of the installation, the certificate tables over the main window's store,
// and a notice that a table was written by one window, so that the others
// showing it read it again before their next change (the other agents'
// window renames the certificates' references, the CT form sets the agent's
// LSOSCT). Also opens the lookup dialog for a coded column.
#pragma once

#include "certificates/CertificateSchema.h"
#include "certificates/CertificateStore.h"
#include "certificates/checks/YearChecks.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

namespace cu {

struct LavoroCorrente;

class EditingContext : public QObject
{
    Q_OBJECT
public:
    explicit EditingContext(LavoroCorrente& lavoro, QObject* parent = nullptr);
    ~EditingContext() override;

    LavoroCorrente& lavoro() const { return m_lavoro; }
    // Loaded when a window first needs them.
    CertificateStore& certificates();

    // Where a finding of the checks is opened (the main window's windows).
    void setNavigatore(std::function<void(const CheckFinding&)> navigatore) { m_navigatore = std::move(navigatore); }
    void vaiA(const CheckFinding& finding);

    // "Finestra di ricerca" over the column's source (F8 or the button of a
    // coded field); the chosen row's first shown value, none on "Annulla".
    std::optional<QString> cerca(const ColumnSchema& column, QWidget* parent);
    // The notes dialog of "Aggiungi Nota" (TNOT_NOTE.CDS): code and text.
    std::optional<std::pair<QString, QString>> scegliNota(QWidget* parent);

    // Tells the other windows that rows of the tables were saved.
    void annunciaModifica(const QStringList& tables, QObject* source);

signals:
    void tabelleModificate(const QStringList& tables, QObject* source);

private:
    LavoroCorrente& m_lavoro;
    std::unique_ptr<CertificateSchema> m_schema;
    std::unique_ptr<CertificateStore> m_certificates;
    std::function<void(const CheckFinding&)> m_navigatore;
};

} // namespace cu
