// The financial-year dialog "Parametri": shows the year of the local table
// "TCUA_ANNOFIN.cds" (2024 on a first run) and the model date; on OK accepts
// only 2024 and 2025 ("L'anno finanziario deve essere compreso tra 2024 e
// 2025." and the dialog stays open, nothing stored), then sets the main
// window's year and model date and the shared store's year (all months) and
// stores the year for the next start.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class EliParametri;
}

namespace cu {

struct LavoroCorrente;

class EliParametri : public QDialog
{
    Q_OBJECT
public:
    EliParametri(LavoroCorrente& lavoro, QWidget* parent = nullptr);
    ~EliParametri() override;

    void accept() override;

private:
    void conferma();

    std::unique_ptr<Ui::EliParametri> ui;
    LavoroCorrente& m_lavoro;
};

} // namespace cu
