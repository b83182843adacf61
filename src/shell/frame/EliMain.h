// The main window "CU 2025": holds the run's work (installation, financial
// year, model date, shared store), shows the activities of the catalogue in
// a navigation bar of pages and in the menus, opens the windows in its
// document area ("Dati CU" once), runs the import driver, opens the
// documents of the Help menu and the user guide, and asks for the financial
// year when it is first activated. Status bar: "Anno finanziario: " + year
// + four blanks + "Provvedimento del 15/01/2025".
#pragma once

#include "shell/frame/EliAttivazioni.h"
#include "shell/frame/LavoroCorrente.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QToolBox;

namespace cu {

class GuidaUtente;

class EliMain : public QMainWindow
{
    Q_OBJECT
public:
    // A window of an activity, made for the activity's row (its argument
    // tells a variant, such as the print flag "ordinario").
    using Fabbrica = std::function<QWidget*(const Attivazione&, LavoroCorrente&)>;

    explicit EliMain(LavoroCorrente& lavoro, QWidget* parent = nullptr);
    ~EliMain() override;

    // Makes the windows of a target available to its activities.
    void registraFinestra(const QString& target, Fabbrica fabbrica);
    // Runs an activity as a choice in the navigation bar or the menu does.
    void esegui(const Attivazione& attivazione);

    LavoroCorrente& lavoro() { return m_lavoro; }
    QMdiArea* mdiArea() const { return m_mdi; }
    QToolBox* navigazione() const { return m_navigation; }
    EliAttivazioni& catalogo() { return m_catalogo; }
    QString statusText() const;
    void aggiornaStato();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void costruisciNavigazione();
    void costruisciMenu();
    void primaAttivazione();
    void notizieDopoAggiornamento();
    QString marcatoreAggiornamento() const;
    void apriFinestra(const Attivazione& attivazione);
    void apriParametri();
    void apriDocumento(const Attivazione& attivazione);
    void apriGuida();
    QString percorsoDocumento(const Attivazione& attivazione);
    static QString captionShown(const Attivazione& attivazione);

    LavoroCorrente& m_lavoro;
    EliAttivazioni m_catalogo;
    QHash<QString, Fabbrica> m_fabbriche;
    QMdiArea* m_mdi;
    QToolBox* m_navigation;
    QLabel* m_status;
    QPointer<GuidaUtente> m_guida;
    bool m_activated = false;
};

} // namespace cu
