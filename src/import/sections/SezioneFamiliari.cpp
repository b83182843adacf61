// The family section writer.
#include "import/sections/SezioneFamiliari.h"

#include "foundation/dataset/Dataset.h"
#include "import/archive/PayrollArchive.h"
#include "import/builders/CudContext.h"
#include "import/builders/CudFields.h"
#include "import/sections/SezioniPersona.h"

#include <QMap>
#include <algorithm>

namespace cu {

namespace {

constexpr int MaxMesi = 12;
const QString Uno = QStringLiteral("1");

QString key(const QString& fiscalCode, int yearId)
{
    return fiscalCode.trimmed().toUpper() + u'|' + QString::number(yearId);
}

QString mesi(qint64 months)
{
    return QStringLiteral("%1").arg(months, 2, 10, QChar(u'0'));
}

QString percentuale(Currency percent)
{
    QString text = percent.toString(2);
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

// One child gathered over the periods of the year.
struct Figlio
{
    QString codiceFiscale;
    int ordine = 0;
    int primoMese = 0;
    Currency percentuale;
    bool handicap = false;
    bool affido100 = false;
    bool mancaGenitore = false;
    int mesiCarico = 0;
    int mesiMin3 = 0;
    int mesiGf = 0;
    int mesiAltri = 0;
};

enum class Blocco
{
    Coniuge,
    PrimoFiglio,
    AltroFiglio
};

// Moves to a row whose block is free: the last row when its block is free,
// otherwise a new one.
Dataset& rigaLibera(SezioniPersona& sections, const CudContext& o, Blocco blocco)
{
    Dataset& rows = sections[SezioniPersona::Familiari];
    const auto taken = [&]() {
        switch (blocco) {
        case Blocco::Coniuge:
            return !rows.asString(u"SCUDCODFISCON").isEmpty() || rows.asString(u"LCUDRELPARCON") == Uno;
        case Blocco::PrimoFiglio:
            return !rows.asString(u"SCUDCODFISPRIFIGL").isEmpty();
        case Blocco::AltroFiglio:
            return !rows.asString(u"SCUDCODFISFIGL").isEmpty() ||
                   rows.asString(u"LCUDRELPARFIGLALTRFAM") == Uno;
        }
        return true;
    };
    rows.last();
    if (rows.isEmpty() || taken()) {
        sections.nuovaRiga(SezioniPersona::Familiari, o);
    } else {
        rows.edit();
    }
    return rows;
}

QVector<Figlio> figli(CudContext& o, const ArchiveRows& r, const QVector<int>& indexes)
{
    QMap<QString, Figlio> byCode;
    QStringList order;
    for (int i : indexes) {
        if (r.value(i, QStringLiteral("IADEFID")).isNull())
            continue;
        const QString code = r.string(i, QStringLiteral("SADEFCODFISC")).trimmed();
        if (code.isEmpty()) {
            o.addMsg(Info::Familiari, QStringLiteral("Figlio nr %1: codice fiscale non impostato.")
                                          .arg(r.integer(i, QStringLiteral("IADEFORDINE"))));
            continue;
        }
        if (!byCode.contains(code)) {
            order.append(code);
            Figlio f;
            f.codiceFiscale = code;
            f.ordine = static_cast<int>(r.integer(i, QStringLiteral("IADEFORDINE")));
            f.primoMese = static_cast<int>(r.integer(i, QStringLiteral("IMESDAL")));
            f.percentuale = r.currency(i, QStringLiteral("FDEFPERC"));
            f.handicap = r.integer(i, QStringLiteral("LADEFHANDYCAP")) != 0;
            f.affido100 = r.integer(i, QStringLiteral("LADEFAFFIDO100")) != 0;
            f.mancaGenitore = r.integer(i, QStringLiteral("LADETMANCAGENITORE")) != 0;
            byCode.insert(code, f);
        }
        Figlio& f = byCode[code];
        f.mesiCarico = std::min(MaxMesi, f.mesiCarico + int(r.integer(i, QStringLiteral("MESI_CARICO"))));
        f.mesiMin3 = std::min(MaxMesi, f.mesiMin3 + int(r.integer(i, QStringLiteral("MESI_MIN3"))));
        f.mesiGf = std::min(MaxMesi, f.mesiGf + int(r.integer(i, QStringLiteral("MESI_GF"))));
        f.mesiAltri = std::min(MaxMesi, f.mesiAltri + int(r.integer(i, QStringLiteral("MESI_ALTRI"))));
    }
    QVector<Figlio> result;
    for (const QString& code : order)
        result.append(byCode.value(code));
    std::stable_sort(result.begin(), result.end(), [](const Figlio& a, const Figlio& b) {
        return std::tie(a.ordine, a.primoMese) < std::tie(b.ordine, b.primoMese);
    });
    return result;
}

void scriviConiuge(SezioniPersona& s, CudContext& o, const ArchiveRows& r, int i)
{
    const QString code = r.string(i, QStringLiteral("SADETCFCONCAR")).trimmed();
    const bool aCarico = r.integer(i, QStringLiteral("LADETCONCAR")) != 0;
    if (code.isEmpty() && !aCarico)
        return;
    Dataset& row = rigaLibera(s, o, Blocco::Coniuge);
    row.setValue(QStringLiteral("SCUDCODFISCON"), code);
    if (aCarico) {
        row.setValue(QStringLiteral("LCUDRELPARCON"), Uno);
        row.setValue(QStringLiteral("SCUDMESICARCON"), mesi(r.integer(i, QStringLiteral("IADETMESICONCAR"))));
    }
    row.setValue(QStringLiteral("SCUDDTANNOCONIUGE"), r.string(i, QStringLiteral("IANFVALORE")));
    row.post();
    if (code.isEmpty())
        o.addMsg(Info::Familiari, QStringLiteral("Codice fiscale coniuge mancante"));
}

void scriviPrimoFiglio(Dataset& row, const Figlio& f, const QString& anno)
{
    row.setValue(f.handicap ? QStringLiteral("LCUDRELPARPRIFIGLDIS") : QStringLiteral("LCUDRELPARPRIFIGL"),
                 Uno);
    row.setValue(QStringLiteral("SCUDCODFISPRIFIGL"), f.codiceFiscale);
    row.setValue(QStringLiteral("SCUDMESICARPRIFIGL"), mesi(f.mesiCarico));
    row.setValue(QStringLiteral("SCUDMESIDETRGFPRIFIGL"), mesi(f.mesiGf));
    row.setValue(QStringLiteral("SCUDMESIDETRM21PRIFIGL"), mesi(f.mesiAltri));
    if (f.mesiCarico == MaxMesi && f.mancaGenitore)
        row.setValue(QStringLiteral("SCUDDETRSPETTPRIFIGL"), QStringLiteral("C"));
    else if (f.percentuale > Currency())
        row.setValue(QStringLiteral("SCUDDETRSPETTPRIFIGL"), percentuale(f.percentuale));
    if (f.mesiMin3 > 0)
        row.setValue(QStringLiteral("SCUDMINTREANNPRIFIGL"), mesi(f.mesiMin3));
    row.setValue(QStringLiteral("LCUDDET100X100PRIFIGL"), f.affido100 ? Uno : QStringLiteral("0"));
    row.setValue(QStringLiteral("SCUDDTANNOPRIFIGL"), anno);
}

void scriviAltroFiglio(Dataset& row, const Figlio& f, const QString& anno)
{
    row.setValue(f.handicap ? QStringLiteral("LCUDRELPARFIGLDIS") : QStringLiteral("LCUDRELPARFIGL"), Uno);
    row.setValue(QStringLiteral("SCUDCODFISFIGL"), f.codiceFiscale);
    row.setValue(QStringLiteral("SCUDMESICARFIGL"), mesi(f.mesiCarico));
    row.setValue(QStringLiteral("SCUDMESIDETRGFFIGL"), mesi(f.mesiGf));
    row.setValue(QStringLiteral("SCUDMESIDETRM21FIGL"), mesi(f.mesiAltri));
    if (f.percentuale > Currency())
        setAmount(row, u"FCUDDETRSPETTFIGL", f.percentuale);
    if (f.mesiMin3 > 0)
        row.setValue(QStringLiteral("SCUDMINTREANNFIGL"), mesi(f.mesiMin3));
    row.setValue(QStringLiteral("LCUDDET100AFFPRIFIGL"), f.affido100 ? Uno : QStringLiteral("0"));
    row.setValue(QStringLiteral("SCUDDTANNOFIGL"), anno);
}

void scriviFigli(SezioniPersona& s, CudContext& o, const ArchiveRows& r, const QVector<int>& indexes)
{
    const QString anno = r.string(indexes.first(), QStringLiteral("IANFVALORE"));
    int written = 0;
    for (const Figlio& f : figli(o, r, indexes)) {
        if (f.mesiCarico == 0) {
            o.addMsg(
                Info::Familiari,
                QStringLiteral("Figlio (codice fiscale %1): nessun mese a carico.").arg(f.codiceFiscale));
            continue;
        }
        const bool primo = f.ordine == 1;
        Dataset& row = rigaLibera(s, o, primo ? Blocco::PrimoFiglio : Blocco::AltroFiglio);
        if (primo)
            scriviPrimoFiglio(row, f, anno);
        else
            scriviAltroFiglio(row, f, anno);
        row.post();
        ++written;
    }
    if (r.integer(indexes.first(), QStringLiteral("IADETFIGLI")) > 0 && written == 0)
        o.addMsg(Info::Familiari,
                 QStringLiteral(
                     "Dati relativi ai figli a carico non importati. \r\n  Non inseriti nel CUD o sezione "
                     "casi particolari delle detrazioni non impostate nei dati retributivi."));
}

void scriviAltriFamiliari(SezioniPersona& s, CudContext& o, const ArchiveRows& r, int i)
{
    if (r.integer(i, QStringLiteral("IADETALTRI")) <= 0)
        return;
    const Currency percent = r.currency(i, QStringLiteral("FADETPERCALTRI"));
    int written = 0;
    for (int n = 1; n <= 2; ++n) {
        const QString code = r.string(i, QStringLiteral("SADETCFALTRICAR%1").arg(n)).trimmed();
        if (code.isEmpty())
            continue;
        Dataset& row = rigaLibera(s, o, Blocco::AltroFiglio);
        const bool handicap = r.integer(i, QStringLiteral("LADETALTRIHANDYCAP%1").arg(n)) != 0;
        row.setValue(handicap ? QStringLiteral("LCUDRELPARFIGLDIS") : QStringLiteral("LCUDRELPARFIGLALTRFAM"),
                     Uno);
        row.setValue(QStringLiteral("SCUDCODFISFIGL"), code);
        row.setValue(QStringLiteral("SCUDMESICARFIGL"), mesi(r.integer(i, QStringLiteral("IADETMESIALTRI"))));
        if (percent > Currency())
            setAmount(row, u"FCUDDETRSPETTFIGL", percent);
        row.setValue(QStringLiteral("SCUDDTANNOFIGL"), r.string(i, QStringLiteral("IANFVALORE")));
        row.post();
        ++written;
    }
    if (written == 0)
        o.addMsg(Info::Familiari,
                 QStringLiteral("Dati degli altri familiari a carico non importati correttamente"));
    if (!(percent > Currency()))
        o.addMsg(Info::Familiari,
                 QStringLiteral("Dati degli altri familiari a carico: manca la percentuale di detrazione"));
}

} // namespace

DatiFamiliari::DatiFamiliari(ArchiveRows rows) : m_rows(std::move(rows))
{
    for (int i = 0; i < m_rows.size(); ++i)
        m_index[key(m_rows.string(i, QStringLiteral("SANACODFISCALE")),
                    int(m_rows.integer(i, QStringLiteral("IANFID"))))]
            .append(i);
}

DatiFamiliari DatiFamiliari::read(PayrollArchive& archive, int yearId)
{
    return DatiFamiliari(
        archive.open({QStringLiteral("QRY_ELH_ADET"),
                      {{QStringLiteral("IANFID"), yearId}, {QStringLiteral("IANFID_P"), yearId - 1}},
                      {},
                      {}}));
}

QVector<int> DatiFamiliari::of(const QString& fiscalCode, int yearId) const
{
    return m_index.value(key(fiscalCode, yearId));
}

void SezioneFamiliari::Scrivi(CudContext& o, SezioniPersona& sections, const DatiFamiliari& data)
{
    const QVector<int> indexes = data.of(o.sel.codFiscale, o.anfId);
    if (indexes.isEmpty())
        return;
    const ArchiveRows& r = data.rows();
    scriviConiuge(sections, o, r, indexes.first());
    scriviFigli(sections, o, r, indexes);
    scriviAltriFamiliari(sections, o, r, indexes.first());
}

} // namespace cu
