// Records A, B and Z at the agency's positions (their patches and the
// 1900-character guard), D, G, H and C from certificates built directly
// into datasets, with the shipped layouts, every printed point sent under
// its code, and the software producer's fiscal code taken from the
// installation's settings; a failed write of the annotation rows ends the
// selection.
#include "certificates/CertificateSchema.h"
#include "foundation/installation/ConnectionSettings.h"
#include "foundation/operator/ScriptedOperator.h"
#include "foundation/text/Currency.h"
#include "support/TelematicTestSupport.h"
#include "support/TestInstallation.h"
#include "support/TestSupport.h"
#include "telematic/ProducerSetting.h"
#include "telematic/WorkingLists.h"
#include "telematic/layouts/FileLayouts.h"
#include "telematic/layouts/RecordLayout.h"
#include "telematic/records/CertificateRecords.h"
#include "telematic/records/CertificateSelection.h"
#include "telematic/records/RecordPacker.h"
#include "telematic/records/SupplyRecords.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::amount;
using cu::test::Producer;

class TestCertificateRecords : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_installation = std::make_unique<test::TestInstallation>();
        m_installation->writeNotes({u"AA"_s, u"AB"_s});
        m_data = std::make_unique<TelematicData>();
        test::defineTables(*m_data);
        test::fillAgentAndSupplier(*m_data);
        m_op.clear();
        m_storedAnnotations.clear();
    }
    void annulmentOnlyWritesDWithoutG()
    {
        test::appendCertificate(*m_data, 1,
                                {{u"LCUDANNULLAMENTO"_s, u"1"_s},
                                 {u"SCUDIDENTSERVTELE"_s, u"24011512345678901"_s},
                                 {u"SCUDPROGRDICH"_s, u"42"_s}});
        const QVector<FileLine> lines = run({0});
        QCOMPARE(linesOf(lines, u"D"_s).size(), 1);
        QCOMPARE(linesOf(lines, u"G"_s).size(), 0);
        QCOMPARE(m_gCounts.skipped, 1);
        const QString d = linesOf(lines, u"D"_s)[0].record;
        QCOMPARE(d.mid(25, 16), test::personalCode(1));
        // Progressive, identifier and progressive of the annulled one, user space, operation, filler, box.
        QCOMPARE(d.mid(41, 48), u"00001"
                                "24011512345678901"
                                "000042"_s +
                                    QString(14, u' ') + u"A    0"_s);
        QCOMPARE(test::CodedFields(d).trimmed(u"DA002002"_s), u"COGNOME1"_s);
    }
    void bothFlagsWriteReplacement()
    {
        test::appendCertificate(*m_data, 1,
                                {{u"LCUDANNULLAMENTO"_s, u"1"_s}, {u"LCUDSOSTITUZIONE"_s, u"1"_s}});
        const QVector<FileLine> lines = run({0});
        QCOMPARE(linesOf(lines, u"D"_s)[0].record.mid(83, 1), u"S"_s);
    }
    void rowsOfSectionsMakeModules()
    {
        test::appendCertificate(*m_data, 1, {{u"fCudReddDetr"_s, amount("25000.50")}});
        for (int i = 1; i <= 3; ++i)
            test::appendRow(m_data->get(u"cdsInpdap"), {{u"iAfiID"_s, qint64(1)},
                                                        {u"SCUDCODFISAMMNE"_s, u"80012345676"_s},
                                                        {u"ICUDANNORIF"_s, qint64(2020 + i)},
                                                        {u"SCUDGESASS_2"_s, u"ABCD"_s},
                                                        {u"LINPDAPGENNAIO"_s, u"X"_s},
                                                        {u"LINPDAPDICEMBRE"_s, u"X"_s}});
        test::appendRow(m_data->get(u"cdsInps"),
                        {{u"iAfiID"_s, qint64(1)}, {u"FCUDIMPONIBILE"_s, amount("1000")}});
        const QVector<FileLine> g = linesOf(run({0}), u"G"_s);
        QCOMPARE(g.size(), 3);
        QCOMPARE(m_gCounts.written, 1);
        const test::CodedFields first(g[0].record);
        QCOMPARE(first.trimmed(u"DB001001"_s), u"25000,50"_s);
        QCOMPARE(first.trimmed(u"DC001001"_s), u"9999999999"_s);
        QCOMPARE(first.trimmed(u"DC001004"_s), u"1000,00"_s);
        QCOMPARE(first.trimmed(u"DC001013"_s), u"A"_s);
        QCOMPARE(first.trimmed(u"DC001087"_s), u"D"_s);
        QCOMPARE(first.trimmed(u"DC001038"_s), u"100000000001"_s);
        QCOMPARE(first.trimmed(u"DC001017"_s), u"2021"_s);
        for (int module = 2; module <= 3; ++module) {
            const test::CodedFields later(g[module - 1].record);
            QCOMPARE(g[module - 1].record.mid(17, 8), u"0000000%1"_s.arg(module));
            QCOMPARE(later.trimmed(u"DC001017"_s), QString::number(2020 + module));
            for (const QString& firstModuleOnly : {u"DB001001"_s, u"DC001004"_s, u"DC001001"_s})
                QVERIFY2(!later.contains(firstModuleOnly), qPrintable(firstModuleOnly));
        }
    }
    void furtherChildrenAreNumberedFrom603()
    {
        test::appendCertificate(*m_data, 1);
        for (int child = 1; child <= 2; ++child)
            test::appendRow(m_data->conFamCar(), {{u"iAfiID"_s, qint64(1)},
                                                  {u"LCUDRELPARFIGL"_s, u"1"_s},
                                                  {u"SCUDCODFISFIGL"_s, test::personalCode(100 + child)},
                                                  {u"SCUDDETRSPETTPRIFIGL"_s, u"C"_s},
                                                  {u"LCUDRELPARPRIFIGLDIS"_s, u"1"_s}});
        const QVector<FileLine> g = linesOf(run({0}), u"G"_s);
        QCOMPARE(g.size(), 1);
        const test::CodedFields fields(g[0].record);
        QCOMPARE(fields.trimmed(u"DB603001"_s), u"F"_s);
        QCOMPARE(fields.trimmed(u"DB604001"_s), u"F"_s);
        QCOMPARE(fields.trimmed(u"DB603004"_s), test::personalCode(101));
        QCOMPARE(fields.trimmed(u"DB604004"_s), test::personalCode(102));
        QCOMPARE(fields.trimmed(u"DB602001"_s), u"D"_s);
        QCOMPARE(fields.trimmed(u"DB602B07"_s), u"C"_s);
        QVERIFY(!fields.contains(u"DB602A07"_s));
        QVERIFY(!fields.contains(u"DBXXX001"_s));
    }
    void selfEmploymentRowsMakeHModules()
    {
        test::appendCertificate(*m_data, 1);
        test::appendCertificate(*m_data, 2);
        for (const char* gross : {"1500.00", "800.40"})
            test::appendRow(
                m_data->autSe(),
                {{u"iAfiID"_s, qint64(2)}, {u"SCAUCODICE"_s, u"A"_s}, {u"FDSE7AMMLORDO"_s, amount(gross)}});
        const QVector<FileLine> h = linesOf(run({0, 1}), u"H"_s);
        QCOMPARE(m_hCount, 1);
        QCOMPARE(h.size(), 2);
        QCOMPARE(h[0].record.mid(17, 8), u"00000001"_s);
        QCOMPARE(h[1].record.mid(17, 8), u"00000002"_s);
        QCOMPARE(h[0].record.mid(41, 5), u"00002"_s);
        QCOMPARE(test::CodedFields(h[0].record).trimmed(u"AU001004"_s), u"1500,00"_s);
        QCOMPARE(test::CodedFields(h[1].record).trimmed(u"AU001004"_s), u"800,40"_s);
    }
    void annotationCodesFillRowsOf54()
    {
        QStringList codes;
        QStringList text;
        for (int i = 0; i < 60; ++i) {
            codes.append(u"N%1"_s.arg(i, 2, 10, QLatin1Char('0')));
            text.append(codes.last() + u") annotazione"_s);
        }
        text.append(u"BO)"_s);
        text.append(u"ZZ) codice sconosciuto"_s);
        m_installation = std::make_unique<test::TestInstallation>();
        m_installation->writeNotes(codes + QStringList{u"BO"_s});
        test::appendCertificate(*m_data, 1, {{u"SCUDANNOTAZIONI"_s, text.join(u"\r\n"_s)}});
        const QVector<FileLine> g = linesOf(run({0}), u"G"_s);
        QCOMPARE(m_storedAnnotations.size(), 1);
        QCOMPARE(m_storedAnnotations[0].size(), 2);
        QCOMPARE(m_storedAnnotations[0][0].size(), 54);
        QCOMPARE(m_storedAnnotations[0][1], codes.mid(54));
        QCOMPARE(g.size(), 2);
        QCOMPARE(test::CodedFields(g[0].record).trimmed(u"DN001054"_s), u"N53"_s);
        QCOMPARE(test::CodedFields(g[1].record).trimmed(u"DN001006"_s), u"N59"_s);
        QVERIFY(!test::CodedFields(g[1].record).contains(u"DN001007"_s));
    }
    // A notes table that is missing or damaged refuses the production,
    // naming the file, as the import and the print do: the annotation codes
    // are never dropped in silence.
    void unreadableNotesTableIsRefused_data()
    {
        QTest::addColumn<QByteArray>("contents"); // empty: no file; "-": a table without Codice and Nota
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << u"Tabella delle annotazioni mancante"_s;
        QTest::newRow("not a table") << QByteArray("\x01\x02 danneggiato") << u"danneggiato"_s;
        QTest::newRow("without its columns") << QByteArray("-") << u"mancano le colonne Codice e Nota"_s;
    }
    void unreadableNotesTableIsRefused()
    {
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        const QString path = m_installation->folders().tabelle() + u"TNOT_NOTE.cds"_s;
        QFile::remove(path);
        if (contents == "-") {
            Dataset other;
            other.setFields({{u"Altro"_s, FieldType::String, 2}});
            other.open();
            other.saveToFile(path);
        } else if (!contents.isEmpty()) {
            test::writeFile(path, contents);
        }
        test::appendCertificate(*m_data, 1,
                                {{u"SCUDANNOTAZIONI"_s, u"AA) testo"_s}, {u"fCudReddDetr"_s, amount("10")}});
        const QString error = test::errorOf([&] { run({0}); });
        QVERIFY2(error.contains(path) && error.contains(message), qPrintable(error));
        QVERIFY(m_storedAnnotations.isEmpty());
    }
    void chosenCertificatesKeepTheirPositions()
    {
        for (int i = 1; i <= 10; ++i)
            test::appendCertificate(*m_data, i, {{u"fCudReddDetr"_s, amount("100")}});
        const QVector<FileLine> d = linesOf(run({1, 4, 8}), u"D"_s);
        QCOMPARE(d.size(), 3);
        QCOMPARE(d[0].record.mid(41, 5) + d[1].record.mid(41, 5) + d[2].record.mid(41, 5),
                 u"000020000500009"_s);
        QCOMPARE(d[2].certificate.value(), 9);
    }
    void certificateWithoutDataIsSkipped()
    {
        test::appendCertificate(*m_data, 1,
                                {{u"LCUDCONGUAGLIO"_s, u"X"_s}, {u"FCUDREDDPENS"_s, amount("0")}});
        const QVector<FileLine> lines = run({0});
        QVERIFY(lines.isEmpty());
        QCOMPARE(m_dCount, 0);
        QCOMPARE(m_gCounts.skipped, 1);
    }
    void ctFormWritesRecordC()
    {
        test::appendRow(m_data->quadroCT(), {{u"SCTCODFIS"_s, u"80012345676"_s},
                                             {u"SCTEMAIL"_s, u"segreteria@scuola.example.it"_s}});
        const QVector<FileLine> c = linesOf(run({}, true), u"C"_s);
        QCOMPARE(c.size(), 1);
        QCOMPARE(c[0].certificate.value(), 0);
        QCOMPARE(c[0].record.mid(1, 16), u"80012345676     "_s);
        QCOMPARE(c[0].record.mid(17, 8), u"00000001"_s);
        const test::CodedFields fields(c[0].record);
        QCOMPARE(fields.trimmed(u"CT001004"_s), u"SEGRETERIA@SCUOL"_s);
        QVERIFY(c[0].record.contains(u"CT001004+A.EXAMPLE.IT"_s));
    }
    void unknownSectionDatasetStopsTheRecord()
    {
        const QString path = m_installation->folders().filetel() + u"Record_G.xml"_s;
        RecordLayout layout = RecordLayout::load(path, LayoutBinding::G);
        for (LayoutSection& section : layout.sections())
            if (section.repeat == u"YES")
                section.cds = u"cdsNessuno"_s;
        layout.save(path);
        test::appendCertificate(*m_data, 1, {{u"fCudReddDetr"_s, amount("10")}});
        try {
            run({0});
            QFAIL("no assertion");
        } catch (const EAssertion& e) {
            QVERIFY2(e.message().startsWith(u"Sezione non trovata cdsNessuno"_s), qPrintable(e.message()));
        }
    }
    // A layout that lost a head field, or whose type is another letter, is
    // refused when loaded, naming the file, the record and the field: a D
    // layout without its type would drop every D record in silence.
    void layoutWithoutHeadFieldsIsRefused_data()
    {
        QTest::addColumn<QString>("letter");
        QTest::addColumn<QString>("from"); // text of the layout file replaced
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("D without its type") << "D" << R"(<CampoE Number="1" )" << R"(<CampoE Number="x" )" << "record D senza i campi di testa: 1 (tipo record)";
        QTest::newRow("D typed as G") << "D" << R"(Fixed="D")" << R"(Fixed="G")" << "il campo 1 (tipo record) vale \"G\" invece di \"D\"";
        QTest::newRow("D without sections") << "D" << "SectionE" << "SectionX" << "1 (tipo record), 3 (progressivo modulo), 4 (codice fiscale del percipiente), 5 (progressivo della certificazione), 9 (tipo operazione)";
        QTest::newRow("G without certificate") << "G" << R"(<CampoG Number="5" )" << R"(<CampoG Number="x" )" << "record G senza i campi di testa: 5 (progressivo della certificazione)";
        QTest::newRow("B without count") << "B" << R"(<CampoB Number="24" )" << R"(<CampoB Number="x" )" << "record B senza i campi di testa: 24 (numero delle certificazioni)";
        QTest::newRow("Z without D counter") << "Z" << R"(<CampoZ Number="5" )" << R"(<CampoZ Number="x" )" << "record Z senza i campi di testa: 5 (numero dei record D)";
        QTest::newRow("A without file number") << "A" << R"(<CampoA Number="7" )" << R"(<CampoA Number="x" )" << "record A senza i campi di testa: 7 (progressivo dell'invio)";
        // clang-format on
    }
    void layoutWithoutHeadFieldsIsRefused()
    {
        QFETCH(QString, letter);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, message);
        const QString path = m_installation->folders().filetel() + u"Record_%1.xml"_s.arg(letter);
        QString text = QString::fromUtf8(test::readFile(path));
        QVERIFY(text.contains(from));
        test::writeFile(path, text.replace(from, to).toUtf8());
        const QString error = test::errorOf([&] { FileLayouts layouts(m_installation->folders()); });
        QVERIFY2(error.contains(path) && error.contains(message), qPrintable(error));
    }
    // Record A at the agency's positions; the supply code is the program's,
    // whatever the layout's field 3 holds.
    void recordAFollowsTheLayout()
    {
        RecordLayout layout = loadRecordA(m_installation->folders());
        for (LayoutField& f : layout.sections()[0].fields)
            if (f.number == u"3")
                f.fixed = u"XXX99"_s;
        const QString line = writeRecordA(layout, m_data->forn(), m_op);
        QCOMPARE(line.size(), 1898);
        // Type, supply code, communication type, producer, control character.
        QCOMPARE(line.left(1) + line.mid(15, 23) + line.right(1), u"ACUR250101234567897     A"_s);
    }
    void patchesOfA_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("file");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("single file") << 0 << 0 << "00000000";
        QTest::newRow("first of three") << 3 << 1 << "00010003";
        QTest::newRow("second of three") << 3 << 2 << "00020003";
        QTest::newRow("third of three") << 3 << 3 << "00030003";
        // clang-format on
    }
    void patchesOfA()
    {
        QFETCH(int, files);
        QFETCH(int, file);
        QFETCH(QString, expected);
        const QString line = writeRecordA(loadRecordA(m_installation->folders()), m_data->forn(), m_op);
        const QString patched = patchRecordA(loadRecordA(m_installation->folders()), line, files, file);
        QCOMPARE(patched.size(), line.size());
        QCOMPARE(patched.mid(521, 8), expected);
        QCOMPARE(patched.left(521), line.left(521));
        QCOMPARE(patched.mid(529), line.mid(529));
    }
    // Record B at the agency's positions: the agent's own data, a natural
    // person or an entity named in its own fields, values in upper-case ASCII.
    void recordBFields()
    {
        struct Case
        {
            QString column; // an agent column set for this case
            QString value;
            int position; // 1-based
            QString expected;
            bool ctForm = false;
        };
        const QString none;
        // clang-format off
        const Case cases[] = {
            {none, none, 1, u"B80012345676     00000001"_s}, // agent and module
            {none, none, 26, QString(48, u' ')}, // fillers
            {none, none, 74, u"01234567897     "_s}, // producer
            {none, none, 91, u"00"_s}, // no annulment, no replacement
            {none, none, 93, QString(44, u' ') + u"ISTITUTO COMPRENSIVO"_s.leftJustified(60)}, // an entity: its name at 137
            {u"SSOSNOME"_s, u"Lucia"_s, 93, u"ISTITUTO COMPRENSIVO"_s.leftJustified(24) + u"LUCIA"_s.leftJustified(80)}, // a person: surname, name
            {none, none, 309, u"00"_s}, // no exceptional event
            {none, none, 311, u"RSSMRA85T10A562S01"_s + u"ROSSI"_s.leftJustified(24) + u"MARIO"_s.leftJustified(20)}, // signatory
            {u"SSOSCOGNRAPPR"_s, u"Niccolò d’Àrco"_s, 329, u"NICCOLO' D'A'RCO        "_s}, // upper-case ASCII
            {none, none, 373, u"00000000000"_s}, // no entity code
            {none, none, 410, u"0"_s}, // no CT form
            {none, none, 410, u"1"_s, true}, // a CT form
            {none, none, 411, u"1"_s}, // signed
            {none, none, 429, u"00000000"_s}, // no commitment date
            {none, none, 527, u"0"_s}, // no special case
            {none, none, 1898, u"A"_s},
            {u"SCARCODICE"_s, u"123"_s, 327, u"!record B, campo 19"_s}, // a number longer than its field
        };
        // clang-format on
        const RecordLayout layout = loadRecordB(m_installation->folders());
        for (const Case& c : cases) {
            TelematicData data;
            test::defineTables(data);
            test::fillAgentAndSupplier(data,
                                       c.column.isEmpty() ? QVariantMap() : QVariantMap{{c.column, c.value}});
            QString line;
            const QString error =
                test::errorOf([&] { line = writeRecordB(layout, data.sost(), c.ctForm, Producer, m_op); });
            const QString at = QString::number(c.position) + u": "_s;
            if (c.expected.startsWith(u'!'))
                QVERIFY2(error.contains(c.expected.mid(1)), qPrintable(at + error));
            else
                QCOMPARE(at + QString::number(line.size()) + line.mid(c.position - 1, c.expected.size()),
                         at + u"1898"_s + c.expected);
        }
    }
    void recordBNeverLeavesAnEmptyField()
    {
        RecordLayout layout(LayoutBinding::B);
        LayoutSection section;
        section.fields.append(
            {u"9"_s, QString(), 3, u"NF"_s, u"@@"_s, QString(), u"cdsSost"_s, u"SSOSNOME"_s});
        section.fields.append(
            {u"8"_s, QString(), 16, u"CF"_s, u"OF"_s, u"99999999999"_s, QString(), QString()});
        layout.addSection(section);
        const QString line = writeRecordB(layout, m_data->sost(), false, Producer, m_op);
        QCOMPARE(line, u"000"_s + Producer.leftJustified(16));
    }
    void recordZCounters()
    {
        const RecordLayout layout = loadRecordZ(m_installation->folders());
        const QString line = writeRecordZ(layout, m_op);
        QCOMPARE(line.size(), 1898);
        QCOMPARE(line.left(1), u"Z"_s);
        QCOMPARE(line.mid(15, 54), u"000000001"_s + QString(45, u'0'));
        const QString patched = patchRecordZ(layout, line, {{u'B', 1}, {u'D', 4}, {u'G', 12}, {u'H', 3}});
        // B, C, D, G, H and L lines, then blanks and the control character.
        QCOMPARE(patched.mid(15, 54), u"000000001000000000000000004000000012000000003000000000"_s);
        QCOMPARE(patched.mid(69), QString(1828, u' ') + u'A');
    }
    void optionalFieldsMoveTheFollowingLeft()
    {
        RecordLayout layout(LayoutBinding::A);
        LayoutSection section;
        section.fields.append({u"1"_s, QString(), 1, u"AN"_s, u"OF"_s, u"A"_s, QString(), QString()});
        section.fields.append(
            {u"2"_s, QString(), 5, u"AN"_s, u"@X"_s, QString(), u"cdsForn"_s, u"SFORCODFIS"_s});
        section.fields.append(
            {u"4"_s, QString(), 5, u"AN"_s, u"@@"_s, QString(), u"cdsForn"_s, u"SFORCODFIS"_s});
        section.fields.append({u"5"_s, QString(), 2, u"AN"_s, u"OF"_s, u"ZZ"_s, QString(), QString()});
        layout.addSection(section);
        Dataset empty;
        empty.setFields({{u"SFORCODFIS"_s, FieldType::String, 16}});
        empty.open();
        test::appendRow(empty, {});
        QCOMPARE(writeRecordA(layout, empty, m_op), u"AZZ"_s);
    }
    void lineNeverPassesTheGuard()
    {
        RecordLayout layout(LayoutBinding::Z);
        LayoutSection section;
        section.fields.append({u"1"_s, QString(), 1899, u"AN"_s, u"OF"_s, u"Z"_s, QString(), QString()});
        section.fields.append({u"2"_s, QString(), 1, u"AN"_s, u"OF"_s, u"X"_s, QString(), QString()});
        section.fields.append({u"3"_s, QString(), 1, u"AN"_s, u"OF"_s, u"Y"_s, QString(), QString()});
        section.fields.append({u"4"_s, QString(), 1, u"AN"_s, u"OF"_s, u"W"_s, QString(), QString()});
        layout.addSection(section);
        ScriptedOperator op;
        const QString line = writeRecordZ(layout, op);
        QCOMPARE(line.size(), 1901); // 1900 built, then the control character
        QCOMPARE(line.mid(1899, 1), u"X"_s);
        QCOMPARE(op.texts(Severity::Warning),
                 QStringList({u"Supera i 1900 caratteri"_s, u"Supera i 1900 caratteri"_s}));
    }
    void producerSetting()
    {
        struct Case
        {
            QByteArray settings; // the settings file; empty: none
            QString code;        // the code read; empty: refused
            QString message;     // part of the refusal
        };
        // clang-format off
        const Case cases[] = {
            {"[Fornitura]\nCodiceFiscaleProduttore = 01234567897\n", u"01234567897"_s, {}},
            {"[fornitura]\ncodicefiscaleproduttore=rssmra85t10a562s\n", u"RSSMRA85T10A562S"_s, {}},
            {{}, {}, u"Codice fiscale del produttore del software mancante"_s},
            {"[Database]\nDriver = QSQLITE\n", {}, u"sezione [Fornitura], chiave CodiceFiscaleProduttore"_s},
            {"[Fornitura]\nCodiceFiscaleProduttore = 01234567890\n", {}, u"\"01234567890\" non valido"_s},
        };
        // clang-format on
        const Folders& folders = m_installation->folders();
        const QString path = ConnectionSettings::settingsFile(folders);
        for (const Case& c : cases) {
            QFile::remove(path);
            if (!c.settings.isEmpty())
                test::writeFile(path, c.settings);
            QString read;
            const QString error = test::errorOf([&] { read = producerFiscalCode(folders); });
            QCOMPARE(read, c.code);
            QVERIFY2(c.message.isEmpty() ? error.isEmpty() : error.contains(c.message), qPrintable(error));
        }
        // Setting the code keeps every other line; an invalid code is refused.
        test::writeFile(path, "; demo\n[Fornitura]\nCodiceFiscaleProduttore = 1\n[Params]\nX = 1\n");
        setProducerFiscalCode(folders, u"80012345676"_s);
        QCOMPARE(test::readFile(path),
                 "; demo\n[Fornitura]\nCodiceFiscaleProduttore = 80012345676\n[Params]\nX = 1\n");
        QVERIFY_THROWS_EXCEPTION(EZfError, setProducerFiscalCode(folders, u"123"_s));
    }

    // What the prints show is what the file sends: every column that the
    // certificate layouts print under a point of the form (the schema's point,
    // or the one the print geometry gives a column without one) has, in the
    // telematic layouts, the code of its family and that point.
    void printedPointsAreSent()
    {
        // Column (upper case) to the second capture, over the files' texts.
        const auto matches = [](const QStringList& paths, const QString& pattern) {
            QHash<QString, QString> found;
            for (const QString& path : paths)
                for (const auto& m :
                     QRegularExpression(pattern).globalMatch(QString::fromUtf8(test::readFile(path))))
                    found.insert(m.captured(1).toUpper(), m.captured(2));
            return found;
        };
        const Folders& folders = m_installation->folders();
        const QHash<QString, QString> printed =
            matches({folders.res() + u"StpCUD.xml"_s, folders.res() + u"StpCUD_Ord.xml"_s},
                    QStringLiteral(R"re(<Edit [^>]*Name="(\w+)")re"));
        // The points the print geometry gives to columns without a point.
        const QHash<QString, QString> givenPoints =
            matches({test::sourceRoot() + u"/tools/print-models/geometry.xml"_s},
                    QStringLiteral(R"re(column="(\w+)" point="(\d+)")re"));
        QMultiHash<QString, QString> codes; // of the coded fields of G and H, by column
        for (const RecordLayout& layout : {loadRecordG(folders), loadRecordH(folders)})
            for (const LayoutSection& section : layout.sections())
                for (const LayoutField& f : section.fields)
                    if (f.isCoded())
                        codes.insert(f.field.toUpper(), f.code());
        // clang-format off
        const struct { const char* table; const char* part; const char* family; } parts[] = {
            {"TCUD_DATICUD", "fiscali", "DB001"}, {"TCUDI_INPS", "inps", "DC001"}, {"TCUDN_INPDAP", "inpdap", "DC001"},
            {"TCUIN_INAIL", "inail", "DC001"}, {"TCUDT_TFR", "tfr", "DD001"}, {"TASE_AUTSOMMEEROGATE", "autonomi", "AU001"},
        };
        // clang-format on
        for (const auto& p : parts) {
            int checked = 0;
            for (const ColumnSchema& column :
                 test::certificateSchema().table(QString::fromLatin1(p.table))->columns) {
                const QString name = column.name.toUpper();
                const QString point = column.point.isEmpty() ? givenPoints.value(name) : column.point;
                if (column.part != QLatin1String(p.part) || point.isEmpty() || !printed.contains(name))
                    continue;
                const QString code =
                    QString::fromLatin1(p.family) + u"%1"_s.arg(point.toInt(), 3, 10, QLatin1Char('0'));
                QVERIFY2(codes.values(name).contains(code),
                         qPrintable(u"%1 stampato al punto %2 ma inviato come %3"_s.arg(
                             column.name, point, codes.values(name).join(u','))));
                ++checked;
            }
            QVERIFY2(checked > 0, p.table);
        }
    }

    // A failed write of a certificate's annotation rows ends the selection
    // with the database's error, not with a remark about the annotations.
    void failedAnnotationWriteRaises()
    {
        test::appendCertificate(*m_data, 1, {{u"SCUDANNOTAZIONI"_s, u"AA) testo"_s}});
        CertificateSelection selection(
            *m_data, m_installation->folders(),
            [](qint64, int, const QVector<QStringList>&) { throw DatabaseError(u"disco pieno"_s); });
        selection.prepare();
        try {
            selection.select(0);
            QFAIL("a failed write must raise");
        } catch (const DatabaseError& e) {
            QCOMPARE(e.message(), u"disco pieno"_s);
        }
        QCOMPARE(m_op.messages().size(), 0);
    }

