// A demo installation whose agent, representative, signature, CT form and
// supplier are empty, on SQLite and on PostgreSQL: filled in through the
// windows only (and one certificate edited through "Dati CU"), the telematic
// file is produced; the same done through the editing commands on a second
// installation stores the same rows.
#include "EditorFixture.h"
#include "app/CommandLine.h"
#include "certificates/CertificateKey.h"
#include "shell/editors/ElfBase.h"
#include "shell/editors/EliCud.h"
#include "shell/editors/EliFornitore.h"
#include "shell/editors/EliQuaCT.h"
#include "shell/editors/EliSost.h"
#include "support/TestDatabases.h"

#include <QPushButton>
#include <QTabWidget>

using namespace cu;
using namespace cu::test;
using namespace Qt::StringLiterals;

namespace {

using Values = QVector<std::pair<QString, QString>>;

const Values Agent = {
    {u"SSOSCODFIS"_s, u"97184520589"_s},       {u"SSOSDENOM"_s, u"ISTITUTO COMPRENSIVO DANTE"_s},
    {u"SSOSTELFAX"_s, u"061234567"_s},         {u"SSOSEMAIL"_s, u"rmic8ab00x@istruzione.it"_s},
    {u"SSOSINDIRIZZO"_s, u"VIA ROMA, 1"_s},    {u"SSOSCAP"_s, u"00100"_s},
    {u"SSOSPROV"_s, u"RM"_s},                  {u"SSOSCOMUNE"_s, u"ROMA"_s},
    {u"SSOSCODATTIVITA"_s, u"852000"_s},       {u"SSOSCFRAPPR"_s, u"RSSMRA70A01H501S"_s},
    {u"SCARCODICE"_s, u"1"_s},                 {u"SSOSCOGNRAPPR"_s, u"ROSSI"_s},
    {u"SSOSNOMERAPPR"_s, u"MARIO"_s},          {u"SSOSFIRMACOM"_s, u"MARIO ROSSI"_s},
};
const Values CtForm = {{u"SCTCODFIS"_s, u"97184520589"_s}, {u"SCTEMAIL"_s, u"segreteria@scuola.it"_s}};
const Values Supplier = {{u"SFORCODFIS"_s, u"97184520589"_s}, {u"STFOCODICE"_s, u"01"_s}};
const QStringList Tables = {u"TCUS_DATISOST"_s, u"TCUCT_DATICT"_s, u"TCFO_FORNITORE"_s};

QStringList assignments(const Values& values)
{
    QStringList pairs;
    for (const auto& [column, text] : values)
        pairs << column + u'=' + text;
    return pairs;
}

// An imported demo installation of one engine without agent, CT form and supplier.
std::unique_ptr<DemoOnDatabase> emptiedDemo(const ConnectionParams& params)
{
    auto demo = std::make_unique<DemoOnDatabase>(params, 3);
    const Run run = demo->modellocu({u"import"_s, u"--sovrascrivi"_s, u"sempre"_s});
    if (run.status != 0)
        qFatal("import: %s", qPrintable(run.err));
    demo->empty(Tables);
    return demo;
}

// Inserts the row of an empty table through its window.
template <typename Window> void fill(EditingContext& context, const Values& values)
{
    Window window(context);
    showActive(window);
    QTest::mouseClick(buttonNamed(window.frame(), u"Inserisci"_s), Qt::LeftButton);
    for (const auto& [column, text] : values)
        typeInto(window.frame()->form()->field(column), text);
    QTest::mouseClick(buttonNamed(window.frame(), u"Salva"_s), Qt::LeftButton);
    QVERIFY2(!window.editing().isEditing(), qPrintable(window.windowTitle()));
}

// The desktop program's session on the demo's database.
struct WindowSession
{
    explicit WindowSession(const DemoOnDatabase& demo)
    {
        QStringList args = demo.arguments({u"-"_s}).mid(1);
        session = std::make_unique<InstallationSession>(
            Folders(demo.root()), op,
            ProgramIdentity{u"modellocu-gui"_s, QStringLiteral(MODELLOCU_VERSION), u"Modello CU 2025"_s},
            [](const QString&, const QStringList&) { return false; });
        if (!session->open(ConnectionSettings::load(Folders(demo.root()), args), 2024))
            qFatal("the demo installation did not open");
        lavoro = std::make_unique<LavoroCorrente>(
            LavoroCorrente{session->context(), op, QStringLiteral("2024"), QString()});
        context = std::make_unique<EditingContext>(*lavoro);
    }
    DialogOperator op;
    std::unique_ptr<InstallationSession> session;
    std::unique_ptr<LavoroCorrente> lavoro;
    std::unique_ptr<EditingContext> context;
};

} // namespace

class TestFreshInstallation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installItalian(*QCoreApplication::instance()); }

    void windowsAndCommandsStoreTheSame_data() { TestDatabases::addEngineColumns(); }
    void windowsAndCommandsStoreTheSame()
    {
        QFETCH(QString, engine);
        TestDatabase throughWindows(engine);
        CU_REQUIRE_DATABASE(throughWindows);
        TestDatabase throughCommands(engine);
        const auto byWindows = emptiedDemo(throughWindows.params());
        QString certificate;
        {
            WindowSession windows(*byWindows);
            fill<EliSost>(*windows.context, Agent);
            fill<EliQuaCT>(*windows.context, CtForm);
            fill<EliFornitore>(*windows.context, Supplier);
            EliCud window(*windows.context);
            showActive(window);
            const Dataset& list = window.editing().list();
            certificate = list.asString(u"SCUDCODFIS") + u'/' + list.asString(u"SCUDMESE");
            window.pages()->setCurrentIndex(1);
            typeInto(window.field(certificate::Table, u"SCUDCOMNAS"_s), u"FIRENZE"_s);
            window.pages()->setCurrentIndex(2);
            typeInto(window.field(certificate::Table, u"fCudReddDetr"_s), u"12345,5"_s);
            QTest::mouseClick(window.command(u"Salva"_s), Qt::LeftButton);
            QVERIFY(!window.editing().isEditing());
        }
        const Run file = byWindows->modellocu({u"file"_s});
        QVERIFY2(file.status == 0, qPrintable(file.err));

        const auto byCommands = emptiedDemo(throughCommands.params());
        for (const auto& [command, values] :
             {std::pair{u"sostituto"_s, Agent}, {u"quadro-ct"_s, CtForm}, {u"fornitore"_s, Supplier}}) {
            const Run run = byCommands->modellocu(QStringList{command, u"set"_s, u"--yes"_s} + assignments(values));
            QVERIFY2(run.status == 0, qPrintable(command + u": "_s + run.err));
        }
        const Run set = byCommands->modellocu({u"certificato"_s, u"set"_s, u"--cf"_s, certificate,
                                               u"SCUDCOMNAS=FIRENZE"_s, u"fCudReddDetr=12345,50"_s});
        QVERIFY2(set.status == 0, qPrintable(set.err));
        QCOMPARE(byCommands->modellocu({u"file"_s}).status, 0);

        const QStringList stored = Tables + QStringList{certificate::Table};
        const QString rows = byWindows->rows(stored).join(u'\n');
        for (const QString& filled : {u"SCUDCOMNAS=FIRENZE"_s, u"SSOSFIRMACOM=MARIO ROSSI"_s, u"STFOCODICE=01"_s})
            QVERIFY2(rows.contains(filled), qPrintable(filled));
        QCOMPARE(byWindows->rows(stored), byCommands->rows(stored));
    }
};

QTEST_MAIN(TestFreshInstallation)
#include "test_fresh_installation.moc"
