// The import driver.
#include "shell/import/ImportDriver.h"

#include "foundation/installation/HlmUtil.h"
#include "import/archive/CatalogueArchive.h"
#include "import/run/ParametriRecord.h"
#include "shell/common/DialogOperator.h"
#include "shell/frame/EliAttivazioni.h"
#include "shell/frame/LavoroCorrente.h"
#include "shell/import/EliImpMultiSelect.h"
#include "shell/import/EliWizImport.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace cu {

ImportDriver::ImportDriver(LavoroCorrente& lavoro, EliAttivazioni& catalogo, QMdiArea* documents,
                           QWidget* owner)
    : m_lavoro(lavoro), m_catalogo(catalogo), m_documents(documents), m_owner(owner)
{
}

void ImportDriver::esegui()
{
    const QList<QMdiSubWindow*> open = m_documents ? m_documents->subWindowList() : QList<QMdiSubWindow*>();
    if (std::any_of(open.cbegin(), open.cend(), [](const QMdiSubWindow* sub) { return sub->isVisible(); })) {
        m_lavoro.op.stop(QStringLiteral("Chiudere tutte le finestre prima di eseguire l'operazione."));
        return;
    }
    AppContext& app = m_lavoro.app;
    ParametriRecord::prepara(m_catalogo.cdsParametri, *app.store);
    const int siteId = app.params ? HlmUtil::ParamDwgID(*app.params) : 0;
    CatalogueArchive archive(*app.connection, *app.catalogue);
    m_catalogo.xqcSos =
        archive.open({QStringLiteral("QRY_SED"), {{QStringLiteral("IDWGID"), siteId}}, {}, {}});

    EliWizImport wizard(m_lavoro, m_catalogo.cdsParametri, siteId, m_owner);
    if (wizard.exec() == QDialog::Accepted) {
        Dataset& record = m_catalogo.cdsParametri;
        if (ParametriRecord::leggi(record).sostituto && !m_catalogo.xqcSos.isEmpty()) {
            record.edit();
            record.setValue(u"CFAMM", m_catalogo.xqcSos.string(0, QStringLiteral("SSEDNOMCODICEFISC")));
            record.post();
        }
        if (ParametriRecord::leggi(record).icotFondamentale == 1)
            EliImpMultiSelect::Execute(m_owner, m_lavoro, record, siteId);
    }
    m_catalogo.xqcSos = ArchiveRows();
}

} // namespace cu
