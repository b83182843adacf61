// The panel every print window shares: "Nome file stampa pdf:", "Crea
// stampa dichiarazione", "Apri stampa dichiarazione" (usable once a print
// was saved in this window), "Esci" and the message area where every saved
// file is reported. "Apri" opens USR/FJ2024/Stp/<name>.pdf with the system's
// viewer, or the folder when the last print saved one file per recipient.
#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>

namespace Ui {
class PannelloStampa;
}

class QPlainTextEdit;

namespace cu {

class Folders;
class Operator;

class PannelloStampa : public QWidget
{
    Q_OBJECT
public:
    explicit PannelloStampa(QWidget* parent = nullptr);
    ~PannelloStampa() override;

    void prepara(const Folders& folders, Operator& op, const QString& nomePredefinito);
    QString nomeFile() const;
    void aggiungiMessaggio(const QString& text);
    QPlainTextEdit* messaggi() const;
    // A print saved these files: "Apri" becomes usable and takes the focus.
    void stampaSalvata(const QStringList& files);
    // What "Apri" opens now.
    QString daAprire() const;

signals:
    void creaRichiesta();
    void esciRichiesta();

private:
    void apri();

    std::unique_ptr<Ui::PannelloStampa> ui;
    QString m_cartellaStampe;
    Operator* m_op = nullptr;
    bool m_piuFile = false;
};

} // namespace cu
