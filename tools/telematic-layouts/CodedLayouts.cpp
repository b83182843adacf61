// Generation of the coded fields from the schema file.
#include "CodedLayouts.h"

#include "PositionalLayouts.h"
#include "telematic/records/CertificateRecords.h"

#include <QSet>

namespace cu::layouts {

namespace {

constexpr int CodedWidth = 16;

struct PartLetters
{
    const char* part;
    const char* letters;
};

// Record D: personal data; record G: fiscal data (DB), social-security data
// (DC), severance pay (DD), annotations (DN); record H: self-employment
// (AU); record C: the CT form (CT).
constexpr PartLetters PartTable[] = {
    {"anagrafici", "DA"}, {"fiscali", "DB"},     {"familiari", "DB"}, {"inps", "DC"},
    {"inpdap", "DC"},     {"inail", "DC"},       {"altrienti", "DC"}, {"coopart", "DC"},
    {"tfr", "DD"},        {"annotazioni", "DN"}, {"autonomi", "AU"},  {"ct", "CT"},
};

// Fields of dependants: module 601 the spouse, 602 the first child, the
// module of "DBXXX" fields is numbered per further child from 603.
struct FamilyField
{
    const char* code;
    const char* column;
    const char* description;
    const char* format;
    const char* info;
};

constexpr FamilyField FamilyFields[] = {
    {"DB601001", "LCUDRELPARCON", "Coniuge", "CB", "@@"},
    {"DB601002", "SCUDCODFISCON", "Codice fiscale del coniuge", "CF", "@@"},
    {"DB601003", "SCUDMESICARCON", "Mesi a carico del coniuge", "NP", "@@"},
    {"DB602001", "LCUDRELPARPRIFIGL", "Primo figlio (F) o figlio disabile (D)", "AN", "@@"},
    {"DB602002", "SCUDCODFISPRIFIGL", "Codice fiscale del primo figlio", "CF", "@@"},
    {"DB602003", "SCUDMESICARPRIFIGL", "Mesi a carico del primo figlio", "NP", "@@"},
    {"DB602A07", "SCUDDETRSPETTPRIFIGL", "Percentuale di detrazione spettante", "AN", "@@"},
    {"DB602B07", "SCUDDETRSPETTPRIFIGL", "Detrazione spettante al coniuge (C)", "AN", "@@"},
    {"DB602008", "LCUDDET100X100PRIFIGL", "Detrazione al 100% per affidamento", "CB", "@@"},
    {"DB602009", "SCUDMESIDETRM21PRIFIGL", "Mesi di detrazione", "NP", "@@"},
};

constexpr FamilyField FurtherChildFields[] = {
    {"DBXXX001", "LCUDRELPARFIGL", "Figlio (F), altro familiare (A) o figlio disabile (D)", "AN", "O@"},
    {"DBXXX002", "SCUDCODFISFIGL", "Codice fiscale del familiare", "CF", "@@"},
    {"DBXXX003", "SCUDMESICARFIGL", "Mesi a carico", "NP", "@@"},
    {"DBXXX005", "FCUDDETRSPETTFIGL", "Percentuale di detrazione spettante", "VP", "@@"},
    {"DBXXX008", "LCUDDET100X100FIGL", "Detrazione al 100% per affidamento", "CB", "@@"},
    {"DBXXX009", "SCUDMESIDETRM21FIGL", "Mesi di detrazione", "NP", "@@"},
};

// The end-of-service code cut out of the INPDAP insurance-scheme column.
const char* const EndOfServiceCode = "DC001087";

bool isFiscalCodeColumn(const ColumnSchema& column)
{
    const QString name = column.name.toUpper();
    return column.typeLetter == u'C' ||
           (column.typeLetter == u'S' && (name.mid(1).contains(u"CODFIS") || name.mid(1).contains(u"CF")) &&
            !name.contains(u"PERCEST") && !name.contains(u"IDFONDO"));
}

QString formatOf(const ColumnSchema& column, const QString& code)
{
    if (monthStringCodes().contains(code))
        return QStringLiteral("AN");
    if (isFiscalCodeColumn(column))
        return QStringLiteral("CF");
    switch (column.typeLetter.unicode()) {
    case u'F':
        return QStringLiteral("VP");
    case u'L':
        return QStringLiteral("CB");
    case u'D':
        return QStringLiteral("DT");
    case u'I':
        return QStringLiteral("NP");
    default:
        return QStringLiteral("AN");
    }
}

LayoutField codedField(const QString& code, const QString& description, const QString& format,
                       const QString& info, const QString& cds, const QString& column)
{
    return {code, description, CodedWidth, format, info, QString(), cds, column};
}

// Coded fields of the columns of one part of a table, in schema order.
class SectionBuilder
{
public:
    SectionBuilder(QStringList& warnings, QSet<QString>& codes) : m_warnings(warnings), m_codes(codes) {}

