// Field checks while typing.
#include "certificates/checks/FieldValidators.h"

#include "certificates/CertificateSchema.h"
#include "certificates/checks/CheckData.h"
#include "certificates/checks/FiscalCode.h"

#include <QDate>
#include <QFile>
#include <QSet>
#include <QTextStream>

namespace cu {

namespace {

QSet<QString> loadProvinces()
{
    QSet<QString> provinces;
    QFile file(QStringLiteral(":/certificates/province.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return provinces;
    QTextStream in(&file);
    for (QString line; in.readLineInto(&line);) {
        line = line.trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#'))
            provinces.insert(line);
    }
    return provinces;
}

bool isDigits(const QString& text)
{
    for (QChar c : text)
        if (!c.isDigit())
            return false;
    return !text.isEmpty();
}

} // namespace

bool isKnownProvince(const QString& sigla)
{
    static const QSet<QString> provinces = loadProvinces();
    return provinces.contains(sigla.trimmed().toUpper());
}

FieldKind fieldKind(const ColumnSchema& column)
{
    const QString name = column.name.toUpper();
    if (column.typeLetter == u'D')
        return FieldKind::Date;
    if (column.typeLetter != u'S' && column.typeLetter != u'C')
        return FieldKind::Other;
    if (isFiscalCodeColumn(name, FieldType::String))
        return FieldKind::FiscalCode;
    if (column.size == 2 && name.contains(u"PROV"))
        return FieldKind::Province;
    if (name.contains(u"CAPDFA"))
        return FieldKind::MunicipalityCode;
    if (column.size == 5 && name.contains(u"CAP"))
        return FieldKind::Postcode;
    return FieldKind::Other;
}

QString fieldDefect(const ColumnSchema& column, const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QString();
    switch (fieldKind(column)) {
    case FieldKind::FiscalCode: {
        const QString defect = fiscalCodeDefect(text.toUpper());
        return defect.isEmpty() ? QString() : QStringLiteral("Codice fiscale non valido: ") + defect;
    }
    case FieldKind::Date:
        if (QDate::fromString(text, QStringLiteral("d/M/yyyy")).isValid() ||
            QDate::fromString(text, Qt::ISODate).isValid())
            return QString();
        return QStringLiteral("Data non valida: usare gg/mm/aaaa");
    case FieldKind::Province:
        return isKnownProvince(text) ? QString() : QStringLiteral("Sigla di provincia sconosciuta: ") + text;
    case FieldKind::Postcode:
        return text.size() == 5 && isDigits(text) ? QString()
                                                  : QStringLiteral("Il CAP deve essere di 5 cifre");
    case FieldKind::MunicipalityCode:
        return text.size() == 4 && text[0].isLetter() && isDigits(text.mid(1))
                   ? QString()
                   : QStringLiteral("Il codice comune è una lettera e tre cifre (es. H501)");
    case FieldKind::Other:
        break;
    }
    return QString();
}

} // namespace cu
