// The production of the telematic file on datasets filled directly: the
// files written and verified, the split into files and supplies, the
// choices, the refusals and the question after the checks; the verifier on
// spoiled and hand-made files.
#include "foundation/operator/ScriptedOperator.h"
#include "foundation/text/Currency.h"
#include "support/TelematicTestSupport.h"
#include "support/TestInstallation.h"
#include "support/TestSupport.h"
#include "telematic/ProducerSetting.h"
#include "telematic/TelematicProduction.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/layouts/FileLayouts.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::amount;
using cu::test::fileLines;

class TestProduction : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_installation = std::make_unique<test::TestInstallation>();
        m_installation->writeNotes({u"AA"_s, u"AB"_s});
        setProducerFiscalCode(m_installation->folders(), test::Producer);
        m_production = std::make_unique<TelematicProduction>(m_installation->folders(), m_op);
        test::defineTables(m_production->data());
        test::fillAgentAndSupplier(m_production->data());
        m_op.clear();
    }
    void supplyIsWrittenAndVerified()
    {
        TelematicData& data = m_production->data();
        test::appendCertificate(
            data, 1, {{u"fCudReddDetr"_s, amount("21000")}, {u"SCUDANNOTAZIONI"_s, u"AA) nota"_s}});
        test::appendCertificate(data, 2, {{u"fCudRitIrpef"_s, amount("3100.25")}});
        test::appendRow(
            data.get(u"cdsInps"),
            {{u"iAfiID"_s, qint64(2)}, {u"sCudMatrAzienda"_s, u"1234567890"_s}, {u"LCUDGENNAIO"_s, u"X"_s}});
        test::appendCertificate(data, 3);
        test::appendRow(data.autSe(), {{u"iAfiID"_s, qint64(3)}, {u"FDSE7AMMLORDO"_s, amount("900")}});
        test::appendRow(data.quadroCT(),
                        {{u"SCTCODFIS"_s, u"80012345676"_s}, {u"SCTCELL"_s, u"3331234567"_s}});
        QStringList files;
        createAndSave({}, &files);
        QCOMPARE(files, QStringList{output()});
        const QStringList lines = fileLines(output());
        QCOMPARE(lines.first().mid(521, 8), u"00000000"_s);
        QCOMPARE(lines[1].mid(401, 8), u"00000003"_s); // two G certificates, one H
        QCOMPARE(lines.last().mid(24, 36), u"000000001000000003000000002000000001"_s);
        QCOMPARE(m_production->data().sost().asInteger(u"ISOSNDIP"), 3);
        QCOMPARE(m_op.texts(Severity::Warning).last(),
                 u"Generazione file completata con successo. Il file è presente in:\n\r"_s + output());
        QVERIFY(m_production->log().contains(u"Operazione terminata con successo."_s));
        QCOMPARE(test::defectsOf(m_installation->folders(), output()), QString());
        QCOMPARE(lines.size(), 3 + 1 + 3 + 2 + 1);
        QVERIFY(QFile::exists(FieldList::pathIn(m_installation->folders())));
        QVERIFY(QFile::exists(RecordList::pathIn(m_installation->folders())));
    }
    void split_data()
    {
        QTest::addColumn<int>("certificates");
        QTest::addColumn<QVector<int>>("linesPerFile");
        // clang-format off
        QTest::newRow("8275 lines, one file") << 8275 << QVector<int>{8275};
        QTest::newRow("8276 lines, two files") << 8276 << QVector<int>{8275, 1};
        // clang-format on
    }
    void split()
    {
        QFETCH(int, certificates);
        QFETCH(QVector<int>, linesPerFile);
        // An annulment writes one D line and nothing else.
        for (int i = 1; i <= certificates; ++i)
            test::appendCertificate(m_production->data(), i, {{u"LCUDANNULLAMENTO"_s, u"1"_s}});
        QStringList files;
        createAndSave({}, &files);
        QCOMPARE(files.size(), linesPerFile.size());
        for (int i = 0; i < files.size(); ++i) {
            QCOMPARE(files[i], i == 0 ? output() : output() + u"_%1"_s.arg(i + 1));
            const QStringList lines = fileLines(files[i]);
            QCOMPARE(test::lettersOf(lines).count(u'D'), linesPerFile[i]);
            const QString a = lines.first().mid(521, 8);
            QCOMPARE(a, files.size() == 1 ? u"00000000"_s
                                          : u"%1%2"_s.arg(i + 1, 4, 10, QLatin1Char('0'))
                                                .arg(files.size(), 4, 10, QLatin1Char('0')));
            QCOMPARE(lines.last().mid(33, 9).toInt(), linesPerFile[i]);
            QCOMPARE(test::defectsOf(m_installation->folders(), files[i]), QString());
        }
        const bool warned = m_op.texts(Severity::Warning)
                                .contains(u"ATTENZIONE. La fornitura supera il limite previsto,\n\rVerranno "
                                          "generati più file telematici."_s);
        QCOMPARE(warned, files.size() > 1);
    }
    // Past the certificates of a supply the production starts another,
    // numbered from 1, with its own file counters in A and total in B; the
    // CT form opens every supply; a file stops before a certificate that
    // would not fit whole, and each file verifies on its own.
    void suppliesAndFiles()
    {
        for (int i = 1; i <= 5; ++i)
            test::appendCertificate(m_production->data(), i, {{u"fCudReddDetr"_s, amount("100")}});
        test::appendRow(m_production->data().quadroCT(),
                        {{u"SCTCODFIS"_s, u"80012345676"_s}, {u"SCTCELL"_s, u"3331234567"_s}});
        m_production->setLimits({2, 4});
        QStringList files;
        createAndSave({}, &files);
        QStringList described; // A's file counters, B's certificates, then each line's letter and number
        for (const QString& file : files) {
            const QStringList lines = fileLines(file);
            QString text = lines.first().mid(521, 8) + u' ' + lines[1].mid(401, 8);
            for (const QString& line : lines.mid(2, lines.size() - 3))
                text += u' ' + line.left(1) +
                        (line.startsWith(u'C') ? QString() : QString::number(line.mid(41, 5).toInt()));
            described.append(text);
            QCOMPARE(test::defectsOf(m_installation->folders(), file), QString());
        }
        // clang-format off
        QCOMPARE(described, (QStringList{u"00010002 00000002 C D1 G1"_s, u"00020002 00000002 D2 G2"_s,
                                         u"00010002 00000002 C D1 G1"_s, u"00020002 00000002 D2 G2"_s,
                                         u"00000000 00000001 C D1 G1"_s}));
        // clang-format on
        QCOMPARE(files.last(), output() + u"_5"_s);
        QCOMPARE(m_production->log().last(), u"Forniture scritte: 3, file scritti: 5"_s);
        QCOMPARE(m_production->data().sost().asInteger(u"ISOSNDIP"), 5);
    }
    void noneWithCtFormWritesOnlyTheFrontAndC()
    {
        test::appendCertificate(m_production->data(), 1, {{u"fCudReddDetr"_s, amount("10")}});
        test::appendRow(m_production->data().quadroCT(),
                        {{u"SCTCODFIS"_s, u"80012345676"_s}, {u"SCTEMAIL"_s, u"a@b.it"_s}});
        TelematicOptions options;
        options.choice = TelematicOptions::Choice::None;
        createAndSave(options);
        const QStringList lines = fileLines(output());
        QCOMPARE(test::lettersOf(lines), u"ABCZ"_s);
        QCOMPARE(lines[1].mid(409, 1), u"1"_s); // the CT box
        QCOMPARE(lines[1].mid(401, 8), u"00000000"_s);
    }
    void chosenFiscalCodes()
    {
        for (int i = 1; i <= 4; ++i)
            test::appendCertificate(m_production->data(), i, {{u"fCudReddDetr"_s, amount("10")}});
        TelematicOptions options;
        options.choice = TelematicOptions::Choice::Selected;
        options.selected = {test::personalCode(2), test::personalCode(4) + u"/12"_s};
        QCOMPARE(m_production->choose(options), (QVector<int>{1, 3}));
        options.selected = {u"RSSMRA85T10A562S"_s}; // no certificate of this code
        QVERIFY_THROWS_EXCEPTION(EZfError, m_production->choose(options));
    }
    void refusals_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("blankColumn"); // empty: no row at all
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("no supplier") << "cdsForn" << "" << "Dati del fornitore mancanti, impossibile procedere!";
        QTest::newRow("no supplier type") << "cdsForn" << "STFOCODICE" << "Tipo fornitore mancante, impossibile procedere!";
        QTest::newRow("no supplier code") << "cdsForn" << "SFORCODFIS" << "Codice fiscale fornitore mancante, impossibile procedere!";
        QTest::newRow("no agent") << "cdsSost" << "" << "Dati del sostituto mancanti, impossibile procedere!";
        QTest::newRow("no office code") << "cdsSost" << "SCARCODICE" << "Dati mancanti del sostituto :    Codice Carica Rappresentante, impossibile procedere!";
        QTest::newRow("no denomination") << "cdsSost" << "SSOSDENOM" << "Dati mancanti del sostituto :    Denominazione,  impossibile procedere!";
        QTest::newRow("no representative code") << "cdsSost" << "SSOSCFRAPPR" << "Dati mancanti del sostituto :    Codice Fiscale Rappresentante,  impossibile procedere!";
        QTest::newRow("no representative surname") << "cdsSost" << "SSOSCOGNRAPPR" << "Dati mancanti del sostituto :    Cognome Rappresentante,  impossibile procedere!";
        QTest::newRow("no representative name") << "cdsSost" << "SSOSNOMERAPPR" << "Dati mancanti del sostituto :    Nome Rappresentante,  impossibile "  "procedere!";
        QTest::newRow("no signature") << "cdsSost" << "SSOSFIRMACOM" << "Dati mancanti del sostituto :    Firma della comunicazione,  impossibile procedere!";
        // clang-format on
    }
    void refusals()
    {
        QFETCH(QString, table);
        QFETCH(QString, blankColumn);
        QFETCH(QString, message);
        Dataset& dataset = m_production->data().get(table);
        dataset.first();
        if (blankColumn.isEmpty()) {
            dataset.remove();
        } else {
            dataset.edit();
            dataset.setValue(blankColumn, u"  "_s);
            dataset.post();
        }
        test::appendCertificate(m_production->data(), 1, {{u"fCudReddDetr"_s, amount("10")}});
        QVERIFY_THROWS_EXCEPTION(EAbort, m_production->createFieldList({0}));
        QCOMPARE(m_production->log().last(), u"***** "_s + message);
        QCOMPARE(m_op.texts(Severity::Error), QStringList{u"Operazione terminata con errore"_s});
        QVERIFY(!m_production->creationSucceeded());
        QCOMPARE(test::errorOf([&] { m_production->save(output()); }),
                 u"Dati obbligatori mancanti, impossibile creare il file!"_s);
        QVERIFY(!QFile::exists(output()));
    }
    void checksAskBeforeGoingOn_data()
    {
        QTest::addColumn<bool>("answer");
        // clang-format off
        QTest::newRow("operator goes on") << true;
        QTest::newRow("operator stops") << false;
        // clang-format on
    }
    void checksAskBeforeGoingOn()
    {
        QFETCH(bool, answer);
        test::appendCertificate(m_production->data(), 1,
                                {{u"SCUDNOME"_s, QVariant()}, {u"SCUDCODFISRAPPR"_s, u"XX"_s}});
        m_op.queueAnswer(answer ? Operator::Answer::Yes : Operator::Answer::No);
        QCOMPARE(m_production->checkCertificates({0}), answer);
        QCOMPARE(m_op.infos().size(), 1);
        const QString text = m_op.infos().first().text;
        QVERIFY(text.startsWith(u"Dipendente: COGNOME1 \n"_s));
        QVERIFY(text.contains(u" - Dato obbligatorio mancante: Nome del percipiente"_s));
        QVERIFY(text.contains(u" - Campo errato: codice fiscale XX (SCUDCODFISRAPPR)"_s));
        QCOMPARE(m_op.infos().first().question, u"Si desidera proseguire?"_s);
        QCOMPARE(m_production->log().contains(u"Generazione file telematico terminata dall'utente"_s),
                 !answer);
        QCOMPARE(m_production->data().dip().asString(u"SCUDCODFISRAPPR"), u"XX"_s);
    }
    void failedWriteLeavesNoFile()
    {
        test::appendCertificate(m_production->data(), 1, {{u"fCudReddDetr"_s, amount("10")}});
        const QVector<int> positions = m_production->choose({});
        m_production->createFieldList(positions);
        // A folder where the file should be: nothing can be written under that name.
        const QString blocked = m_installation->root() + u"/blocked/CUR25"_s;
        QVERIFY(QDir().mkpath(blocked));
        QVERIFY_THROWS_EXCEPTION(EZfError, m_production->save(blocked));
        QVERIFY(QFileInfo(blocked).isDir());
        QCOMPARE(QDir(m_installation->root() + u"/blocked"_s).entryList(QDir::Files).size(), 0);
    }
    // Every file is verified under a temporary name before any takes its
    // final one: a supply that fails is refused with its findings, and the
    // files of the previous production (all its supplies) stay as they were.
    void failedVerificationKeepsThePreviousFiles_data()
    {
        QTest::addColumn<int>("certificates");
        QTest::addColumn<int>("perSupply"); // 0: the agency's limit
        QTest::addColumn<int>("faulty");    // the certificate whose recipient code is wrong
        // clang-format off
        QTest::newRow("one supply") << 2 << 0 << 2;
        QTest::newRow("third of three supplies") << 5 << 2 << 5;
        // clang-format on
    }
    void failedVerificationKeepsThePreviousFiles()
    {
        QFETCH(int, certificates);
        QFETCH(int, perSupply);
        QFETCH(int, faulty);
        if (perSupply > 0)
            m_production->setLimits({perSupply, 100});
        for (int i = 1; i <= certificates; ++i)
            test::appendCertificate(m_production->data(), i, {{u"fCudReddDetr"_s, amount("10")}});
        QStringList files;
        createAndSave({}, &files);
        QHash<QString, QByteArray> previous;
        for (const QString& file : files)
            previous.insert(file, test::readFile(file));
        m_op.clear();

        Dataset& dip = m_production->data().dip();
        dip.setRecNo(faulty - 1);
        dip.edit();
        dip.setValue(u"SCUDCODFIS"_s, u"RSSMRA85T10A562X"_s); // wrong check character
        dip.post();
        m_production->createFieldList(m_production->choose({}));
        const QString error = test::errorOf([&] { m_production->save(output()); });
        QVERIFY2(error.contains(u"non supera il controllo"_s) && error.contains(u"RSSMRA85T10A562X"_s),
                 qPrintable(error));
        for (const QString& file : files)
            QCOMPARE(test::readFile(file), previous.value(file));
        QCOMPARE(QDir(m_installation->folders().dichCU()).entryList({u"CUR25*"_s}, QDir::Files).size(), files.size());
        QVERIFY(m_op.texts(Severity::Warning).filter(u"completata con successo"_s).isEmpty());
    }
    // A production with fewer files than the previous one removes the
    // previous one's further files: the folder never mixes two productions.
    void fewerFilesRemoveThePreviousFurtherFiles()
    {
        for (int i = 1; i <= 3; ++i)
            test::appendCertificate(m_production->data(), i, {{u"fCudReddDetr"_s, amount("10")}});
        m_production->setLimits({1, 100});
        createAndSave({});
        QVERIFY(QFile::exists(output() + u"_3"_s));
        m_production->setLimits({});
        QStringList files;
        createAndSave({}, &files);
        QCOMPARE(files, QStringList{output()});
        QCOMPARE(QDir(m_installation->folders().dichCU()).entryList({u"CUR25*"_s}, QDir::Files), QStringList{u"CUR25"_s});
    }
    void verifyNamesTheDefect_data()
    {
        QTest::addColumn<int>("line");     // 0-based line to corrupt
        QTest::addColumn<int>("position"); // 0-based; -1 removes the line's last character
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("defect");
        // clang-format off
        QTest::newRow("short line") << 2 << -1 << "" << "lunghezza 1897 invece di 1898";
        QTest::newRow("control character") << 2 << 1897 << "X" << "carattere di controllo";
        QTest::newRow("unknown record") << 2 << 0 << "Q" << "tipo record \"Q\" sconosciuto";
        QTest::newRow("Z counter") << 4 << 40 << "9" << "record Z: il contatore dei record D";
        QTest::newRow("B counter") << 1 << 408 << "7" << "posizioni 402-409: numero certificazioni 7";
        QTest::newRow("malformed code") << 3 << 89 << "d?" << "codice di campo non valido";
        QTest::newRow("unknown code") << 3 << 89 << "ZZ" << "sconosciuto al tracciato del record G";
        QTest::newRow("value past 16 characters") << 3 << 113 << "ABC" << "codice di campo non valido";
        QTest::newRow("negative amount in a positive field") << 3 << 97 << "       -21000,00" << "formato VP: atteso importo positivo";
        QTest::newRow("positional number") << 3 << 20 << "X" << "posizioni 18-25 (Progressivo modulo): atteso cifre";
        QTest::newRow("fiscal code") << 2 << 25 << "Z" << "codice fiscale";
        QTest::newRow("record order") << 0 << 0 << "B" << "record B non in seconda riga";
        // clang-format on
    }
    void verifyNamesTheDefect()
    {
        QFETCH(int, line);
        QFETCH(int, position);
        QFETCH(QString, text);
        QFETCH(QString, defect);
        test::appendCertificate(m_production->data(), 1,
                                {{u"fCudReddDetr"_s, amount("21000")}, {u"fCudRitIrpef"_s, amount("3000")}});
        createAndSave({});
        QStringList lines = fileLines(output());
        QCOMPARE(test::lettersOf(lines), u"ABDGZ"_s);
        QCOMPARE(test::defectsOf(m_installation->folders(), output()), QString());
        if (position < 0)
            lines[line].chop(1);
        else
            lines[line].replace(position, text.size(), text);
        QFile file(output());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((lines.join(u"\r\n"_s) + u"\r\n"_s).toLatin1());
        file.close();
        const QString defects = test::defectsOf(m_installation->folders(), output());
        QVERIFY2(defects.contains(defect), qPrintable(defects));
    }

    // Hand-made faulty files (tests/telematic/data): each fault found with
    // its own message naming line, positions, code and the expected form.
    void handMadeFaults_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("defects");
        QTest::addColumn<QString>("finding"); // the first finding
        // clang-format off
        QTest::newRow("valid") << "valid.txt" << 0 << "";
        QTest::newRow("shifted head") << "shifted-head.txt" << 4 << "riga 3: posizioni 70-83 (Spazio a disposizione dell'utente): atteso spazi (campo vuoto), trovato \"0   0123456789\"";
        QTest::newRow("unknown code") << "unknown-code.txt" << 1 << "riga 4: posizione 186 (DB001999): codice sconosciuto al tracciato del record G";
        QTest::newRow("lower-case name") << "lower-case-name.txt" << 1 << "riga 3: posizione 411 (campo DA002002): lettera minuscola \"a\", il file ammette solo lettere maiuscole e caratteri ASCII stampabili";
        QTest::newRow("right-aligned text") << "right-aligned-text.txt" << 1 << "riga 3: posizione 426 (DA002003), formato AN: atteso testo allineato a sinistra, trovato \"       ANTONELLA\"";
        QTest::newRow("left-aligned amount") << "left-aligned-amount.txt" << 1 << "riga 4: posizione 186 (DB001021), formato VP: atteso importo positivo diverso da zero, con virgola e due decimali, allineato a destra (es. \"         1234,50\"), trovato \"430,27          \"";
        QTest::newRow("G without its D") << "g-without-d.txt" << 1 << "riga 5: record G della certificazione 2 senza il suo record D nello stesso file (una certificazione non si divide tra due file)";
        // clang-format on
    }
    void handMadeFaults()
    {
        QFETCH(QString, file);
        const FileLayouts layouts(m_installation->folders());
        const VerifyReport report =
            TelematicVerifier(layouts).verify(test::sourceRoot() + u"/tests/telematic/data/"_s + file);
        QTEST(report.defectCount, "defects");
        QTEST(report.defects.value(0), "finding");
    }

private:
    QString output() const { return m_installation->folders().dichCU() + u"CUR25"_s; }
    void createAndSave(const TelematicOptions& options, QStringList* files = nullptr)
    {
        try {
            const QVector<int> positions = m_production->choose(options);
            QVERIFY2(m_production->checkCertificates(positions),
                     qPrintable(m_op.infos().isEmpty() ? QString() : m_op.infos().last().text));
            m_production->createFieldList(positions);
            const QStringList written = m_production->save(output());
            if (files)
                *files = written;
        } catch (const Error& e) {
            QFAIL(qPrintable(e.message() + u'\n' + m_production->log().join(u'\n')));
        }
    }

    std::unique_ptr<test::TestInstallation> m_installation;
    std::unique_ptr<TelematicProduction> m_production;
    ScriptedOperator m_op;
};

QTEST_GUILESS_MAIN(TestProduction)
#include "test_production.moc"
