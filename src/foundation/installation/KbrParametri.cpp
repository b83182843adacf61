// Reading and writing the payroll parameter file.
#include "foundation/installation/KbrParametri.h"

#include "foundation/installation/Folders.h"
#include "foundation/installation/HlmAnno.h"
#include "foundation/installation/KbrParametriFile.h"
#include "foundation/operator/Errors.h"

namespace cu {

namespace {

const QString KeyId = QStringLiteral("ID");
const QString KeyMonth = QStringLiteral("MESE");
const QString KeyGroup = QStringLiteral("GRUPPO");

} // namespace

KbrParametri::KbrParametri(const Folders& folders, const HlmAnno& financialYear)
    : m_path(Folders::resolve(folders.usrKbr(), QStringLiteral("KbrPar.ini"))), m_financialYear(financialYear)
{
}

QString KbrParametri::section() const
{
    if (!m_financialYear.endDate().isValid())
        throw EAssertion(QStringLiteral("Anno finanziario non caricato"), QStringLiteral("kbrUParametri"));
    return QStringLiteral("LIQ_CORRENTE%1").arg(m_financialYear.endDate().year(), 4, 10, QChar(u'0'));
}

int KbrParametri::read(const QString& key) const
{
    return KbrParametriFile(m_path).readInteger(section(), key, 0);
}

void KbrParametri::write(const QString& key, int value)
{
    KbrParametriFile(m_path).writeInteger(section(), key, value);
}

int KbrParametri::CurrentId() const
{
    return read(KeyId);
}
int KbrParametri::CurrentMonth() const
{
    return read(KeyMonth);
}
int KbrParametri::CurrentGroup() const
{
    return read(KeyGroup);
}
void KbrParametri::setCurrentId(int id)
{
    write(KeyId, id);
}
void KbrParametri::setCurrentMonth(int month)
{
    write(KeyMonth, month);
}
void KbrParametri::setCurrentGroup(int group)
{
    write(KeyGroup, group);
}

} // namespace cu
