// The certificate editor's session on SQLite and PostgreSQL: the printed
// lock and the state command, the deletion questions, the insertion from the
// "Conguaglio/Chiusura" choice, the refusals of a post, the move refused
// while a change is pending, the notes, the family month checks, the section
// rows saved under the certificate's month and the signature update.
#include "certificates/CertificateKey.h"
#include "certificates/CertificateStore.h"
#include "certificates/editing/CertificateEditing.h"
#include "certificates/editing/FamilyMonths.h"
#include "certificates/editing/Insertion.h"
#include "certificates/editing/PrintedLock.h"
#include "store/HlmDBCds.h"
#include "support/StoreFlowFixture.h"

#include <QtTest>

using namespace Qt::StringLiterals;

using namespace cu;
using cu::test::refusal;
using cu::test::StoreFlow;
namespace sample = cu::test::sample;

namespace {

int storedState(StoreFlow& flow, const QString& fiscalCode)
{
    Dataset list;
    flow.certificates().openCertificates(list);
    list.setFilter(certificate::searchFilter(fiscalCode, 12));
    return int(list.asInteger(u"iCudStato"));
}

// Sets the printed state as the print run does.
void markPrinted(StoreFlow& flow, const QString& fiscalCode)
{
    Dataset list;
    flow.certificates().openCertificates(list);
    list.setFilter(certificate::searchFilter(fiscalCode, 12));
    flow.certificates().setPrintedState(list, 1);
}

} // namespace

class TestCertificateEditing : public QObject
{
    Q_OBJECT

    std::unique_ptr<StoreFlow> m_flow;
    std::unique_ptr<CertificateEditing> m_editing;

    // A store with the sample supply and an editing session opened on it.
    bool start()
    {
        QFETCH(QString, engine);
        m_flow = std::make_unique<StoreFlow>(engine);
        if (!m_flow->database().available())
            return false;
        m_flow->install();
        m_flow->writeSampleSupply();
        reopen();
        return true;
    }
    void reopen()
    {
        m_editing = std::make_unique<CertificateEditing>(m_flow->certificates(), m_flow->op());
        m_editing->open();
    }
    SectionEditing& inps() { return m_editing->section(SectionKind::Inps); }

private slots:
    void cleanup()
    {
        m_editing.reset();
        m_flow.reset();
    }

    void insertionChoice_data()
    {
        QTest::addColumn<int>("monthIndex");
        QTest::addColumn<bool>("adjustment");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("refusal");
        // clang-format off
        QTest::newRow("Dicembre, Conguaglio") << 11 << true << "12" << "X" << "";
        QTest::newRow("Giugno") << 5 << false << "06" << "0" << "";
        QTest::newRow("no month") << -1 << false << "00" << "0" << "";
        QTest::newRow("Conguaglio without month") << -1 << true << "" << "" << "Mese di chiusura obbligatorio!!!";
        // clang-format on
    }
    void insertionChoice()
    {
        QFETCH(int, monthIndex);
        QFETCH(bool, adjustment);
        QFETCH(QString, month);
        QFETCH(QString, flag);
        QFETCH(QString, refusal);
        QCOMPARE(cu::test::refusal([&] {
                     const InsertionChoice choice = InsertionChoice::fromDialog(monthIndex, adjustment);
                     QCOMPARE(choice.monthText(), month);
                     QCOMPARE(choice.adjustmentFlag(), flag);
                 }),
                 refusal);
    }

