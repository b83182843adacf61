// The output-folder window "Informazioni per il contribuente": when shown
// it opens the print folder USR/FJ2024/Stp/ with the system's file manager,
// and lists the PDF files there (newest first); a double click opens one.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class EliCartellaStampe;
}

class QListWidget;

namespace cu {

class Operator;
struct LavoroCorrente;

class EliCartellaStampe : public QDialog
{
    Q_OBJECT
public:
    explicit EliCartellaStampe(LavoroCorrente& lavoro, QWidget* parent = nullptr);
    ~EliCartellaStampe() override;

    QListWidget* elenco() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void apri(const QString& path);

    std::unique_ptr<Ui::EliCartellaStampe> ui;
    Operator& m_op;
    QString m_cartella;
    bool m_aperta = false;
};

} // namespace cu
