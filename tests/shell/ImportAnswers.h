// The import driven from the main window: the answers that every run needs
// (the year confirmed, messages and the closing information window
// acknowledged) and the steps a test gives (the wizard, the selection window
// and the legal-position dialog), and the run through the "Import" button.
#pragma once

#include "ShellFixture.h"
#include "shell/common/EliSInfo.h"
#include "shell/frame/EliMain.h"
#include "shell/frame/EliParametri.h"
#include "shell/import/EliCudTno.h"
#include "shell/import/EliImpMultiSelect.h"
#include "shell/import/EliWizImport.h"

#include <QProgressDialog>

namespace cu::test {

struct ImportAnswers
{
    QStringList messages;
    std::function<void(EliWizImport*)> wizard = [](EliWizImport* w) {
        click(w, QStringLiteral("Avanti >"));
        click(w, QStringLiteral("Importa"));
    };
    std::function<void(EliImpMultiSelect*)> selection = [](EliImpMultiSelect* w) {
        click(w, QStringLiteral("Importa"));
    };
    std::function<void(EliCudTno*)> legalPositions = [](EliCudTno* w) { click(w, QStringLiteral("OK")); };
    bool yearConfirmed = false;
    bool selectionShown = false;
    bool finished = false;

    void answer(QWidget* window)
    {
        if (auto* year = qobject_cast<EliParametri*>(window)) {
            QTest::keyClick(year, Qt::Key_Return);
            yearConfirmed = true;
        } else if (auto* w = qobject_cast<EliWizImport*>(window)) {
            wizard(w);
            finished = true;
        } else if (auto* w = qobject_cast<EliImpMultiSelect*>(window)) {
            selectionShown = true;
            selection(w);
        } else if (auto* w = qobject_cast<EliCudTno*>(window)) {
            legalPositions(w);
        } else if (auto* info = qobject_cast<EliSInfo*>(window)) {
            messages.append(QStringLiteral("Informazioni"));
            click(info, QStringLiteral("OK"));
        } else if (auto* box = qobject_cast<QMessageBox*>(window)) {
            messages.append(box->text());
            click(box, buttonNamed(box, QStringLiteral("Sì")) ? QStringLiteral("Sì") : QStringLiteral("OK"));
        } else if (!qobject_cast<QProgressDialog*>(window)) {
            qFatal("unexpected window %s", qPrintable(window->windowTitle()));
        }
    }
};


// Starts the main window on the installation and runs "Import" with the answers.
inline void importThroughWindows(LavoroCorrente& lavoro, ImportAnswers& answers)
{
    ModalScript script([&answers](QWidget* w) { answers.answer(w); });
    EliMain window(lavoro);
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(answers.yearConfirmed, 20000);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activeModalWidget(), 20000);
    QTest::mouseClick(navigationButton(window, QStringLiteral("Import")), Qt::LeftButton);
    QVERIFY(answers.finished);
}

} // namespace cu::test
