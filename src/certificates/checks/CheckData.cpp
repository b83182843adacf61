// Mandatory columns, column rules, fiscal codes and recipient data.
#include "certificates/checks/CheckData.h"

#include "certificates/checks/FiscalCode.h"
#include "foundation/dataset/Dataset.h"
#include "foundation/text/Currency.h"
#include "foundation/text/TextFunctions.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <algorithm>

namespace cu {

namespace {

const QString Missing = QStringLiteral(" - Dato obbligatorio mancante: ");
const QString Excess = QStringLiteral(" - Dati in eccesso: ");
const QString Wrong = QStringLiteral(" - Campo errato: ");

struct Mandatory
{
    const char* column;
    const char* description;
};

const Mandatory MandatoryColumns[] = {
    {"SSOSDENOM", "Denominazione del sostituto"},
    {"SSOSCODFIS", "Codice fiscale del sostituto"},
    {"SCOACODICE", "Codice attività del sostituto"},
    {"SSOSCFRAPPR", "Codice fiscale del rappresentante firmatario"},
    {"SCARCODICE", "Codice carica del rappresentante firmatario"},
    {"STSACODICE", "Stato (tab. SA) in altri soggetti"},
    {"STSBCODICE", "Natura giuridica (tab. SB) in altri soggetti"},
    {"STSCCODICE", "Situazione (tab. SC) in altri soggetti"},
    {"SSOSCOMUNESL", "Comune sede legale"},
    {"SSOSPROVSL", "Provincia sede legale"},
    {"SSOSINDIRIZSL", "Indirizzo sede legale"},
    {"SSOSCAPSL", "Cap sede legale"},
    {"SSOSALTSOGCODCOMSL", "Codice comune sede legale"},
    {"SSOSSESSO", "Sesso del rappresentante firmatario"},
    {"DSOSDTNASRAPPR", "Data di nascita del rappresentante firmatario"},
    {"SSOSCOMNASRAPPR", "Comune o stato estero di nascita del rappresentante firmatario"},
    {"SSOSPROVNASRAPPR", "Provincia di nascita del rappresentante firmatario"},
    {"SSOSCOMRESRAPPR", "Comune di residenza del rappresentante firmatario"},
    {"SSOSPROVRESRAPPR", "Provincia di residenza del rappresentante firmatario"},
    {"SSOSCAPRESRAPPR", "CAP di resisdenza del rappresentante firmatario"},
    {"ISOSSEZ", "Redazione della dichiarazione"},
    {"SSOSDICHIARANTE", "Firma del dichiarante nella redazione della dichiarazione"},
    {"STFOCODICE", "Tipo fornitore"},
    {"SFORCODFIS", "Codice fiscale del fornitore"},
    {"SDIP7CODFIS", "Codice fiscale del dipendente"},
    {"SDIP7COGNOME", "Cognome del dipendente"},
    {"SDIP7NOME", "Nome del dipendente"},
    {"SDIP7SEX", "Sesso del dipendente"},
    {"DDIP7DATANAS", "Data di nascita del dipendente"},
    {"SDIP7COMNAS", "Comune di nascita del dipendente"},
    {"SDIP7PROVNAS", "Provincia di nascita del dipendente"},
    {"SINPS7MATRAZIENDA", "Matricola azienda"},
    {"SINPDAP7CODFISAMMNE", "Codice fiscale amministrazione nel modulo INPDAP"},
    {"SINPDAP7GESASS_1", "Cassa pensionistica nel modulo INPDAP"},
    {"SINPDAP7GESASS_2", "Cassa previdenziale nel modulo INPDAP"},
    {"SINPDAP7GESASS_3", "Cassa credito nel modulo INPDAP"},
    {"SPSTMESE", "Mese di riferimento prospetto ST"},
    {"SPSTANNO", "Anno di riferimento prospetto ST"},
    {"SPSVMESE", "Mese di riferimento prospetto SV"},
    {"SPSVANNO", "Anno di riferimento prospetto SV"},
};

// The description of a mandatory column (compared without regard to case), or null.
const char* mandatoryDescription(const QString& column)
{
    static const QHash<QString, const char*> byName = [] {
        QHash<QString, const char*> all;
        for (const Mandatory& m : MandatoryColumns)
            all.insert(QString::fromLatin1(m.column), m.description);
        return all;
    }();
    return byName.value(column.toUpper(), nullptr);
}

// Whether a field has a value, by its type: text not empty, a date after
// the zero date, any other value a number other than 0 (an empty or
// non-numeric value counts as -1, so as a value).
bool hasValue(const Dataset& dataset, int field)
{
    const QVariant value = dataset.value(field);
    switch (dataset.fields()[field].type) {
    case FieldType::String:
    case FieldType::Memo:
        return !value.toString().isEmpty();
    case FieldType::Date:
    case FieldType::DateTime:
        return value.toDate().isValid();
    default: {
        if (value.metaType() == QMetaType::fromType<Currency>())
            return !value.value<Currency>().isZero();
        bool numeric = false;
        const double number = value.toString().trimmed().toDouble(&numeric);
        return (numeric ? number : -1.0) != 0.0;
    }
    }
}

QString columnText(const Dataset& dataset, const char* column)
{
    const int field = dataset.fieldIndex(QString::fromLatin1(column));
    return field < 0 ? QString() : dataset.value(field).toString();
}

// The representative of the declaration: a denomination, or surname and name.
QString representativeRule(const Dataset& dataset)
{
    const bool denomination = !columnText(dataset, "SSOSDENRAPPR").isEmpty();
    const bool surname = !columnText(dataset, "SSOSCOGNRAPPR").isEmpty();
    const bool name = !columnText(dataset, "SSOSNOMERAPPR").isEmpty();
    if (denomination && (surname || name))
        return Excess +
               QStringLiteral("Nome o cognome del rappresentante della dichiarazione compilati in presenza "
                              "della denominazione");
    if (denomination)
        return QString();
    if (!surname && name)
        return Missing + QStringLiteral("Cognome del rappresentante della dichiarazione");
    if (surname && !name)
        return Missing + QStringLiteral("Nome del rappresentante della dichiarazione");
    if (!surname && !name)
        return Missing +
               QStringLiteral("Denominazione o cognome e nome del rappresentante della dichiarazione");
    return QString();
}

QString columnRule(const Dataset& dataset, const QString& column)
{
    if (column.compare(u"SSOSDENRAPPR", Qt::CaseInsensitive) == 0)
        return representativeRule(dataset);
    return QString();
}

// The personal data as the agency accepts them, once they are there:
// surname and first name with at least a letter, sex M or F, a birth date
// from 1900 up to today, no control character in the personal texts.
QVector<FieldProblem> personalDataDefects(const Dataset& certificate, bool person)
{
    QVector<FieldProblem> problems;
    const auto wrong = [&](const char* column, const QString& what) {
        problems.append({QString::fromLatin1(column), Wrong + what});
    };
    const auto hasLetter = [](const QString& value) {
        return std::any_of(value.begin(), value.end(), [](QChar c) { return c.isLetter(); });
    };
    for (const char* column : {"SCUDCOGNOME", "SCUDNOME", "SCUDCOMNAS", "SCUDPROVNAS", "SCUDSEX"}) {
        const QString value = columnText(certificate, column);
        if (text::hasControlCharacters(value))
            wrong(column, QStringLiteral("caratteri di controllo (a capo, tabulazioni) in %1")
                              .arg(QLatin1String(column)));
        else if (!value.trimmed().isEmpty() && QByteArrayView(column) != "SCUDSEX" &&
                 QByteArrayView(column) != "SCUDPROVNAS" && !hasLetter(value))
            wrong(column, QStringLiteral("%1 \"%2\" senza alcuna lettera").arg(QLatin1String(column), value));
    }
    const QString sex = columnText(certificate, "SCUDSEX").trimmed();
    if (person && !sex.isEmpty() && sex != u"M" && sex != u"F")
        wrong("SCUDSEX", QStringLiteral("sesso \"%1\" del percipiente (ammessi M e F)").arg(sex));
    const int birthField = certificate.fieldIndex(QStringLiteral("DCUDDATANAS"));
    const QDate birth = birthField < 0 ? QDate() : certificate.value(birthField).toDate();
    if (person && birth.isValid() && (birth < QDate(1900, 1, 1) || birth > QDate::currentDate()))
        wrong("DCUDDATANAS", QStringLiteral("data di nascita del percipiente %1 non plausibile")
                                 .arg(birth.toString(QStringLiteral("dd/MM/yyyy"))));
    return problems;
}

bool appendMessages(QStringList& messages, const QVector<FieldProblem>& problems)
{
    for (const FieldProblem& problem : problems)
        messages.append(problem.message);
    return problems.isEmpty();
}

} // namespace

bool isFiscalCodeColumn(QStringView name, FieldType type)
{
    const QString upper = name.toString().toUpper();
    if (type != FieldType::String || upper.isEmpty() || (upper[0] != u'S' && upper[0] != u'C'))
        return false;
    if (upper.contains(u"PERCEST") || upper.contains(u"IDFONDO"))
        return false;
    return upper.mid(1).contains(u"CODFIS") || upper.mid(1).contains(u"CF");
}

QVector<FieldProblem> mandatoryProblems(const Dataset& dataset)
{
    QVector<FieldProblem> problems;
    const QVector<FieldDef>& fields = dataset.fields();
    for (int f = 0; f < fields.size(); ++f) {
        if (const char* description = mandatoryDescription(fields[f].name)) {
            if (!hasValue(dataset, f))
                problems.append({fields[f].name, Missing + QString::fromUtf8(description)});
            continue;
        }
        const QString message = columnRule(dataset, fields[f].name);
        if (!message.isEmpty())
            problems.append({fields[f].name, message});
    }
    return problems;
}

QVector<FieldProblem> fiscalCodeProblems(const Dataset& dataset)
{
    QVector<FieldProblem> problems;
    const QVector<FieldDef>& fields = dataset.fields();
    for (int f = 0; f < fields.size(); ++f) {
        if (!isFiscalCodeColumn(fields[f].name, fields[f].type))
            continue;
        const QString code = dataset.value(f).toString().trimmed();
        if (code.isEmpty())
            continue;
        const QString defect = fiscalCodeDefect(code.toUpper());
        if (!defect.isEmpty())
            problems.append({fields[f].name, Wrong + QStringLiteral("codice fiscale %1 (%2) non valido: %3")
                                                         .arg(code, fields[f].name, defect)});
    }
    return problems;
}

QVector<FieldProblem> recipientProblems(const Dataset& certificate)
{
    struct Required
    {
        const char* column;
        const char* description;
        bool personOnly;
    };
    static const Required required[] = {
        {"SCUDCODFIS", "Codice fiscale del percipiente", false},
        {"SCUDCOGNOME", "Cognome o denominazione del percipiente", false},
        {"SCUDNOME", "Nome del percipiente", true},
        {"SCUDSEX", "Sesso del percipiente", true},
        {"DCUDDATANAS", "Data di nascita del percipiente", true},
        {"SCUDCOMNAS", "Comune o stato estero di nascita del percipiente", true},
    };
    const bool person = columnText(certificate, "SCUDCODFIS").trimmed().size() != 11;
    QVector<FieldProblem> problems;
    for (const Required& r : required) {
        if (r.personOnly && !person)
            continue;
        const QString column = QString::fromLatin1(r.column);
        const int field = certificate.fieldIndex(column);
        if (field >= 0 && hasValue(certificate, field) &&
            !certificate.value(field).toString().trimmed().isEmpty())
            continue;
        problems.append({column, Missing + QString::fromUtf8(r.description)});
    }
    problems += personalDataDefects(certificate, person);
    return problems;
}

bool checkData(QStringList& messages, const QVector<const Dataset*>& datasets, int lastIndex)
{
    bool passed = true;
    for (int i = 0; i <= lastIndex && i < datasets.size(); ++i)
        passed = appendMessages(messages, mandatoryProblems(*datasets[i])) && passed;
    return passed;
}

bool checkFiscalCodes(QStringList& messages, const Dataset& dataset)
{
    return appendMessages(messages, fiscalCodeProblems(dataset));
}

bool checkRecipient(QStringList& messages, const Dataset& certificate)
{
    return appendMessages(messages, recipientProblems(certificate));
}

} // namespace cu
