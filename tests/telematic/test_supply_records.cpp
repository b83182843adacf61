// Records A, B and Z from the shipped layouts at the agency's positions,
// their patches, the 1900-character guard, and the software producer's
// fiscal code taken from the installation's settings.
#include "foundation/database/ConnectionSettings.h"
#include "foundation/operator/ScriptedOperator.h"
#include "support/TelematicTestSupport.h"
#include "telematic/ProducerSetting.h"
#include "telematic/layouts/RecordLayout.h"
#include "telematic/records/SupplyRecords.h"

#include <QFile>
#include <QTest>

namespace {

const QString Producer = QStringLiteral("01234567897");

} // namespace

using namespace cu;

class TestSupplyRecords : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void recordAFollowsTheLayout();
    void supplyCodeOverridesTheLayout();
    void patchesOfA_data();
    void patchesOfA();
    void recordBFollowsTheLayout();
    void recordBCtBox_data();
    void recordBCtBox();
    void recordBNeverLeavesAnEmptyField();
    void recordBPatchCountsCertificates();
    void recordBNamesAPersonOrAnEntity_data();
    void recordBNamesAPersonOrAnEntity();
    void recordZCounters();
    void optionalFieldsMoveTheFollowingLeft();
    void lineNeverPassesTheGuard();
    void valuesInUpperCaseAscii();
    void tooLongNumberIsRefused();
    void producerSetting_data();
    void producerSetting();
    void producerSettingKeepsTheOtherLines();

private:
    std::unique_ptr<test::TelematicInstallation> m_installation;
    TelematicData m_data;
};

void TestSupplyRecords::init()
{
    m_installation = std::make_unique<test::TelematicInstallation>();
    test::defineTables(m_data);
    test::fillAgentAndSupplier(m_data);
    m_data.forn().first();
    m_data.sost().first();
}

void TestSupplyRecords::recordAFollowsTheLayout()
{
    const QString line = writeRecordA(loadRecordA(m_installation->folders()), m_data.forn(), nullptr);
    QCOMPARE(line.size(), 1898);
    QCOMPARE(line.left(1), QStringLiteral("A"));
    QCOMPARE(line.mid(15, 5), QStringLiteral("CUR25"));
    QCOMPARE(line.mid(20, 2), QStringLiteral("01"));
    QCOMPARE(line.mid(22, 16), QStringLiteral("01234567897     "));
    QCOMPARE(line.right(1), QStringLiteral("A"));
}

void TestSupplyRecords::supplyCodeOverridesTheLayout()
{
    RecordLayout layout = loadRecordA(m_installation->folders());
    for (LayoutField& f : layout.sections()[0].fields)
        if (f.number == u"3")
            f.fixed = QStringLiteral("XXX99");
    const QString line = writeRecordA(layout, m_data.forn(), nullptr);
    QCOMPARE(line.mid(15, 5), QStringLiteral("CUR25"));
}

void TestSupplyRecords::patchesOfA_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("file");
    QTest::addColumn<QString>("expected");
    QTest::newRow("single file") << 0 << 0 << "00000000";
    QTest::newRow("first of three") << 3 << 1 << "00010003";
    QTest::newRow("second of three") << 3 << 2 << "00020003";
    QTest::newRow("third of three") << 3 << 3 << "00030003";
}

void TestSupplyRecords::patchesOfA()
{
    QFETCH(int, files);
    QFETCH(int, file);
    QFETCH(QString, expected);
    const QString line = writeRecordA(loadRecordA(m_installation->folders()), m_data.forn(), nullptr);
    const QString patched = patchRecordA(loadRecordA(m_installation->folders()), line, files, file);
    QCOMPARE(patched.size(), line.size());
    QCOMPARE(patched.mid(521, 8), expected);
    QCOMPARE(patched.left(521), line.left(521));
    QCOMPARE(patched.mid(529), line.mid(529));
}

