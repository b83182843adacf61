// Positions of records A, B, Z and of the certificate-record head. Every
// field is listed in the order of its positions; the comments give them.
#include "PositionalLayouts.h"

#include "telematic/records/SupplyRecords.h"

namespace cu::layouts {

namespace {

struct Positional
{
    const char* number;
    const char* description;
    int width;
    const char* format;
    const char* info;
    const char* fixed;
    const char* cds;
    const char* field;
};

LayoutField toField(const Positional& p)
{
    return {QString::fromLatin1(p.number), QString::fromUtf8(p.description), p.width,
            QString::fromLatin1(p.format), QString::fromLatin1(p.info),      QString::fromLatin1(p.fixed),
            QString::fromLatin1(p.cds),    QString::fromLatin1(p.field)};
}

template <size_t N> LayoutSection section(const char* title, const Positional (&fields)[N])
{
    LayoutSection s;
    s.text = QString::fromUtf8(title);
    s.repeat = QStringLiteral("NO");
    for (const Positional& p : fields)
        s.fields.append(toField(p));
    return s;
}

const Positional RecordAFields[] = {
    {"1", "Tipo record", 1, "AN", "OF", "A", "", ""},                                   // 1
    {"2", "Filler", 14, "AN", "OF", "", "", ""},                                        // 2-15
    {"3", "Codice fornitura", 5, "AN", "OF", "CUR25", "", ""},                          // 16-20
    {"4", "Tipo fornitore", 2, "N2", "O@", "", "cdsForn", "STFOCODICE"},                // 21-22
    {"5", "Codice fiscale del fornitore", 16, "CF", "O@", "", "cdsForn", "SFORCODFIS"}, // 23-38
    {"6", "Filler", 483, "AN", "OF", "", "", ""},                                       // 39-521
    {"7", "Progressivo dell'invio telematico", 4, "NF", "OF", "0", "", ""},             // 522-525
    {"8", "Numero totale degli invii telematici", 4, "NF", "OF", "0", "", ""},          // 526-529
    {"9", "Spazio a disposizione dell'utente", 1168, "AN", "OF", "", "", ""},           // 530-1697
    {"10", "Spazio riservato al Servizio telematico", 200, "AN", "OF", "", "", ""},     // 1698-1897
    {"11", "Carattere di controllo", 1, "AN", "OF", "A", "", ""},                       // 1898
};

const Positional RecordBFields[] = {
    {"1", "Tipo record", 1, "AN", "OF", "B", "", ""},                                   // 1
    {"2", "Codice fiscale del sostituto", 16, "CF", "O@", "", "cdsSost", "SSOSCODFIS"}, // 2-17
    {"3", "Progressivo modulo", 8, "NF", "OF", "1", "", ""},                            // 18-25
    {"4", "Filler", 3, "AN", "OF", "", "", ""},                                         // 26-28
    {"5", "Spazio a disposizione dell'utente", 24, "AN", "OF", "", "", ""},             // 29-52
    {"6", "Filler", 16, "AN", "OF", "", "", ""},                                        // 53-68
    {"7", "Filler", 5, "AN", "OF", "", "", ""},                                         // 69-73
    {"8", "Codice fiscale del produttore del software", 16, "CF", "OF", "", "", ""},    // 74-89
    {"9", "Annullamento", 1, "CP", "@1", "", "cdsSost", "LSOSANNULLAMENTO"},            // 90
    {"10", "Sostituzione", 1, "CP", "@1", "", "cdsSost", "LSOSSOSTITUZIONE"},           // 91
    {"11", "Eventi eccezionali", 2, "N2", "O@", "", "cdsSost", "SSOSEVECC"},            // 92-93
    {"12", "Casi particolari", 1, "CP", "@1", "", "cdsSost", "LSOSCASIPARTICOLARI"},    // 94
    {"13", "Codice fiscale del sostituto subentrante", 16, "CF", "O@", "", "cdsSost",
     "SSOSCODFISSOSSUB"},                                                                        // 95-110
    {"14", "Cognome o denominazione del sostituto", 60, "AN", "O@", "", "cdsSost", "SSOSDENOM"}, // 111-170
    {"15", "Nome del sostituto", 20, "AN", "O@", "", "cdsSost", "SSOSNOME"},                     // 171-190
    {"16", "Telefono o fax", 12, "AN", "O@", "", "cdsSost", "SSOSTELFAX"},                       // 191-202
    {"17", "Indirizzo di posta elettronica", 100, "AN", "O@", "", "cdsSost", "SSOSEMAIL"},       // 203-302
    {"18", "Codice attività", 6, "AN", "O@", "", "cdsSost", "SSOSCODATTIVITA"},                  // 303-308
    {"19", "Codice sede", 3, "AN", "O@", "", "cdsSost", "SSOSCODSEDE"},                          // 309-311
    {"20", "Codice fiscale del rappresentante firmatario", 16, "CF", "O@", "", "cdsSost",
     "SSOSCFRAPPR"},                                                                        // 312-327
    {"21", "Codice carica del rappresentante", 2, "N2", "O@", "", "cdsSost", "SCARCODICE"}, // 328-329
    {"22", "Cognome del rappresentante", 24, "AN", "O@", "", "cdsSost", "SSOSCOGNRAPPR"},   // 330-353
    {"23", "Nome del rappresentante", 20, "AN", "O@", "", "cdsSost", "SSOSNOMERAPPR"},      // 354-373
    {"24", "Codice fiscale società o ente dichiarante", 11, "CN", "O@", "", "cdsSost",
     "SSOSCFSOCENTE"},                                                                           // 374-384
    {"25", "Quadro CT", 1, "CP", "OF", "0", "", ""},                                             // 385
    {"26", "Filler", 16, "AN", "OF", "", "", ""},                                                // 386-401
    {"27", "Numero certificazioni", 8, "NF", "OF", "0", "", ""},                                 // 402-409
    {"28", "Firma della comunicazione", 1, "CP", "@1", "", "cdsSost", "SSOSFIRMACOM"},           // 410
    {"29", "Codice fiscale dell'incaricato", 16, "CF", "O@", "", "cdsSost", "SSOSCODFISINTERM"}, // 411-426
    {"30", "Impegno a presentare in via telematica", 1, "CP", "@1", "", "cdsSost", "LSOSDICHCONTRIB"}, // 427
    {"31", "Data dell'impegno", 8, "DT", "O@", "", "cdsSost", "DSOSDTIMPEGNO"},            // 428-435
    {"32", "Firma dell'intermediario", 1, "CP", "@1", "", "cdsSost", "SSOSINTERMEDIARIO"}, // 436
    {"33", "Filler", 1461, "AN", "OF", "", "", ""},                                        // 437-1897
    {"34", "Carattere di controllo", 1, "AN", "OF", "A", "", ""},                          // 1898
};

const Positional RecordZFields[] = {
    {"1", "Tipo record", 1, "AN", "OF", "Z", "", ""},             // 1
    {"2", "Filler", 23, "AN", "OF", "", "", ""},                  // 2-24
    {"3", "Numero record di tipo C", 9, "NF", "OF", "0", "", ""}, // 25-33
    {"4", "Numero record di tipo D", 9, "NF", "OF", "0", "", ""}, // 34-42
    {"5", "Numero record di tipo G", 9, "NF", "OF", "0", "", ""}, // 43-51
    {"6", "Numero record di tipo H", 9, "NF", "OF", "0", "", ""}, // 52-60
    {"7", "Filler", 1837, "AN", "OF", "", "", ""},                // 61-1897
};

} // namespace

RecordLayout recordA()
{
    RecordLayout layout(LayoutBinding::A);
    layout.addSection(section("Record di testa", RecordAFields));
    return layout;
}

RecordLayout recordB()
{
    RecordLayout layout(LayoutBinding::B);
    layout.addSection(section("Frontespizio", RecordBFields));
    return layout;
}

RecordLayout recordZ()
{
    RecordLayout layout(LayoutBinding::Z);
    layout.addSection(section("Record di coda", RecordZFields));
    return layout;
}

LayoutSection headSection(const QString& letter)
{
    // Record C describes the CT form: its agent code comes from the form and
    // it has no recipient; D, G and H name the agent and the recipient.
    const bool ct = letter == u"C";
    const bool d = letter == u"D";
    const QByteArray letterText = letter.toLatin1();
    const QByteArray producer = producerFiscalCode().toLatin1();
    const Positional head[] = {
        {"1", "Tipo record", 1, "AN", "OF", letterText.constData(), "", ""}, // 1
        {"2", "Codice fiscale del sostituto", 16, "CF", "O@", "", ct ? "cdsQuadroCT" : "cdsSost",
         ct ? "SCTCODFIS" : "SSOSCODFIS"},                       // 2-17
        {"3", "Progressivo modulo", 8, "NF", "OF", "1", "", ""}, // 18-25
        {"4", "Codice fiscale del percipiente", 16, "CF", ct ? "OF" : "O@", "", ct ? "" : "cdsDip",
         ct ? "" : "SCUDCODFIS"},                                              // 26-41
        {"5", "Progressivo della certificazione", 6, "NF", "OF", "0", "", ""}, // 42-47
        {"6", "Identificativo dell'invio con la certificazione da sostituire o annullare", 17, "NF",
         d ? "O@" : "OF", d ? "" : "0", d ? "cdsDip" : "", d ? "SCUDIDENTSERVTELE" : ""}, // 48-64
        {"7", "Progressivo della certificazione da sostituire o annullare", 6, "NF", d ? "O@" : "OF",
         d ? "" : "0", d ? "cdsDip" : "", d ? "SCUDPROGRDICH" : ""}, // 65-70
        {"8", "Filler", 1, "AN", "OF", "", "", ""},                  // 71
        {"9", "Tipo operazione", 1, "AN", "OF", "", "", ""},         // 72
        {"10", "Filler", 1, "AN", "OF", "", "", ""},                 // 73
        {"11", "Codice fiscale del produttore del software", 16, "CF", "OF", producer.constData(), "",
         ""}, // 74-89
    };
    LayoutSection s = section("intestazione record", head);
    return s;
}

} // namespace cu::layouts
