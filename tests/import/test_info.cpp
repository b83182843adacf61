// The layout of the import log.
#include "import/run/Info.h"

#include <QTest>

using namespace cu;

class TestInfo : public QObject
{
    Q_OBJECT
private slots:
    void twoRemarksOfOnePersonAndSection()
    {
        Info log;
        log.add("ROSSI", "MARIO", "primo", Info::Fiscale);
        log.add("ROSSI", "MARIO", "secondo", Info::Fiscale);
        QCOMPARE(log.lines(),
                 QStringList({"Dipendente ROSSI MARIO", "--- Sezione fiscale", "- primo", "- secondo"}));
    }

    void newSectionOfSamePersonStartsWithEmptyLine()
    {
        Info log;
        log.add("ROSSI", "MARIO", "a", Info::Fiscale);
        log.add("ROSSI", "MARIO", "b", Info::Autonomo);
        QCOMPARE(log.lines(), QStringList({"Dipendente ROSSI MARIO", "--- Sezione fiscale", "- a", "",
                                           "--- Dati autonomo", "- b"}));
    }

    void sectionTitleWrittenOnceForTheWholeLog()
    {
        Info log;
        log.add("ROSSI", "MARIO", "a", Info::Familiari);
        log.add("BIANCHI", "ANNA", "b", Info::Familiari);
        log.add("BIANCHI", "ANNA", "c", Info::InpsPubblica);
        QCOMPARE(log.lines(),
                 QStringList({"Dipendente ROSSI MARIO", "--- Sezione familiari a carico per detrazioni",
                              "- a", "", "Dipendente BIANCHI ANNA", "- b", "",
                              "--- INPS Sezione 2 - Gestione Pubblica", "- c"}));
    }

    void clearForgetsPersonAndSections()
    {
        Info log;
        log.add("ROSSI", "MARIO", "a", Info::Fiscale);
        log.clear();
        QVERIFY(log.isEmpty());
        log.add("ROSSI", "MARIO", "b", Info::Fiscale);
        QCOMPARE(log.lines(), QStringList({"Dipendente ROSSI MARIO", "--- Sezione fiscale", "- b"}));
        QCOMPARE(log.text(), QString("Dipendente ROSSI MARIO\r\n--- Sezione fiscale\r\n- b"));
    }
};

QTEST_GUILESS_MAIN(TestInfo)
#include "test_info.moc"