    void familyMonths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("defect");
        // clang-format off
        QTest::newRow("empty") << "" << "";
        QTest::newRow("one digit") << "7" << "Il mese deve essere di 2 cifre";
        QTest::newRow("three digits") << "012" << "Il mese deve essere di 2 cifre";
        QTest::newRow("13") << "13" << "Mese non valido, deve essere compreso tra 01 e 12";
        QTest::newRow("00") << "00" << "Mese non valido, deve essere compreso tra 01 e 12";
        QTest::newRow("letters") << "AB" << "Mese non valido, deve essere compreso tra 01 e 12";
        QTest::newRow("05") << "05" << "";
        QTest::newRow("12") << "12" << "";
        // clang-format on
    }
    void familyMonths()
    {
        QFETCH(QString, text);
        QFETCH(QString, defect);
        QCOMPARE(familyMonthDefect(text), defect);
    }

    void printedLockAndRelease_data() { cu::test::TestDatabases::addEngineColumns(); }
    void printedLockAndRelease()
    {
        if (!start())
            CU_REQUIRE_DATABASE(m_flow->database());
        const QString rossi = sample::rossi().fiscalCode;
        markPrinted(*m_flow, rossi);
        reopen();
        m_editing->find(rossi, u"12"_s);
        QVERIFY(m_editing->isPrinted() && m_editing->canReleasePrinted());
        QCOMPARE(inps().rows().recordCount(), 1);
        QVERIFY(inps().isReadOnly());

        const QStringList before = m_flow->dumpTable(u"TCUDI_INPS"_s);
        QCOMPARE(refusal([&] { m_editing->edit(); }), u"(bloccato)"_s);
        QCOMPARE(refusal([&] { m_editing->setText(u"SCUDNOME"_s, u"X"_s); }), u"(bloccato)"_s);
        QCOMPARE(refusal([&] { m_editing->addNote(u"AA"_s, u"nota"_s); }), u"(bloccato)"_s);
        QCOMPARE(refusal([&] { inps().edit(); }), u"(bloccato)"_s);
        QCOMPARE(refusal([&] { inps().insert(); }), u"(bloccato)"_s);
        QCOMPARE(refusal([&] { inps().remove(); }), u"(bloccato)"_s);
        QCOMPARE(m_flow->dumpTable(u"TCUDI_INPS"_s), before);
        QVERIFY(m_flow->op().questions().isEmpty());

        // The state command: No keeps the lock, Yes lifts it and saves.
        m_flow->op().queueAnswer(Operator::Answer::No);
        QCOMPARE(refusal([&] { m_editing->releasePrinted(); }), u"(silenzioso)"_s);
        QCOMPARE(storedState(*m_flow, rossi), 1);
        m_flow->op().queueAnswer(Operator::Answer::Yes);
        m_editing->releasePrinted();
        QCOMPARE(m_flow->op().questions(),
                 QStringList(2, u"Il modello è gia stato stampato, si desidera modificarlo?"_s));
        QVERIFY(!m_editing->isPrinted() && !m_editing->canReleasePrinted());
        QCOMPARE(storedState(*m_flow, rossi), 0);

        m_editing->setText(u"SCUDNOME"_s, u"LUIGI"_s);
        m_editing->post();
        inps().edit();
        inps().setText(u"FCUDIMPONIBILE"_s, u"2.500,75"_s);
        inps().post();
        reopen();
        m_editing->find(rossi);
        QCOMPARE(m_editing->list().asString(u"SCUDNOME"), u"LUIGI"_s);
        QCOMPARE(inps().rows().asCurrency(u"FCUDIMPONIBILE"), *Currency::parse(u"2500.75"));
    }

    void deleteCertificate_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<bool>("yes");
        for (const QString& engine : cu::test::TestDatabases::engines()) {
            const QByteArray e = engine.toUtf8();
            QTest::newRow(e + " printed, No") << engine << true << false;
            QTest::newRow(e + " printed, Yes") << engine << true << true;
            QTest::newRow(e + " not printed, No") << engine << false << false;
            QTest::newRow(e + " not printed, Yes") << engine << false << true;
        }
    }
    void deleteCertificate()
    {
        QFETCH(bool, printed);
        QFETCH(bool, yes);
        if (!start())
            CU_REQUIRE_DATABASE(m_flow->database());
        const QString rossi = sample::rossi().fiscalCode;
        if (printed) {
            markPrinted(*m_flow, rossi);
            reopen();
        }
        m_editing->find(rossi);
        const qint64 person = m_editing->current().person;
        m_flow->op().queueAnswer(yes ? Operator::Answer::Yes : Operator::Answer::No);
        QCOMPARE(refusal([&] { m_editing->remove(); }), yes ? QString() : u"(silenzioso)"_s);
        QCOMPARE(m_flow->op().questions(),
                 QStringList{printed ? u"IL MODELLO E' GIA STATO STAMPATO. Confermi la cancellazione?"_s
                                     : u"Confermi la cancellazione del modello corrente?"_s});
        QCOMPARE(m_flow->personOf(rossi) == 0, yes);
        // The certificate's INPS row goes with it.
        Dataset inpsRows;
        m_flow->certificates().openSection(inpsRows, u"TCUDI_INPS"_s, person);
        QCOMPARE(inpsRows.recordCount(), yes ? 0 : 1);
        QCOMPARE(m_editing->list().recordCount(), yes ? 2 : 3);
    }

    void insertAndPost_data() { cu::test::TestDatabases::addEngineColumns(); }
    void insertAndPost()
    {
        if (!start())
            CU_REQUIRE_DATABASE(m_flow->database());
        // Conguaglio in December.
        m_editing->insert(InsertionChoice::fromDialog(11, true));
        QCOMPARE(refusal([&] { m_editing->post(); }), u"Codice fiscale obbligatorio"_s);
        QCOMPARE(m_editing->list().state(), Dataset::State::Insert);
        QCOMPARE(refusal([&] { inps().insert(); }), u"Salvare il modello prima di compilarne le sezioni."_s);
        m_editing->setText(u"SCUDCODFIS"_s, sample::rossi().fiscalCode);
        QCOMPARE(refusal([&] { m_editing->post(); }),
                 u"Esiste già un modello per %1/12"_s.arg(sample::rossi().fiscalCode));
        m_editing->setText(u"SCUDCODFIS"_s, u"VRDGPP80A01H501U"_s);
        m_editing->setText(u"SCUDCOGNOME"_s, u"VERDI"_s);
        m_editing->post();
        QVERIFY(m_editing->current().isStored());
        QCOMPARE(m_editing->current().label(), u"VRDGPP80A01H501U/12"_s);
        Dataset december;
        m_flow->store().open(december, certificate::Table, -1, 12, 2024);
        QVERIFY(december.locate(u"SCUDCODFIS"_s, {u"VRDGPP80A01H501U"_s}));
        QCOMPARE(december.asString(u"LCUDCONGUAGLIO"), u"X"_s);
        QCOMPARE(december.asString(u"LCUDCOMPRENSIVO"), u"X"_s);
        QCOMPARE(december.asString(u"LCUDANNULLAMENTO"), u"0"_s);

        // A section row takes the certificate's link and its month.
        inps().insert();
        QCOMPARE(inps().positionText(), u"Ins."_s);
        inps().setText(u"sCudMatrAzienda"_s, u"999"_s);
        inps().post();
        QCOMPARE(inps().positionText(), u"1 di 1"_s);
        Dataset inpsDecember;
        m_flow->store().open(inpsDecember, u"TCUDI_INPS"_s, int(m_editing->current().person), 12, 2024);
        QCOMPARE(inpsDecember.recordCount(), 1);
        QCOMPARE(inpsDecember.asString(u"SCUDCODFIS"), u"VRDGPP80A01H501U"_s);
        QCOMPARE(inpsDecember.asString(u"SCUDMESE"), u"12"_s);

        // No month and no Conguaglio: "00", stored without a month.
        m_editing->insert(InsertionChoice::fromDialog(-1, false));
        m_editing->setText(u"SCUDCODFIS"_s, u"VRDGPP80A01H501U"_s);
        m_editing->post();
        QCOMPARE(m_editing->current().month, u"00"_s);
        Dataset noMonth;
        m_flow->store().open(noMonth, certificate::Table, -1, 0, 2024);
        QCOMPARE(noMonth.recordCount(), 1);
        QCOMPARE(noMonth.asString(u"LCUDCONGUAGLIO"), u"0"_s);
        QCOMPARE(noMonth.asString(u"LCUDRBSNST51TDIP"), u"0"_s); // every flag starts unset
    }

    void pendingChangesAndNotes_data() { cu::test::TestDatabases::addEngineColumns(); }
    void pendingChangesAndNotes()
    {
        if (!start())
            CU_REQUIRE_DATABASE(m_flow->database());
        m_editing->find(sample::bianchi().fiscalCode);
        const int position = m_editing->list().recNo();
        m_editing->addNote(u"AA"_s, u"Redditi erogati da altri soggetti"_s);
        QCOMPARE(m_editing->list().asString(u"SCUDANNOTAZIONI"),
                 u"\r\nAA) Redditi erogati da altri soggetti"_s);
        QCOMPARE(refusal([&] { m_editing->moveTo(position == 0 ? 1 : 0); }),
                 u"Salvare prima di cambiare modello."_s);
        QCOMPARE(refusal([&] { m_editing->orderBy(ListOrder::FiscalCode); }),
                 u"Salvare prima di cambiare modello."_s);
        QCOMPARE(m_editing->list().recNo(), position);
        m_editing->post();

        // A family row with a bad month count stays in edit mode; a pending
        // section row also keeps the certificate.
        SectionEditing& family = m_editing->section(SectionKind::Family);
        family.insert();
        family.setText(u"SCUDMESICARCON"_s, u"7"_s);
        QCOMPARE(refusal([&] { family.post(); }), u"Il mese deve essere di 2 cifre"_s);
        QCOMPARE(refusal([&] { m_editing->moveTo(position == 0 ? 1 : 0); }),
                 u"Salvare prima di cambiare modello."_s);
        family.setText(u"SCUDMESICARCON"_s, u"12"_s);
        family.post();
        QCOMPARE(family.rows().recordCount(), 1);

        // The section's question decides its delete.
        m_flow->op().queueAnswer(Operator::Answer::No);
        QCOMPARE(refusal([&] { family.remove(); }), u"(silenzioso)"_s);
        m_flow->op().queueAnswer(Operator::Answer::Yes);
        family.remove();
        QCOMPARE(m_flow->op().questions().last(),
                 u"Confermi la cancellazione della sezione \"congiuge e familiari a carico\"?"_s);
        QCOMPARE(family.positionText(), u"0 di 0"_s);
        reopen();
        m_editing->find(sample::bianchi().fiscalCode);
        QCOMPARE(m_editing->section(SectionKind::Family).rows().recordCount(), 0);
        QVERIFY(m_editing->list()
                    .asString(u"SCUDANNOTAZIONI")
                    .endsWith(u"AA) Redditi erogati da altri soggetti"));
    }

    void signatureOnOpening_data() { cu::test::TestDatabases::addEngineColumns(); }
    void signatureOnOpening()
    {
        if (!start())
            CU_REQUIRE_DATABASE(m_flow->database());
        QCOMPARE(m_editing->signaturesUpdated(), 0);
        markPrinted(*m_flow, sample::rossi().fiscalCode);
        m_flow->writeSingleRow(u"TCUS_DATISOST"_s, {{u"SSOSFIRMACOM"_s, u"ANNA BIANCHI"_s}});
        reopen();
        QCOMPARE(m_editing->signaturesUpdated(), 3);
        QStringList signatures;
        Dataset list;
        m_flow->certificates().openCertificates(list);
        for (list.first(); !list.eof(); list.next())
            signatures << list.asString(u"SCUDDATIANAFIRMA");
        QCOMPARE(signatures, QStringList(3, u"ANNA BIANCHI"_s));
        QCOMPARE(storedState(*m_flow, sample::rossi().fiscalCode), 1);
        QCOMPARE(m_editing->list().recNo(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCertificateEditing)
#include "test_certificate_editing.moc"
