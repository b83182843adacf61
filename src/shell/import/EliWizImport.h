// The wizard "Importa dati per CU": page "tsMeseComp" (category, month up to
// which the payroll is read, options of the import) and page "tsParametri"
// (the withholding agent's social-security codes). "Importa" runs the checks
// of the import core (the wizard stays open after a refusal), saves the
// codes when they were changed and writes the options into the parameter
// record; "Annulla" writes nothing and checks nothing.
#pragma once

#include "import/run/ImportParameters.h"
#include "import/archive/ParametriContributivi.h"

#include <QWizard>
#include <memory>

namespace Ui {
class EliWizImport;
}

namespace cu {

class Dataset;
struct LavoroCorrente;

class EliWizImport : public QWizard
{
    Q_OBJECT
public:
    EliWizImport(LavoroCorrente& lavoro, Dataset& cdsParametri, int siteId, QWidget* parent = nullptr);
    ~EliWizImport() override;

    void accept() override;
    // The options as the controls set them.
    ImportParameters parametri() const;

private:
    void caricaCategorie();
    void caricaMesi();
    void mostraCodici();
    ParametriContributivi codiciMostrati() const;
    void accoppiaOpzioni();

    std::unique_ptr<Ui::EliWizImport> ui;
    LavoroCorrente& m_lavoro;
    Dataset& m_record;
    ParametriContributivi m_codici;
};

} // namespace cu