void TestSupplyRecords::recordBFollowsTheLayout()
{
    const QString line =
        writeRecordB(loadRecordB(m_installation->folders()), m_data.sost(), false, Producer, nullptr);
    QCOMPARE(line.size(), 1898);
    QCOMPARE(line.left(17), QStringLiteral("B80012345676     "));
    QCOMPARE(line.mid(17, 8), QStringLiteral("00000001"));
    QCOMPARE(line.mid(25, 48), QString(48, u' '));
    QCOMPARE(line.mid(73, 16), QStringLiteral("01234567897     "));
    QCOMPARE(line.mid(90, 2), QStringLiteral("00"));  // neither annulment nor replacement
    QCOMPARE(line.mid(308, 2), QStringLiteral("00")); // no exceptional event
    QCOMPARE(line.mid(310, 16), QStringLiteral("RSSMRA85T10A562S"));
    QCOMPARE(line.mid(326, 2), QStringLiteral("01"));
    QCOMPARE(line.mid(328, 24).trimmed(), QStringLiteral("ROSSI"));
    QCOMPARE(line.mid(352, 20).trimmed(), QStringLiteral("MARIO"));
    QCOMPARE(line.mid(372, 11), QStringLiteral("00000000000")); // no entity code
    QCOMPARE(line.mid(410, 1), QStringLiteral("1"));            // signed
    QCOMPARE(line.mid(428, 8), QStringLiteral("00000000"));     // no commitment date
    QCOMPARE(line.mid(526, 1), QStringLiteral("0"));            // no special case
    QCOMPARE(line.right(1), QStringLiteral("A"));
}

void TestSupplyRecords::recordBCtBox_data()
{
    QTest::addColumn<bool>("ctPresent");
    QTest::addColumn<QString>("box");
    QTest::newRow("CT form present") << true << "1";
    QTest::newRow("no CT form") << false << "0";
}

void TestSupplyRecords::recordBCtBox()
{
    QFETCH(bool, ctPresent);
    QFETCH(QString, box);
    RecordLayout layout = loadRecordB(m_installation->folders());
    int position = 0;
    for (const LayoutField& f : layout.sections()[0].fields) {
        if (f.number == u"25")
            break;
        position += f.width;
    }
    const QString line = writeRecordB(layout, m_data.sost(), ctPresent, Producer, nullptr);
    QCOMPARE(position, 409);
    QCOMPARE(line.mid(position, 1), box);
}

void TestSupplyRecords::recordBNeverLeavesAnEmptyField()
{
    RecordLayout layout(LayoutBinding::B);
    LayoutSection section;
    section.fields.append({QStringLiteral("9"), QString(), 3, QStringLiteral("NF"), QStringLiteral("@@"),
                           QString(), QStringLiteral("cdsSost"), QStringLiteral("SSOSNOME")});
    section.fields.append({QStringLiteral("8"), QString(), 16, QStringLiteral("CF"), QStringLiteral("OF"),
                           QStringLiteral("99999999999"), QString(), QString()});
    layout.addSection(section);
    const QString line = writeRecordB(layout, m_data.sost(), false, Producer, nullptr);
    QCOMPARE(line, QStringLiteral("000") + Producer.leftJustified(16));
}

void TestSupplyRecords::recordBPatchCountsCertificates()
{
    const RecordLayout layout = loadRecordB(m_installation->folders());
    const QString line = writeRecordB(layout, m_data.sost(), false, Producer, nullptr);
    const QString patched = patchRecordB(layout, line, 120, 30);
    QCOMPARE(patched.mid(401, 8), QStringLiteral("00000150"));
    QCOMPARE(patched.size(), 1898);
}

void TestSupplyRecords::recordBNamesAPersonOrAnEntity_data()
{
    QTest::addColumn<QString>("firstName");
    QTest::addColumn<QString>("surname");    // 93-116
    QTest::addColumn<QString>("name");       // 117-136
    QTest::addColumn<QString>("entityName"); // 137-196
    QTest::newRow("an entity") << ""
                               << ""
                               << ""
                               << "ISTITUTO COMPRENSIVO";
    QTest::newRow("a natural person") << "Lucia"
                                      << "ISTITUTO COMPRENSIVO"
                                      << "LUCIA"
                                      << "";
}

