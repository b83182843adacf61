// Benchmark of the telematic file: the production of N certificates built
// directly into the production's datasets (no store; past 99,999 in several
// supplies), with its peak memory, and the verification of a large
// synthetic file.
//   bench_telematic produce N       (default 10000)
//   bench_telematic verify MEGABYTES (default 1024)
#include "foundation/operator/ScriptedOperator.h"
#include "foundation/text/Currency.h"
#include "support/TelematicTestSupport.h"
#include "support/TestInstallation.h"
#include "support/TestSupport.h"
#include "telematic/ProducerSetting.h"
#include "telematic/TelematicProduction.h"
#include "telematic/TelematicVerifier.h"
#include "telematic/layouts/FieldNumbers.h"
#include "telematic/layouts/FileLayouts.h"
#include "telematic/layouts/FormatField.h"
#include "telematic/layouts/RecordLayout.h"
#include "telematic/layouts/FileText.h"
#include "telematic/records/SupplyRecords.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

using namespace cu;

namespace {

QVariant amount(qint64 cents)
{
    return QVariant::fromValue(Currency::fromRaw(cents * 100));
}

long peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// A typical certificate: personal and fiscal data, an INPS row, a family row
// for one in three, annotations for one in five, self-employment for one in ten.
void fill(TelematicData& data, int certificates)
{
    test::fillAgentAndSupplier(data);
    for (int i = 1; i <= certificates; ++i) {
        QVariantMap fiscal{{QStringLiteral("fCudReddDetr"), amount(2500000 + i)},
                           {QStringLiteral("iCudPeriodoLav"), qint64(365)},
                           {QStringLiteral("fCudRitIrpef"), amount(450000 + i)},
                           {QStringLiteral("fCudAddRegIrpef"), amount(38000)},
                           {QStringLiteral("fCudAddComIrpef"), amount(12000)},
                           {QStringLiteral("FCUDIMPLORDA"), amount(500000)},
                           {QStringLiteral("FCUDDETRDIPPENSREDD"), amount(120000)},
                           {QStringLiteral("FCUDTOTDETR"), amount(120000)},
                           {QStringLiteral("LCUDINFORZA3112"), QStringLiteral("X")},
                           {QStringLiteral("SCUDCOMDFAP"), QStringLiteral("ROMA")},
                           {QStringLiteral("SCUDPROVDFAP"), QStringLiteral("RM")}};
        if (i % 5 == 0)
            fiscal[QStringLiteral("SCUDANNOTAZIONI")] = QStringLiteral("AA) prima nota\r\nAB) seconda nota");
        test::appendCertificate(data, i, fiscal);
        test::appendRow(data.get(u"cdsInps"),
                        {{QStringLiteral("iAfiID"), qint64(i)},
                         {QStringLiteral("sCudMatrAzienda"), QStringLiteral("1234567890")},
                         {QStringLiteral("FCUDIMPONIBILE"), amount(2600000)},
                         {QStringLiteral("fCudContribTratt"), amount(240000)},
                         {QStringLiteral("lCudMesiRetr"), QStringLiteral("X")}});
        if (i % 3 == 0)
            test::appendRow(data.conFamCar(),
                            {{QStringLiteral("iAfiID"), qint64(i)},
                             {QStringLiteral("LCUDRELPARCON"), QStringLiteral("1")},
                             {QStringLiteral("SCUDCODFISCON"), test::personalCode(i + 20000)},
                             {QStringLiteral("SCUDMESICARCON"), QStringLiteral("12")}});
        if (i % 10 == 0)
            test::appendRow(data.autSe(), {{QStringLiteral("iAfiID"), qint64(i)},
                                           {QStringLiteral("SCAUCODICE"), QStringLiteral("A")},
                                           {QStringLiteral("FDSE7AMMLORDO"), amount(150000)},
                                           {QStringLiteral("FDSE7IMPONIBILE"), amount(150000)},
                                           {QStringLiteral("FDSE7RITTITACC"), amount(30000)}});
    }
}

int produce(int certificates, QTextStream& out)
{
    test::TestInstallation installation;
    installation.writeNotes({QStringLiteral("AA"), QStringLiteral("AB")});
    setProducerFiscalCode(installation.folders(), test::Producer);
    ScriptedOperator op;
    TelematicProduction production(installation.folders(), op);
    test::defineTables(production.data());
    QElapsedTimer timer;
    timer.start();
    fill(production.data(), certificates);
    const qint64 filled = timer.restart();
    const qint64 peakFilled = peakMemoryKb() / 1024;
    const QVector<int> positions = production.choose({});
    production.createFieldList(positions);
    const qint64 created = timer.restart();
    const qint64 peakCreated = peakMemoryKb() / 1024;
    const QStringList files = production.save(installation.folders().dichCU() + QStringLiteral("CUR25"));
    const qint64 saved = timer.restart();
    const FileLayouts layouts(installation.folders());
    int defects = 0;
    for (const QString& file : files)
        defects += TelematicVerifier(layouts).verify(file).defectCount;
    out << QStringLiteral(
               "certificazioni %1: dati %2 ms, elenco campi %3 ms, salvataggio %4 ms, totale produzione %5 "
               "ms, %6 file, %7 difetti, memoria massima %8 MB (dopo i dati %9 MB, dopo l'elenco campi %10 "
               "MB); %11\n")
               .arg(certificates)
               .arg(filled)
               .arg(created)
               .arg(saved)
               .arg(created + saved)
               .arg(files.size())
               .arg(defects)
               .arg(peakMemoryKb() / 1024)
               .arg(peakFilled)
               .arg(peakCreated)
               .arg(production.log().last());
    return defects == 0 ? 0 : 1;
}

// The head of a certificate line as its positional fields place it: the
// record letter, agent, module, recipient and certificate number where the
// layout puts them, every other field as its layout's constant.
QByteArray certificateHead(const QVector<PositionedField>& fields, const QByteArray& recipient,
                           int certificate, int module)
{
    QByteArray head;
    for (const PositionedField& p : fields) {
        const QString number = p.field.code();
        QString value = p.field.info == u"OF" ? p.field.fixed : QString();
        if (number == fieldnumbers::Module)
            value = QString::number(module);
        else if (number == fieldnumbers::Recipient)
            value = QString::fromLatin1(recipient);
        else if (number == fieldnumbers::Certificate)
            value = QString::number(certificate);
        else if (p.field.cds == u"cdsSost")
            value = QStringLiteral("80012345676");
        else if (p.field.format == u"CP")
            value = QStringLiteral("0");
        head += text::unmarked(FormatField(value, p.field.width, p.field.format, p.field.info)).toLatin1();
    }
    return head;
}

// A valid file of about the given size: A, B, then for each of up to 99,999
// certificates (the most a supply numbers) a D line and as many G modules
// (75 amounts of the layout each) as the size needs, Z with the counters.
QString writeSyntheticFile(const QString& path, qint64 megabytes, const Folders& folders)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return path;
    TelematicData data;
    test::defineTables(data);
    test::fillAgentAndSupplier(data);
    data.forn().first();
    data.sost().first();
    const qint64 lines = megabytes * 1024 * 1024 / 1900;
    const int certificates = int(std::min<qint64>(99999, std::max<qint64>(1, lines / 2)));
    const int modules = int(std::max<qint64>(1, lines / certificates - 1));
    const auto write = [&file](const QString& text) { file.write(text.toLatin1() + "\r\n"); };
    ScriptedOperator op;
    write(patchRecordA(loadRecordA(folders), writeRecordA(loadRecordA(folders), data.forn(), op), 0, 0));
    write(patchRecordB(
        loadRecordB(folders),
        writeRecordB(loadRecordB(folders), data.sost(), false, QStringLiteral("01234567897"), op),
        certificates, 0));
    QByteArray amounts;
    const QVector<PositionedField> headD = FileLayouts::positionedFields(loadRecordD(folders));
    const RecordLayout layoutG = loadRecordG(folders);
    const QVector<PositionedField> headG = FileLayouts::positionedFields(layoutG);
    for (const LayoutSection& section : layoutG.sections())
        for (const LayoutField& f : section.fields)
            if (f.format == u"VP" && f.cds == u"cdsDip" && amounts.size() < 75 * 24)
                amounts += f.code().toLatin1() + QByteArray("1234,56").rightJustified(16);
    for (int i = 1; i <= certificates; ++i) {
        const QByteArray recipient = test::personalCode(i % 17000).toLatin1();
        file.write(("D" + certificateHead(headD, recipient, i, 1).mid(1) + "DA002001" + recipient)
                       .leftJustified(1897, ' ') +
                   "A\r\n");
        for (int module = 1; module <= modules; ++module)
            file.write(("G" + certificateHead(headG, recipient, i, module).mid(1) + amounts)
                           .leftJustified(1897, ' ') +
                       "A\r\n");
    }
    write(patchRecordZ(loadRecordZ(folders), writeRecordZ(loadRecordZ(folders), op),
                       {{u'B', 1}, {u'D', certificates}, {u'G', certificates * modules}}));
    return path;
}

int verify(qint64 megabytes, QTextStream& out)
{
    test::TestInstallation installation;
    const FileLayouts layouts(installation.folders());
    const QString path = writeSyntheticFile(installation.root() + QStringLiteral("/synthetic"), megabytes,
                                            installation.folders());
    const qint64 size = QFileInfo(path).size();
    QElapsedTimer timer;
    timer.start();
    const VerifyReport report = TelematicVerifier(layouts).verify(path);
    const qint64 elapsed = timer.elapsed();
    out << QStringLiteral("verifica di %1 MB (%2 righe): %3 ms, %4 difetti\n")
               .arg(size / (1024 * 1024))
               .arg(report.lines)
               .arg(elapsed)
               .arg(report.defectCount);
    for (const QString& d : report.defects.mid(0, 5))
        out << "  " << d << '\n';
    return report.ok() ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = app.arguments().mid(1);
    const QString mode = args.value(0, QStringLiteral("produce"));
    if (mode == u"verify")
        return verify(args.value(1, QStringLiteral("1024")).toLongLong(), out);
    return produce(args.value(1, QStringLiteral("10000")).toInt(), out);
}
