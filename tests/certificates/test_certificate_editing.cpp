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

using namespace cu;
using cu::test::StoreFlow;
namespace sample = cu::test::sample;

namespace {

template <typename Call> QString refusal(Call call)
{
    try {
        call();
    } catch (const PrintedLock&) {
        return QStringLiteral("(bloccato)");
    } catch (const EAbort&) {
        return QStringLiteral("(silenzioso)");
    } catch (const Error& e) {
        return e.message();
    }
    return QString();
}

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
        QTest::newRow("Dicembre, Conguaglio") << 11 << true << "12"
                                              << "X"
                                              << "";
        QTest::newRow("Giugno") << 5 << false << "06"
                                << "0"
                                << "";
        QTest::newRow("no month") << -1 << false << "00"
                                  << "0"
                                  << "";
        QTest::newRow("Conguaglio without month") << -1 << true << ""
                                                  << ""
                                                  << "Mese di chiusura obbligatorio!!!";
    }
    void insertionChoice()
    {
        QFETCH(int, monthIndex);
        QFETCH(bool, adjustment);
        QFETCH(QString, month);
        QFETCH(QString, flag);
        QFETCH(QString, refusal);
        QCOMPARE(::refusal([&] {
                     const InsertionChoice choice = InsertionChoice::fromDialog(monthIndex, adjustment);
                     QCOMPARE(choice.monthText(), month);
                     QCOMPARE(choice.adjustmentFlag(), flag);
                 }),
                 refusal);
        QCOMPARE(InsertionChoice::monthNames().value(11), QStringLiteral("Dicembre"));
    }

    void familyMonths_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("defect");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("one digit") << "7"
                                   << "Il mese deve essere di 2 cifre";
        QTest::newRow("three digits") << "012"
                                      << "Il mese deve essere di 2 cifre";
        QTest::newRow("13") << "13"
                            << "Mese non valido, deve essere compreso tra 01 e 12";
        QTest::newRow("00") << "00"
                            << "Mese non valido, deve essere compreso tra 01 e 12";
        QTest::newRow("letters") << "AB"
                                 << "Mese non valido, deve essere compreso tra 01 e 12";
        QTest::newRow("05") << "05"
                            << "";
        QTest::newRow("12") << "12"
                            << "";
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
        m_editing->find(rossi, QStringLiteral("12"));
        QVERIFY(m_editing->isPrinted() && m_editing->canReleasePrinted());
        QCOMPARE(inps().rows().recordCount(), 1);
        QVERIFY(inps().isReadOnly());

        const QStringList before = m_flow->dumpTable(QStringLiteral("TCUDI_INPS"));
        QCOMPARE(refusal([&] { m_editing->edit(); }), QStringLiteral("(bloccato)"));
        QCOMPARE(refusal([&] { m_editing->setText(QStringLiteral("SCUDNOME"), QStringLiteral("X")); }),
                 QStringLiteral("(bloccato)"));
        QCOMPARE(refusal([&] { m_editing->addNote(QStringLiteral("AA"), QStringLiteral("nota")); }),
                 QStringLiteral("(bloccato)"));
        QCOMPARE(refusal([&] { inps().edit(); }), QStringLiteral("(bloccato)"));
        QCOMPARE(refusal([&] { inps().insert(); }), QStringLiteral("(bloccato)"));
        QCOMPARE(refusal([&] { inps().remove(); }), QStringLiteral("(bloccato)"));
        QCOMPARE(m_flow->dumpTable(QStringLiteral("TCUDI_INPS")), before);
        QVERIFY(m_flow->op().questions().isEmpty());

        // The state command: No keeps the lock, Yes lifts it and saves.
        m_flow->op().queueAnswer(Operator::Answer::No);
        QCOMPARE(refusal([&] { m_editing->releasePrinted(); }), QStringLiteral("(silenzioso)"));
        QCOMPARE(storedState(*m_flow, rossi), 1);
        m_flow->op().queueAnswer(Operator::Answer::Yes);
        m_editing->releasePrinted();
        QCOMPARE(m_flow->op().questions(),
                 QStringList(2, QStringLiteral("Il modello è gia stato stampato, si desidera modificarlo?")));
        QVERIFY(!m_editing->isPrinted() && !m_editing->canReleasePrinted());
        QCOMPARE(storedState(*m_flow, rossi), 0);

        m_editing->setText(QStringLiteral("SCUDNOME"), QStringLiteral("LUIGI"));
        m_editing->post();
        inps().edit();
        inps().setText(QStringLiteral("FCUDIMPONIBILE"), QStringLiteral("2.500,75"));
        inps().post();
        reopen();
        m_editing->find(rossi);
        QCOMPARE(m_editing->list().asString(u"SCUDNOME"), QStringLiteral("LUIGI"));
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
        QCOMPARE(refusal([&] { m_editing->remove(); }), yes ? QString() : QStringLiteral("(silenzioso)"));
        QCOMPARE(m_flow->op().questions(),
                 QStringList{
                     printed ? QStringLiteral("IL MODELLO E' GIA STATO STAMPATO. Confermi la cancellazione?")
                             : QStringLiteral("Confermi la cancellazione del modello corrente?")});
        QCOMPARE(m_flow->personOf(rossi) == 0, yes);
        // The certificate's INPS row goes with it.
        Dataset inpsRows;
        m_flow->certificates().openSection(inpsRows, QStringLiteral("TCUDI_INPS"), person);
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
        QCOMPARE(refusal([&] { m_editing->post(); }), QStringLiteral("Codice fiscale obbligatorio"));
        QCOMPARE(m_editing->list().state(), Dataset::State::Insert);
        QCOMPARE(refusal([&] { inps().insert(); }),
                 QStringLiteral("Salvare il modello prima di compilarne le sezioni."));
        m_editing->setText(QStringLiteral("SCUDCODFIS"), sample::rossi().fiscalCode);
        QCOMPARE(refusal([&] { m_editing->post(); }),
                 QStringLiteral("Esiste già un modello per %1/12").arg(sample::rossi().fiscalCode));
        m_editing->setText(QStringLiteral("SCUDCODFIS"), QStringLiteral("VRDGPP80A01H501U"));
        m_editing->setText(QStringLiteral("SCUDCOGNOME"), QStringLiteral("VERDI"));
        m_editing->post();
        QVERIFY(m_editing->current().isStored());
        QCOMPARE(m_editing->current().label(), QStringLiteral("VRDGPP80A01H501U/12"));
        Dataset december;
        m_flow->store().open(december, certificate::Table, -1, 12, 2024);
        QVERIFY(december.locate(QStringLiteral("SCUDCODFIS"), {QStringLiteral("VRDGPP80A01H501U")}));
        QCOMPARE(december.asString(u"LCUDCONGUAGLIO"), QStringLiteral("X"));
        QCOMPARE(december.asString(u"LCUDCOMPRENSIVO"), QStringLiteral("X"));
        QCOMPARE(december.asString(u"LCUDANNULLAMENTO"), QStringLiteral("0"));

        // A section row takes the certificate's link and its month.
        inps().insert();
        QCOMPARE(inps().positionText(), QStringLiteral("Ins."));
        inps().setText(QStringLiteral("sCudMatrAzienda"), QStringLiteral("999"));
        inps().post();
        QCOMPARE(inps().positionText(), QStringLiteral("1 di 1"));
        Dataset inpsDecember;
        m_flow->store().open(inpsDecember, QStringLiteral("TCUDI_INPS"), int(m_editing->current().person), 12,
                             2024);
        QCOMPARE(inpsDecember.recordCount(), 1);
        QCOMPARE(inpsDecember.asString(u"SCUDCODFIS"), QStringLiteral("VRDGPP80A01H501U"));
        QCOMPARE(inpsDecember.asString(u"SCUDMESE"), QStringLiteral("12"));

        // No month and no Conguaglio: "00", stored without a month.
        m_editing->insert(InsertionChoice::fromDialog(-1, false));
        m_editing->setText(QStringLiteral("SCUDCODFIS"), QStringLiteral("VRDGPP80A01H501U"));
        m_editing->post();
        QCOMPARE(m_editing->current().month, QStringLiteral("00"));
        Dataset noMonth;
        m_flow->store().open(noMonth, certificate::Table, -1, 0, 2024);
        QCOMPARE(noMonth.recordCount(), 1);
        QCOMPARE(noMonth.asString(u"LCUDCONGUAGLIO"), QStringLiteral("0"));
    }

    void pendingChangesAndNotes_data() { cu::test::TestDatabases::addEngineColumns(); }
    void pendingChangesAndNotes()
    {
        if (!start())
            CU_REQUIRE_DATABASE(m_flow->database());
        m_editing->find(sample::bianchi().fiscalCode);
        const int position = m_editing->list().recNo();
        m_editing->addNote(QStringLiteral("AA"), QStringLiteral("Redditi erogati da altri soggetti"));
        QCOMPARE(m_editing->list().asString(u"SCUDANNOTAZIONI"),
                 QStringLiteral("\r\nAA) Redditi erogati da altri soggetti"));
        QCOMPARE(refusal([&] { m_editing->moveTo(position == 0 ? 1 : 0); }),
                 QStringLiteral("Salvare prima di cambiare modello."));
        QCOMPARE(refusal([&] { m_editing->orderBy(ListOrder::FiscalCode); }),
                 QStringLiteral("Salvare prima di cambiare modello."));
        QCOMPARE(m_editing->list().recNo(), position);
        m_editing->post();

        // A family row with a bad month count stays in edit mode; a pending
        // section row also keeps the certificate.
        SectionEditing& family = m_editing->section(SectionKind::Family);
        family.insert();
        family.setText(QStringLiteral("SCUDMESICARCON"), QStringLiteral("7"));
        QCOMPARE(refusal([&] { family.post(); }), QStringLiteral("Il mese deve essere di 2 cifre"));
        QCOMPARE(refusal([&] { m_editing->moveTo(position == 0 ? 1 : 0); }),
                 QStringLiteral("Salvare prima di cambiare modello."));
        family.setText(QStringLiteral("SCUDMESICARCON"), QStringLiteral("13"));
        QCOMPARE(refusal([&] { family.post(); }),
                 QStringLiteral("Mese non valido, deve essere compreso tra 01 e 12"));
        family.setText(QStringLiteral("SCUDMESICARCON"), QStringLiteral("12"));
        family.post();
        QCOMPARE(family.rows().recordCount(), 1);

        // The section's question decides its delete.
        m_flow->op().queueAnswer(Operator::Answer::No);
        QCOMPARE(refusal([&] { family.remove(); }), QStringLiteral("(silenzioso)"));
        m_flow->op().queueAnswer(Operator::Answer::Yes);
        family.remove();
        QCOMPARE(m_flow->op().questions().last(),
                 QStringLiteral("Confermi la cancellazione della sezione \"congiuge e familiari a carico\"?"));
        QCOMPARE(family.positionText(), QStringLiteral("0 di 0"));
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
        m_flow->writeSingleRow(QStringLiteral("TCUS_DATISOST"),
                               {{QStringLiteral("SSOSFIRMACOM"), QStringLiteral("ANNA BIANCHI")}});
        reopen();
        QCOMPARE(m_editing->signaturesUpdated(), 3);
        QStringList signatures;
        Dataset list;
        m_flow->certificates().openCertificates(list);
        for (list.first(); !list.eof(); list.next())
            signatures << list.asString(u"SCUDDATIANAFIRMA");
        QCOMPARE(signatures, QStringList(3, QStringLiteral("ANNA BIANCHI")));
        QCOMPARE(storedState(*m_flow, sample::rossi().fiscalCode), 1);
        QCOMPARE(m_editing->list().recNo(), 0);
    }
};

QTEST_GUILESS_MAIN(TestCertificateEditing)
#include "test_certificate_editing.moc"
