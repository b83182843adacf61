// The import on a payroll archive with hostile values, on SQLite and
// PostgreSQL: control characters in the archive's texts are cleaned with a
// remark naming the person and the column; missing surname or birth date
// is remarked; a negative amount is kept out of a positive-only field with
// a remark; a text or an amount beyond the file's limit where an amount
// belongs refuses the person, naming the column (SQLite keeps such values
// where PostgreSQL's numeric columns refuse them).
#include "DemoImport.h"
#include "support/TestDatabases.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTest>

using namespace Qt::StringLiterals;

using namespace cu;
using namespace cu::test;

namespace {

struct Hostile
{
    const char* name;
    const char* sql; // binds :V
    QVariant value;
    bool sqliteOnly;
    const char* expected; // in the log (imported) or in the stop message (refused)
    bool refused;
};

const Hostile Cases[] = {
    {"control characters", "UPDATE TANA_ANAGRAFE SET SANACOGNOME = :V", u"ROSSI\r\n\tBIS\x7f"_s, false,
     "Cognome o denominazione (SCUDCOGNOME): caratteri di controllo", false},
    {"blank surname", "UPDATE TANA_ANAGRAFE SET SANACOGNOME = :V", u"  "_s, false, "cognome mancante", false},
    {"no birth date", "UPDATE TANA_ANAGRAFE SET DANANASCITA = :V", QVariant(QMetaType::fromType<QDate>()),
     false, "data di nascita mancante o non valida", false},
    {"negative withholding", "UPDATE TVARR_VARRITENUTE SET FVARRRITDIP = :V", -250, false,
     "importo negativo -", false},
    {"text amount", "UPDATE TVARR_VARRITENUTE SET FVARRRITDIP = :V", u"abc"_s, true,
     "colonna FVARRRITDIP della tabella TVARR_VARRITENUTE dei dati retributivi: \"abc\"", true},
    {"amount with two commas", "UPDATE TVACR_VALORICOMPENSI SET FVACRLORDO = :V", u"12,3,4"_s, true,
     "colonna FVACRLORDO della tabella TVACR_VALORICOMPENSI", true},
    {"amount beyond the limit", "UPDATE TVARR_VARRITENUTE SET FVARRLORDO = :V, FVARRIMPONIBILEDIP = :V",
     u"20000000000000"_s, true, "oltre il limite di 9.999.999.999.999,99", true},
};

} // namespace

class TestHostileArchive : public QObject
{
    Q_OBJECT
private slots:
    void hostileValues_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<int>("index");
        for (const QString& engine : TestDatabases::engines())
            for (int i = 0; i < int(std::size(Cases)); ++i)
                if (!Cases[i].sqliteOnly || engine == TestDatabases::Sqlite)
                    QTest::newRow(qPrintable(engine + u": "_s + QLatin1String(Cases[i].name))) << engine << i;
    }
    void hostileValues()
    {
        QFETCH(QString, engine);
        QFETCH(int, index);
        const Hostile& hostile = Cases[index];
        TestDatabase db(engine);
        CU_REQUIRE_DATABASE(db);
        Connection connection;
        connection.open(db.params());
        {
            DemoImport demo(connection);
            demo.createArchive(6);
            QSqlQuery change(connection.database());
            QVERIFY(change.prepare(QString::fromLatin1(hostile.sql)));
            change.bindValue(u":V"_s, hostile.value);
            QVERIFY2(change.exec(), qPrintable(change.lastError().text()));

            ImportParameters always;
            always.overwrite = OverwritePolicy::Always;
            const ImportOutcome outcome = demo.import(always);
            QStringList stops;
            for (const ScriptedOperator::Message& message : demo.op().messages())
                if (message.stop)
                    stops.append(message.text);
            const QString expected = QString::fromUtf8(hostile.expected);
            const QString said = (hostile.refused ? stops : outcome.lines).join(u'\n');
            QVERIFY2(said.contains(expected), qPrintable(said));
            if (hostile.refused) {
                QVERIFY(outcome.failed > 0);
                QVERIFY(stops.first().startsWith(u"Controllare i dati del dipendente:"));
            }
            // Nothing that the file refuses was stored (the annotations'
            // summary is made of lines by the program).
            for (const QString& line : demo.dump())
                for (const QString& field : line.split(u'|'))
                    QVERIFY2(field.startsWith(u"SCUDANNOTAZIONI=") ||
                                 (!field.contains(u'\r') && !field.contains(u"\\n"_s) &&
                                  !field.contains(u'\t') && !field.contains(QChar(0x7f)) &&
                                  !field.contains(u"=-")),
                             qPrintable(field));
        }
        connection.close();
    }
};

QTEST_GUILESS_MAIN(TestHostileArchive)
#include "test_hostile_archive.moc"
