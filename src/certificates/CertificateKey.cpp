// Key texts of a certificate.
#include "certificates/CertificateKey.h"

#include "foundation/dataset/Dataset.h"
#include "foundation/operator/Errors.h"

namespace cu::certificate {

const QStringList& sectionTables()
{
    static const QStringList tables{
        QStringLiteral("TCUDI_INPS"),           QStringLiteral("TCUDN_INPDAP"),
        QStringLiteral("TCUIN_INAIL"),          QStringLiteral("TCUDAE_ALTRIENTI"),
        QStringLiteral("TCUDC_CONFAMCARICO"),   QStringLiteral("TCUDT_TFR"),
        QStringLiteral("TASE_AUTSOMMEEROGATE"), QStringLiteral("TCUDCA_COOPART"),
        QStringLiteral("TCUDA_ANNOTAZIONI")};
    return tables;
}

const QSet<QString>& identityColumns()
{
    static const QSet<QString> columns{
        "IAFIID",           "IFISRIGO",          "SCUDMESE",        "SCUDANNOFIN",      "SCUDCODFIS",
        "SCUDCOGNOME",      "SCUDNOME",          "SCUDSEX",         "DCUDDATANAS",      "SCUDCOMNAS",
        "SCUDPROVNAS",      "SCUDCATEGPART",     "SCUDEVENTECC",    "SCUDCASIESCPREC",  "SCUDCOMDFAP",
        "SCUDPROVDFAP",     "SCUDCAPDFAP",       "SCUDCOMDFAC",     "SCUDPROVDFAC",     "SCUDCAPDFAC",
        "SCUDCODFISRAPPR",  "SCUDCODFISPERCEST", "SCUDLOCRESEST",   "SCUDVIAECIV",      "DCUDDATIANADATA",
        "SCUDDATIANAFIRMA", "LCUDANNULLAMENTO",  "ICUDCODSTAEST",   "LCUDSOSTITUZIONE", "SCUDIDENTSERVTELE",
        "SCUDPROGRDICH",    "LCUDCONFERMADICH",  "LCUDCOMPRENSIVO", "LCUDCONGUAGLIO",   "LCUDIMPORTATO",
        "SCUDANNOTAZIONI",  "ICUDSTATO",         "SCUDFUSCOM",      "SCUDFUSCOMPREC"};
    return columns;
}

QString monthText(int month)
{
    return QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'));
}

int storeMonth(const QString& monthText)
{
    const QString text = monthText.trimmed();
    if (text.isEmpty())
        return -1;
    bool ok = false;
    const int month = text.toInt(&ok);
    if (!ok || month < 0 || month > 12)
        throw EZfError(QStringLiteral("Mese del modello non valido: \"%1\".").arg(monthText));
    return month;
}

QString searchFilter(const QString& fiscalCode, int month)
{
    return QStringLiteral("SCUDCODFIS=%1 AND SCUDMESE=%2")
        .arg(Dataset::quoted(fiscalCode), Dataset::quoted(monthText(month)));
}

} // namespace cu::certificate