    LayoutSection section(const QString& title, const QString& repeat, const QString& sectionCds)
    {
        LayoutSection s;
        s.text = title;
        s.repeat = repeat;
        s.cds = sectionCds;
        return s;
    }

    void addPart(LayoutSection& s, const TableSchema* table, const QString& part, const QString& cds)
    {
        if (!table) {
            m_warnings.append(QStringLiteral("tabella mancante per la parte %1").arg(part));
            return;
        }
        for (const ColumnSchema& column : table->columns) {
            if (column.part != part || column.point.isEmpty() || column.typeLetter == u'B')
                continue;
            bool numeric = false;
            const int point = column.point.toInt(&numeric);
            if (!numeric || point <= 0 || point > 999) {
                m_warnings.append(QStringLiteral("%1.%2: punto \"%3\" non numerico, campo escluso")
                                      .arg(table->name, column.name, column.point));
                continue;
            }
            const QString code = partLetters(part) + QStringLiteral("001") +
                                 QStringLiteral("%1").arg(point, 3, 10, QLatin1Char('0'));
            const QString description =
                column.caption.isEmpty() ? QStringLiteral("Punto %1").arg(point) : column.caption;
            add(s, codedField(code, description, formatOf(column, code), QStringLiteral("@@"), cds,
                              column.name));
        }
    }