void TestSupplyRecords::recordBNamesAPersonOrAnEntity()
{
    QFETCH(QString, firstName);
    QFETCH(QString, surname);
    QFETCH(QString, name);
    QFETCH(QString, entityName);
    m_data.sost().edit();
    m_data.sost().setValue(u"SSOSNOME", firstName);
    m_data.sost().post();
    const QString line =
        writeRecordB(loadRecordB(m_installation->folders()), m_data.sost(), false, Producer, nullptr);
    QCOMPARE(line.mid(92, 24), surname.leftJustified(24));
    QCOMPARE(line.mid(116, 20), name.leftJustified(20));
    QCOMPARE(line.mid(136, 60), entityName.leftJustified(60));
}

void TestSupplyRecords::recordZCounters()
{
    const RecordLayout layout = loadRecordZ(m_installation->folders());
    const QString line = writeRecordZ(layout, nullptr);
    QCOMPARE(line.size(), 1898);
    QCOMPARE(line.left(1), QStringLiteral("Z"));
    QCOMPARE(line.mid(15, 54), QStringLiteral("000000001") + QString(45, u'0'));
    const QString patched = patchRecordZ(layout, line, {{u'B', 1}, {u'D', 4}, {u'G', 12}, {u'H', 3}});
    QCOMPARE(patched.mid(15, 9), QStringLiteral("000000001")); // B
    QCOMPARE(patched.mid(24, 9), QStringLiteral("000000000")); // C
    QCOMPARE(patched.mid(33, 9), QStringLiteral("000000004")); // D
    QCOMPARE(patched.mid(42, 9), QStringLiteral("000000012")); // G
    QCOMPARE(patched.mid(51, 9), QStringLiteral("000000003")); // H
    QCOMPARE(patched.mid(60, 9), QStringLiteral("000000000")); // L
    QCOMPARE(patched.mid(69, 1828), QString(1828, u' '));
    QCOMPARE(patched.right(1), QStringLiteral("A"));
}

void TestSupplyRecords::optionalFieldsMoveTheFollowingLeft()
{
    RecordLayout layout(LayoutBinding::A);
    LayoutSection section;
    section.fields.append({QStringLiteral("1"), QString(), 1, QStringLiteral("AN"), QStringLiteral("OF"),
                           QStringLiteral("A"), QString(), QString()});
    section.fields.append({QStringLiteral("2"), QString(), 5, QStringLiteral("AN"), QStringLiteral("@X"),
                           QString(), QStringLiteral("cdsForn"), QStringLiteral("SFORCODFIS")});
    section.fields.append({QStringLiteral("4"), QString(), 5, QStringLiteral("AN"), QStringLiteral("@@"),
                           QString(), QStringLiteral("cdsForn"), QStringLiteral("SFORCODFIS")});
    section.fields.append({QStringLiteral("5"), QString(), 2, QStringLiteral("AN"), QStringLiteral("OF"),
                           QStringLiteral("ZZ"), QString(), QString()});
    layout.addSection(section);
    Dataset empty;
    empty.setFields({{QStringLiteral("SFORCODFIS"), FieldType::String, 16}});
    empty.open();
    test::appendRow(empty, {});
    QCOMPARE(writeRecordA(layout, empty, nullptr), QStringLiteral("AZZ"));
}

void TestSupplyRecords::lineNeverPassesTheGuard()
{
    RecordLayout layout(LayoutBinding::Z);
    LayoutSection section;
    section.fields.append({QStringLiteral("1"), QString(), 1899, QStringLiteral("AN"), QStringLiteral("OF"),
                           QStringLiteral("Z"), QString(), QString()});
    section.fields.append({QStringLiteral("2"), QString(), 1, QStringLiteral("AN"), QStringLiteral("OF"),
                           QStringLiteral("X"), QString(), QString()});
    section.fields.append({QStringLiteral("3"), QString(), 1, QStringLiteral("AN"), QStringLiteral("OF"),
                           QStringLiteral("Y"), QString(), QString()});
    section.fields.append({QStringLiteral("4"), QString(), 1, QStringLiteral("AN"), QStringLiteral("OF"),
                           QStringLiteral("W"), QString(), QString()});
    layout.addSection(section);
    ScriptedOperator op;
    const QString line = writeRecordZ(layout, &op);
    QCOMPARE(line.size(), 1901); // 1900 built, then the control character
    QCOMPARE(line.mid(1899, 1), QStringLiteral("X"));
    QCOMPARE(op.texts(Severity::Warning), QStringList({QStringLiteral("Supera i 1900 caratteri"),
                                                       QStringLiteral("Supera i 1900 caratteri")}));
}

