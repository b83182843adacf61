// Helpers of the telematic-file tests: the production datasets defined from
// the schema file, an agent, supplier and certificates that pass every
// check, the producer's code, the message of a refusal and the coded fields
// of a written line.
#pragma once

#include "foundation/installation/Folders.h"
#include "foundation/operator/Errors.h"
#include "telematic/TelematicData.h"

#include <QStringList>
#include <QVariantMap>
#include <QVector>

namespace cu::test {

// Defines every dataset of the production with the fields of its table in
// the schema file, and opens it empty.
void defineTables(TelematicData& data);
// An agent (with the given columns changed), a supplier and no CT form
// that pass every check.
void fillAgentAndSupplier(TelematicData& data, const QVariantMap& agent = {});
// A certificate row with the recipient's data (valid fiscal code built from
// the number) and the given extra columns; returns its person id.
qint64 appendCertificate(TelematicData& data, int number, const QVariantMap& extra = {});
// A valid personal fiscal code, different for every number.
QString personalCode(int number);
// The software producer's fiscal code of the tests (valid, naming no real producer).
inline const QString Producer = QStringLiteral("01234567897");

// The message of the error that call raises; empty when it raises none.
template <typename Call> QString errorOf(Call call)
{
    try {
        call();
    } catch (const Error& e) {
        return e.message();
    }
    return QString();
}

// The defects the verifier finds in a written file, one a line; empty when it is sound.
QString defectsOf(const Folders& folders, const QString& path);
// The first character of every line, in file order ("ABDGZ").
QString lettersOf(const QStringList& lines);

// The coded fields of a certificate line, in file order: from position
// start, pieces of an 8-character code and a 16-character value, up to the
// first blank piece.
class CodedFields
{
public:
    explicit CodedFields(const QString& line, int start = 89);
    // Every value of a code (a long value is written in several pieces).
    QStringList values(const QString& code) const;
    QString value(const QString& code) const { return values(code).value(0); }
    // The first value of a code without its padding.
    QString trimmed(const QString& code) const { return value(code).trimmed(); }
    bool contains(const QString& code) const { return !values(code).isEmpty(); }

private:
    QVector<std::pair<QString, QString>> m_fields;
};

} // namespace cu::test