    void add(LayoutSection& s, const LayoutField& field)
    {
        if (m_codes.contains(field.number) && !field.number.contains(u"XXX")) {
            m_warnings.append(
                QStringLiteral("codice %1 ripetuto (%2), campo escluso").arg(field.number, field.field));
            return;
        }
        m_codes.insert(field.number);
        s.fields.append(field);
    }

private:
    QStringList& m_warnings;
    QSet<QString>& m_codes;
};

template <size_t N> void addFamily(SectionBuilder& builder, LayoutSection& s, const FamilyField (&fields)[N])
{
    for (const FamilyField& f : fields)
        builder.add(s, codedField(QString::fromLatin1(f.code), QString::fromUtf8(f.description),
                                  QString::fromLatin1(f.format), QString::fromLatin1(f.info),
                                  QStringLiteral("cdsConFamCar"), QString::fromLatin1(f.column)));
}

// The INPDAP insurance-scheme column gives two fields: the scheme (first
// character) and the end-of-service code (fourth character).
void splitInsuranceScheme(SectionBuilder& builder, LayoutSection& inpdap)
{
    for (LayoutField& field : inpdap.fields)
        if (field.field.compare(u"SCUDGESASS_2", Qt::CaseInsensitive) == 0)
            field.description = QStringLiteral("gestione previdenziale");
    builder.add(inpdap, codedField(QString::fromLatin1(EndOfServiceCode),
                                   QStringLiteral("gestione previdenziale - codice fine servizio"),
                                   QStringLiteral("AN"), QStringLiteral("@@"), QStringLiteral("cdsInpdap"),
                                   QStringLiteral("SCUDGESASS_2")));
}

RecordLayout certificateLayout(LayoutBinding binding, const QString& letter)
{
    RecordLayout layout(binding);
    layout.addSection(headSection(letter));
    return layout;
}

} // namespace

QString partLetters(const QString& part)
{
    for (const PartLetters& p : PartTable)
        if (part == QLatin1String(p.part))
            return QString::fromLatin1(p.letters);
    return QString();
}

RecordLayout recordD(const CertificateSchema& schema, QStringList& warnings)
{
    QSet<QString> codes;
    SectionBuilder builder(warnings, codes);
    RecordLayout layout = certificateLayout(LayoutBinding::E, QStringLiteral("D"));
    LayoutSection personal =
        builder.section(QStringLiteral("Dati anagrafici"), QStringLiteral("NO"), QString());
    builder.addPart(personal, schema.table(u"TCUD_DATICUD"), QStringLiteral("anagrafici"),
                    QStringLiteral("cdsDip"));
    layout.addSection(personal);
    return layout;
}

RecordLayout recordG(const CertificateSchema& schema, QStringList& warnings)
{
    QSet<QString> codes;
    SectionBuilder builder(warnings, codes);
    RecordLayout layout = certificateLayout(LayoutBinding::G, QStringLiteral("G"));
    const auto part = [&](const char* title, const char* table, const char* partName, const char* cds) {
        LayoutSection s =
            builder.section(QString::fromUtf8(title), QStringLiteral("NO"), QString::fromLatin1(cds));
        builder.addPart(s, schema.table(QString::fromLatin1(table)), QString::fromLatin1(partName),
                        QString::fromLatin1(cds));
        return s;
    };
    layout.addSection(part("Dati fiscali", "TCUD_DATICUD", "fiscali", "cdsDip"));

    LayoutSection family = builder.section(QStringLiteral("Dati relativi al coniuge e ai familiari a carico"),
                                           QStringLiteral("NO"), QStringLiteral("cdsConFamCar"));
    addFamily(builder, family, FamilyFields);
    layout.addSection(family);
    LayoutSection children =
        builder.section(QStringLiteral("Dati relativi al coniuge e ai familiari a carico - ALTRI FIGLI"),
                        QStringLiteral("YES"), QStringLiteral("cdsConFamCar"));
    addFamily(builder, children, FurtherChildFields);
    layout.addSection(children);

    layout.addSection(part("Dati previdenziali INPS", "TCUDI_INPS", "inps", "cdsInps"));
    LayoutSection inpdap = part("Dati previdenziali INPDAP", "TCUDN_INPDAP", "inpdap", "cdsInpdap");
    splitInsuranceScheme(builder, inpdap);
    layout.addSection(inpdap);
    layout.addSection(part("Dati assicurativi INAIL", "TCUIN_INAIL", "inail", "cdsInail"));
    layout.addSection(part("Altri enti previdenziali", "TCUDAE_ALTRIENTI", "altrienti", "cdsAltriEnti"));
    layout.addSection(part("Cooperative artistiche", "TCUDCA_COOPART", "coopart", "cdsCoopArt"));
    layout.addSection(part("Trattamento di fine rapporto", "TCUDT_TFR", "tfr", "cdsTfr"));
    layout.addSection(part("Annotazioni", "TCUDA_ANNOTAZIONI", "annotazioni", "cdsAnnotazioni"));
    return layout;
}

RecordLayout recordH(const CertificateSchema& schema, QStringList& warnings)
{
    QSet<QString> codes;
    SectionBuilder builder(warnings, codes);
    RecordLayout layout = certificateLayout(LayoutBinding::H, QStringLiteral("H"));
    LayoutSection selfEmployment = builder.section(
        QStringLiteral("Lavoro autonomo, provvigioni e redditi diversi"), QStringLiteral("NO"), QString());
    builder.addPart(selfEmployment, schema.table(u"TASE_AUTSOMMEEROGATE"), QStringLiteral("autonomi"),
                    QStringLiteral("cdsAutSe"));
    layout.addSection(selfEmployment);
    return layout;
}

RecordLayout recordC(const CertificateSchema& schema, QStringList& warnings)
{
    QSet<QString> codes;
    SectionBuilder builder(warnings, codes);
    RecordLayout layout = certificateLayout(LayoutBinding::E, QStringLiteral("C"));
    LayoutSection ct = builder.section(QStringLiteral("Quadro CT"), QStringLiteral("NO"), QString());
    // The CT form has no points: its columns are numbered in schema order.
    const TableSchema* table = schema.table(u"TCUCT_DATICT");
    int number = 0;
    if (table)
        for (const ColumnSchema& column : table->columns) {
            if (column.part != u"ct")
                continue;
            const QString code = QStringLiteral("CT001%1").arg(++number, 3, 10, QLatin1Char('0'));
            builder.add(ct, codedField(code, column.caption.isEmpty() ? column.name : column.caption,
                                       formatOf(column, code), QStringLiteral("@@"),
                                       QStringLiteral("cdsQuadroCT"), column.name));
        }
    layout.addSection(ct);
    return layout;
}

} // namespace cu::layouts