private:
    QVector<FileLine> run(const QVector<int>& positions, bool withC = false)
    {
        FieldList fields;
        RecordList records;
        CertificateSelection selection(
            *m_data, m_installation->folders(),
            [this](qint64, int, const QVector<QStringList>& rows) { m_storedAnnotations.append(rows); });
        selection.prepare();
        RecordWriterContext context{*m_data,
                                    selection,
                                    fields,
                                    m_installation->folders(),
                                    [](const QString&) {},
                                    [] { return u"9999999999"_s; },
                                    SupplyLimits()};
        if (withC)
            writeRecordsC(context);
        m_dCount = writeRecordsD(context, positions);
        m_gCounts = writeRecordsG(context, positions);
        m_hCount = writeRecordsH(context, positions);
        RecordPacker packer(fields, records);
        for (const char* letter : {"C", "D", "G", "H"})
            packer.packRecords(QString::fromLatin1(letter), 11);
        const QVector<FileLine> lines = records.orderedLines();
        for (const FileLine& line : lines)
            if (line.record.size() != 1898)
                qWarning() << "line of" << line.record.size() << "characters";
        return lines;
    }
    QVector<FileLine> linesOf(const QVector<FileLine>& lines, const QString& letter)
    {
        QVector<FileLine> selected;
        for (const FileLine& line : lines)
            if (line.letter == letter)
                selected.append(line);
        return selected;
    }

    std::unique_ptr<test::TestInstallation> m_installation;
    std::unique_ptr<TelematicData> m_data;
    ScriptedOperator m_op;
    QVector<QVector<QStringList>> m_storedAnnotations;
    RecordGCounts m_gCounts;
    int m_hCount = 0;
    int m_dCount = 0;
};

QTEST_GUILESS_MAIN(TestCertificateRecords)
#include "test_certificate_records.moc"
