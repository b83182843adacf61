// The print font: where it is, which characters it draws, and the refusal of
// a character it cannot draw.
#include "printing/PrintFont.h"

#include "foundation/dataset/Dataset.h"

#include <QFileInfo>
#include <memory>
#include <podofo/podofo.h>

using namespace PoDoFo;

namespace cu {

namespace {

QString describe(char32_t code)
{
    return QStringLiteral("\"%1\" (U+%2)")
        .arg(QString::fromUcs4(&code, 1))
        .arg(QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

// The font's glyph table, read once from a document of its own: the
// documents of the prints come and go, the characters the font draws do not.
class Coverage
{
public:
    Coverage()
    {
        const QByteArray file = printfont::path().toLocal8Bit();
        m_font = m_document.CreateFontSubset("LiberationSans", false, false, false,
                                             PdfEncodingFactory::GlobalIdentityEncodingInstance(),
                                             file.constData());
        if (!m_font)
            throw EZfError(QStringLiteral("Carattere di stampa %1 non leggibile").arg(printfont::path()));
    }
    bool has(char32_t code) const { return m_font->GetFontMetrics()->GetGlyphId(long(code)) != 0; }

private:
    PdfMemDocument m_document;
    PdfFont* m_font = nullptr;
};

} // namespace

namespace printfont {

const QStringList& searchPaths()
{
    static const QStringList paths{
        QStringLiteral("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"),
        QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf")};
    return paths;
}

QString locate(const QStringList& candidates)
{
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isFile())
            return candidate;
    throw EZfError(QStringLiteral("Carattere di stampa Liberation Sans non trovato (%1): installare il "
                                  "pacchetto fonts-liberation2")
                       .arg(candidates.join(QStringLiteral(", "))));
}

const QString& path()
{
    static const QString found = locate(searchPaths());
    return found;
}

bool canDraw(char32_t code)
{
    static const Coverage coverage;
    return coverage.has(code);
}

char32_t firstUndrawable(const QString& text)
{
    for (char32_t code : text.toUcs4())
        if (!canDraw(code))
            return code;
    return 0;
}

QString personOf(const Dataset& certificate)
{
    return QStringLiteral("percipiente %1 %2 (%3)")
        .arg(certificate.asString(u"SCUDCOGNOME").trimmed(), certificate.asString(u"SCUDNOME").trimmed(),
             certificate.asString(u"SCUDCODFIS").trimmed());
}

void requireDrawable(const QString& text)
{
    if (const char32_t code = firstUndrawable(text))
        throw UndrawableCharacter(code, text);
}

void requireDrawableRows(Dataset& list, const QVector<int>& rows)
{
    const QVector<FieldDef>& fields = list.fields();
    const int current = list.recNo();
    for (int row : rows) {
        list.setRecNo(row);
        for (int f = 0; f < fields.size(); ++f) {
            if (fields[f].type != FieldType::String && fields[f].type != FieldType::Memo)
                continue;
            // Line breaks separate the lines of a text printed on several
            // lines (the annotations); they are never drawn.
            const QString text = list.value(f).toString();
            if (const char32_t code = firstUndrawable(QString(text).remove(u'\r').remove(u'\n')))
                throw UndrawableCharacter(code, text, fields[f].name, personOf(list));
        }
    }
    if (current >= 0)
        list.setRecNo(current);
}

} // namespace printfont

UndrawableCharacter::UndrawableCharacter(char32_t character, QString text, QString field, QString person)
    : EZfError(QStringLiteral("Carattere non stampabile: %1 in \"%2\"%3%4")
                   .arg(describe(character), text.trimmed(),
                        field.isEmpty() ? QString() : QStringLiteral(", campo ") + field,
                        person.isEmpty() ? QString() : QStringLiteral(", ") + person)),
      m_character(character), m_text(std::move(text)), m_field(std::move(field)), m_person(std::move(person))
{
}

UndrawableCharacter UndrawableCharacter::inField(const QString& field) const
{
    return {m_character, m_text, m_field.isEmpty() ? field : m_field, m_person};
}

UndrawableCharacter UndrawableCharacter::ofPerson(const QString& person) const
{
    return {m_character, m_text, m_field, m_person.isEmpty() ? person : m_person};
}

} // namespace cu
