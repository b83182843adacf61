// Records A, B and Z from the shipped layouts, their patches and the
// 1900-character guard.
#include "foundation/operator/ScriptedOperator.h"
#include "support/TelematicTestSupport.h"
#include "telematic/layouts/RecordLayout.h"
#include "telematic/records/SupplyRecords.h"

#include <QTest>

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
    void recordZCounters();
    void optionalFieldsMoveTheFollowingLeft();
    void lineNeverPassesTheGuard();

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
    const QString patched = patchRecordA(line, files, file);
    QCOMPARE(patched.size(), line.size());
    QCOMPARE(patched.mid(521, 8), expected);
    QCOMPARE(patched.left(521), line.left(521));
    QCOMPARE(patched.mid(529), line.mid(529));
}

void TestSupplyRecords::recordBFollowsTheLayout()
{
    const QString line = writeRecordB(loadRecordB(m_installation->folders()), m_data.sost(), false, nullptr);
    QCOMPARE(line.size(), 1898);
    QCOMPARE(line.left(17), QStringLiteral("B80012345676     "));
    QCOMPARE(line.mid(17, 8), QStringLiteral("00000001"));
    QCOMPARE(line.mid(73, 16), QStringLiteral("01234567897     "));
    QCOMPARE(line.mid(110, 20), QStringLiteral("ISTITUTO COMPRENSIVO"));
    QCOMPARE(line.mid(311, 16), QStringLiteral("RSSMRA85T10A562S"));
    QCOMPARE(line.mid(327, 2), QStringLiteral("01"));
    QCOMPARE(line.mid(409, 1), QStringLiteral("1")); // signed
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
    const QString line = writeRecordB(layout, m_data.sost(), ctPresent, nullptr);
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
    const QString line = writeRecordB(layout, m_data.sost(), false, nullptr);
    QCOMPARE(line, QStringLiteral("000") + producerFiscalCode().leftJustified(16));
}

void TestSupplyRecords::recordBPatchCountsCertificates()
{
    const QString line = writeRecordB(loadRecordB(m_installation->folders()), m_data.sost(), false, nullptr);
    const QString patched = patchRecordB(line, 120, 30);
    QCOMPARE(patched.mid(401, 8), QStringLiteral("00000150"));
    QCOMPARE(patched.size(), 1898);
}

void TestSupplyRecords::recordZCounters()
{
    const QString line = writeRecordZ(loadRecordZ(m_installation->folders()), nullptr);
    QCOMPARE(line.size(), 1898);
    QCOMPARE(line.left(1), QStringLiteral("Z"));
    QCOMPARE(line.mid(24, 36), QString(36, u'0'));
    const QString patched = patchRecordZ(line, 4, 12, 3, 0);
    QCOMPARE(patched.mid(24, 9), QStringLiteral("000000000"));
    QCOMPARE(patched.mid(33, 9), QStringLiteral("000000004"));
    QCOMPARE(patched.mid(42, 9), QStringLiteral("000000012"));
    QCOMPARE(patched.mid(51, 9), QStringLiteral("000000003"));
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
                           QStringLiteral("x"), QString(), QString()});
    section.fields.append({QStringLiteral("3"), QString(), 1, QStringLiteral("AN"), QStringLiteral("OF"),
                           QStringLiteral("y"), QString(), QString()});
    section.fields.append({QStringLiteral("4"), QString(), 1, QStringLiteral("AN"), QStringLiteral("OF"),
                           QStringLiteral("w"), QString(), QString()});
    layout.addSection(section);
    ScriptedOperator op;
    const QString line = writeRecordZ(layout, &op);
    QCOMPARE(line.size(), 1901); // 1900 built, then the control character
    QCOMPARE(line.mid(1899, 1), QStringLiteral("x"));
    QCOMPARE(op.texts(Severity::Warning), QStringList({QStringLiteral("Supera i 1900 caratteri"),
                                                       QStringLiteral("Supera i 1900 caratteri")}));
}

QTEST_GUILESS_MAIN(TestSupplyRecords)
#include "test_supply_records.moc"
