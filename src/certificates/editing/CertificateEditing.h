// The certificate editor's session, the rules of "Dati CU" without the
// widgets: the window and the command line drive it alike.
// - open(): the agent's row and the year's certificates ordered by surname,
//   name and month; every certificate whose signature differs from the
//   agent's SSOSFIRMACOM gets it (state unchanged); the first certificate
//   is selected.
// - Selecting a certificate (moveTo, find) loads its section rows; moving
//   away from a certificate or a section row being edited is refused with
//   "Salvare prima di cambiare modello.".
// - A printed certificate (iCudStato > 0) and its sections cannot be
//   changed (PrintedLock); the state command releases it after a question.
// - A new certificate comes from the insertion dialog's choice; posting
//   needs the fiscal code ("Codice fiscale obbligatorio") and a key (fiscal
//   code and month) that no other certificate has, writes back the state the
//   certificate had when selected and saves under the certificate's month.
// - Deleting asks the printed or the ordinary question; a deleted
//   certificate takes its section rows with it, in one transaction.
#pragma once

#include "certificates/editing/CurrentCertificate.h"
#include "certificates/editing/SectionEditing.h"
#include "certificates/editing/TableEditing.h"

#include <memory>
#include <vector>

namespace cu {

struct InsertionChoice;

enum class ListOrder
{
    Surname,   // SCUDCOGNOME;SCUDNOME;SCUDMESE
    Name,      // SCUDNOME;SCUDCOGNOME;SCUDMESE
    Month,     // SCUDMESE;SCUDCOGNOME;SCUDNOME
    FiscalCode // SCUDCODFIS
};

class CertificateEditing : public TableEditing
{
public:
    CertificateEditing(CertificateStore& certificates, Operator& op);
    ~CertificateEditing() override;

    void open() override;
    // Also refused while a section row is being edited.
    bool canClose() override;
    // The certificate list (the table's dataset).
    Dataset& list() { return rows(); }
    const Dataset& agent() const { return m_agent; }
    // Certificates that got the agent's signature when the list was opened.
    int signaturesUpdated() const { return m_signaturesUpdated; }

    void orderBy(ListOrder order);
    // Selects the certificate at a position of the list.
    void moveTo(int position);
    // Selects the certificate of a fiscal code and month ("06"; empty: the
    // person's only certificate); an unknown or ambiguous key is an EZfError
    // naming it.
    void find(const QString& fiscalCode, const QString& month = QString());
    const CurrentCertificate& current() const { return m_current; }

    bool isPrinted() const { return m_current.isPrinted(); }
    // The state command is enabled only for a printed certificate.
    bool canReleasePrinted() const { return isPrinted(); }
    // Asks "Il modello è gia stato stampato, si desidera modificarlo?"; on
    // Yes clears iCudStato, saves, and the certificate becomes editable.
    void releasePrinted();

    // A new certificate with the insertion dialog's month and adjustment:
    // every check-box flag "0", LCUDCOMPRENSIVO "X".
    void insert(const InsertionChoice& choice);
    // "Aggiungi Nota": puts the certificate into edit mode and appends
    // "\r\n" + code + ") " + note to SCUDANNOTAZIONI.
    void addNote(const QString& code, const QString& note);

    const std::vector<std::unique_ptr<SectionEditing>>& sections() const { return m_sections; }
    SectionEditing& section(SectionKind kind);

protected:
    void checkCanChange() override;
    void checkCanInsert() override {}
    void insertForEdit() override;
    void checkBeforePost() override;
    void saveAfterPost() override;
    void checkBeforeRemove() override;
    void saveAfterRemove() override;

private:
    void select();
    void requireNothingPending() const;
    void requireUniqueKey() const;
    void removeSectionRows(const CurrentCertificate& removed);

    Dataset m_agent;
    CurrentCertificate m_current;
    CurrentCertificate m_removed;
    std::vector<std::unique_ptr<SectionEditing>> m_sections;
    int m_signaturesUpdated = 0;
};

} // namespace cu
