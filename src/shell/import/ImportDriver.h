// The import driver of the activity "Import": refuses to run while a
// document window is open ("Chiudere tutte le finestre prima di eseguire
// l'operazione."), prepares the parameter record (cdsParametri) and the
// withholding agent's site record (xqcSos, query QRY_SED of the site), runs
// the wizard "Importa dati per CU" and, when it ends with "Importa", the
// selection window "Scelta dipendenti" that runs the import.
#pragma once

class QMdiArea;
class QWidget;

namespace cu {

class EliAttivazioni;
struct LavoroCorrente;

class ImportDriver
{
public:
    ImportDriver(LavoroCorrente& lavoro, EliAttivazioni& catalogo, QMdiArea* documents, QWidget* owner);
    void esegui();

private:
    LavoroCorrente& m_lavoro;
    EliAttivazioni& m_catalogo;
    QMdiArea* m_documents;
    QWidget* m_owner;
};

} // namespace cu
