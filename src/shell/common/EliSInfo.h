// The information window "Informazioni": text lines shown read-only (the
// outcome of an import, the problems found before a telematic file is
// written, the checks on the supplier data), optionally with the question
// "Si desidera proseguire?". "Blocco note" writes the lines to a new text
// file in the temporary folder and opens it with the system's editor.
#pragma once

#include <QDialog>
#include <QStringList>
#include <memory>

namespace Ui {
class EliSInfo;
}

namespace cu {

class EliSInfo : public QDialog
{
    Q_OBJECT
public:
    enum Esito
    {
        Annulla = 0, // closed by the frame or with Escape
        Ok,          // the closing button without a question
        Si,
        No
    };

    // question: shown above the buttons Si / No; empty: one button OK.
    EliSInfo(const QStringList& lines, const QString& question, QWidget* parent = nullptr);
    ~EliSInfo() override;

    // The file that "Blocco note" wrote last; empty before.
    const QString& notepadFile() const { return m_notepadFile; }

private:
    void bloccoNote();

    std::unique_ptr<Ui::EliSInfo> ui;
    QStringList m_lines;
    QString m_notepadFile;
};

// Shows the lines modally and returns how the window was closed; with ask
// the question is "Si desidera proseguire?" and the caller goes on only on Si.
EliSInfo::Esito ShowInfo(const QStringList& lines, bool ask, QWidget* parent = nullptr);

} // namespace cu
