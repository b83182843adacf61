// Test helpers of the query catalogue: catalogues built from XML written in
// the test, the project's own catalogue sources, and an operator that records
// what it is told.
#pragma once

#include "foundation/operator/Operator.h"

#include <QString>
#include <QStringList>

namespace cu {
class HlmQueryText;
}

namespace cu::test {

// Writes a catalogue source file named fileName into folder and returns its
// path. body goes inside <catalogue>...</catalogue>.
QString writeCatalogueSource(const QString& folder, const QString& fileName, const QString& body);

// Builds catalogue from one source body into folder/kbr_QueryText.cds (with
// its signature) and returns the ".cds" path.
QString buildCatalogue(HlmQueryText& catalogue, const QString& folder, const QString& body);

// The project's catalogue sources, db/catalogue/*.xml, sorted.
QStringList projectCatalogueSources();

// Keeps every message; answers questions with a fixed answer.
class RecordingOperator : public Operator
{
public:
    QStringList errors;
    QStringList warnings;
    QStringList informations;
    Answer answer = Answer::Yes;

    void error(const QString& text) override { errors.append(text); }
    void warning(const QString& text) override { warnings.append(text); }
    void information(const QString& text) override { informations.append(text); }
    void stop(const QString& text) override { errors.append(text); }
    Answer ask(const QString& question, Buttons) override
    {
        informations.append(question);
        return answer;
    }
    bool showInfo(const QString&, const QString& text, const QString&) override
    {
        informations.append(text);
        return answer == Answer::Yes;
    }
    void beginProgress(const QString&, int) override {}
    void setProgress(int, const QString&) override {}
    void endProgress() override {}
    bool wasAborted() const override { return false; }
};

} // namespace cu::test
