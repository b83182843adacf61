// The legal-position dialog "Posizioni giuridiche" (caption: the person's
// name): one row per legal position of the person's registers with the
// flags "INPS" and "Fiscali" that the operator may change, and the tick
// "Co.Co.Co", which sets both flags of every co.co.co. legal position. It
// is the windows' answer to the import's legal-position choice.
#pragma once

#include "import/run/PosizioniGiuridicheScelta.h"

#include <QDialog>
#include <memory>

namespace Ui {
class EliCudTno;
}

namespace cu {

class EliCudTno : public QDialog
{
    Q_OBJECT
public:
    EliCudTno(const QString& caption, const QVector<PosizioneGiuridicaRiga>& rows, bool cococo,
              QWidget* parent = nullptr);
    ~EliCudTno() override;

    // The rows with the flags as ticked.
    QVector<PosizioneGiuridicaRiga> righe() const;
    bool cococo() const;

private:
    void mostra();
    void leggiFlag();

    std::unique_ptr<Ui::EliCudTno> ui;
    QVector<PosizioneGiuridicaRiga> m_rows;
};

// The choice asked through the dialog, modal to the window given.
class SceltaPosizioniDialogo : public SceltaPosizioniGiuridiche
{
public:
    explicit SceltaPosizioniDialogo(QWidget* parent) : m_parent(parent) {}
    bool scegli(const QString& caption, QVector<PosizioneGiuridicaRiga>& rows, bool& cococo) override;

private:
    QWidget* m_parent;
};

} // namespace cu
