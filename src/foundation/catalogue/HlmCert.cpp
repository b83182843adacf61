// Signature of the catalogue file.
#include "foundation/catalogue/HlmCert.h"

#include "foundation/catalogue/Krypto.h"
#include "foundation/operator/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace cu {

namespace {

// The program's fixed key of ten letters.
const QString SignatureKey = QStringLiteral("QMVTRZKBLE");
constexpr int SignatureLength = 32;

// The file's text as lines joined with a line break after each. Bytes are
// read one to one (Latin-1) so that any file, binary included, has a text.
QString joinedLines(const QByteArray& bytes)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = QString::fromLatin1(bytes).split(lineBreak);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // a final line break ends the last line, it does not
                            // begin a new one
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

} // namespace

QString HlmCert::Signature(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw EZfError(
            QStringLiteral("Impossibile leggere il file \"%1\": %2").arg(filePath, file.errorString()));
    return Krypto(joinedLines(file.readAll()), SignatureKey, SignatureLength, QChar(u'A'), QChar(u'Z'));
}

QString HlmCert::signaturePath(const QString& filePath)
{
    const QFileInfo info(filePath);
    return info.path() + u'/' + info.completeBaseName() + QStringLiteral(".unxc");
}

QByteArray HlmCert::signatureFileContents(const QString& digest)
{
    return (digest + QStringLiteral("\r\n")).toLatin1();
}

void HlmCert::writeSignatureFile(const QString& filePath)
{
    const QString target = signaturePath(filePath);
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(signatureFileContents(Signature(filePath))) < 0 ||
        !file.commit())
        throw EZfError(
            QStringLiteral("Impossibile scrivere il file \"%1\": %2").arg(target, file.errorString()));
}

} // namespace cu