// The agent's data in upper case, an accented letter as its plain letter
// and an apostrophe.
void TestSupplyRecords::valuesInUpperCaseAscii()
{
    m_data.sost().edit();
    m_data.sost().setValue(u"SSOSCOGNRAPPR", QStringLiteral("Niccolò d’Àrco"));
    m_data.sost().post();
    const QString line =
        writeRecordB(loadRecordB(m_installation->folders()), m_data.sost(), false, Producer, nullptr);
    QCOMPARE(line.mid(328, 24).trimmed(), QStringLiteral("NICCOLO' D'A'RCO"));
}

void TestSupplyRecords::tooLongNumberIsRefused()
{
    m_data.sost().edit();
    m_data.sost().setValue(u"SCARCODICE", QStringLiteral("123"));
    m_data.sost().post();
    try {
        writeRecordB(loadRecordB(m_installation->folders()), m_data.sost(), false, Producer, nullptr);
        QFAIL("a three-digit office code was written into two positions");
    } catch (const EZfError& e) {
        QVERIFY2(e.message().contains(QStringLiteral("record B, campo 19")), qPrintable(e.message()));
    }
}

void TestSupplyRecords::producerSetting_data()
{
    QTest::addColumn<QString>("settings"); // the settings file; empty: none
    QTest::addColumn<QString>("code");     // the code read; empty: refused
    QTest::addColumn<QString>("message");  // part of the refusal
    QTest::newRow("numeric code") << "[Fornitura]\nCodiceFiscaleProduttore = 01234567897\n"
                                  << "01234567897"
                                  << "";
    QTest::newRow("personal code in lower case") << "[fornitura]\ncodicefiscaleproduttore=rssmra85t10a562s\n"
                                                 << "RSSMRA85T10A562S"
                                                 << "";
    QTest::newRow("no settings file") << ""
                                      << ""
                                      << "Codice fiscale del produttore del software mancante";
    QTest::newRow("no key") << "[Database]\nDriver = QSQLITE\n"
                            << ""
                            << "sezione [Fornitura], chiave CodiceFiscaleProduttore";
    QTest::newRow("wrong check digit") << "[Fornitura]\nCodiceFiscaleProduttore = 01234567890\n"
                                       << ""
                                       << "\"01234567890\" non valido";
}

void TestSupplyRecords::producerSetting()
{
    QFETCH(QString, settings);
    QFETCH(QString, code);
    QFETCH(QString, message);
    const Folders& folders = m_installation->folders();
    const QString path = ConnectionSettings::settingsFile(folders);
    QFile::remove(path);
    if (!settings.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(settings.toUtf8());
    }
    if (!code.isEmpty()) {
        QCOMPARE(producerFiscalCode(folders), code);
        return;
    }
    try {
        producerFiscalCode(folders);
        QFAIL("a missing or invalid producer code was accepted");
    } catch (const EZfError& e) {
        QVERIFY2(e.message().contains(message), qPrintable(e.message()));
    }
}

void TestSupplyRecords::producerSettingKeepsTheOtherLines()
{
    const Folders& folders = m_installation->folders();
    const QString path = ConnectionSettings::settingsFile(folders);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "; demo\n[Database]\nDriver = QSQLITE\n[Fornitura]\nCodiceFiscaleProduttore = 1\n[Params]\nX = 1\n");
    file.close();
    setProducerFiscalCode(folders, QStringLiteral("80012345676"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             QStringLiteral("; demo\n[Database]\nDriver = QSQLITE\n[Fornitura]\nCodiceFiscaleProduttore = "
                            "80012345676\n[Params]\nX = 1\n"));
    QCOMPARE(producerFiscalCode(folders), QStringLiteral("80012345676"));
    QVERIFY_THROWS_EXCEPTION(EZfError, setProducerFiscalCode(folders, QStringLiteral("123")));
}

QTEST_GUILESS_MAIN(TestSupplyRecords)
#include "test_supply_records.moc"
