// The column lists of the tables that the demo archive fills.
#include "import/demo/ArchiveTables.h"

namespace cu::demo {

namespace {

QStringList cols(const char* list)
{
    return QString::fromLatin1(list).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

ArchiveTables::ArchiveTables(Connection& c)
    : persons(c, QStringLiteral("TANA_ANAGRAFE"),
              cols("IANAID SANACAGCODE SANACODFISCALE SANACOGNOME SANANOME ISEXID DANANASCITA ICOMID_NAS "
                   "ISTAID_NAS")),
      addresses(c, QStringLiteral("TABT_ABITAZIONI"),
                cols("IABTID IANAID ILOCID SABTINDIRIZZO ICOMID ICAPID DABTDAL")),
      periods(c, QStringLiteral("TANAPER_ANAPERIODI"),
              cols("IANAPERID IANAID IDWGID ICALID IQARID DANAPERDAL DANAPERAL")),
      positions(c, QStringLiteral("TACOM_ANACOMPENSI"),
                cols("IACOMID IANAPERID IANFID ITNOID LACOMMINIMI IACOMDURATARAPP DACOMINIRAPP DACOMFINERAPP "
                     "IACOMSOGGENPALS LACOMBORSADOTTORATO")),
      registers(
          c, QStringLiteral("TREGS_REGISTRI"),
          cols("IREGSID IACOMID IANFID IMESID ITNOID ICOTID ICOSID IREGSGRUPPO IREGSGIORNI IREGSASSENZE "
               "DREGSDAL DREGSAL LREGSEXPCSFA SREGSCAUSALE")),
      withholdings(c, QStringLiteral("TVARR_VARRITENUTE"),
                   cols("IVARRID IREGSID IRICEID IVARMID ICOMRID FVARRRITDIP FVARRRITAMM FVARRIMPONIBILEDIP "
                        "FVARRIMPONIBILEAMM FVARRPERCIMPDIP FVARRPERCIMPAMM FVARRLORDO")),
      items(c, QStringLiteral("TVACR_VALORICOMPENSI"), cols("IVACRID IREGSID ICOMRID FVACRLORDO")),
      monthlyDeductions(
          c, QStringLiteral("TADEM_DETRMENSILI"),
          cols("IADEMID IREGSID FADETIMPCONCAR FADETIMPFIGLICAR FADETIMPALTRICAR FADETIMPLAVDIP "
               "FADETIMPLAVAGG")),
      adjustments(
          c, QStringLiteral("TCONG_CONGUAGLI"),
          cols("ICONGID IACOMID IMESID FCONGRITLORDA FCONGRITNETTA FCONGIMPONIBILE_T FCONGIMPONIBILE_P "
               "FCONGGIORNI FCONGADDCOM_DOV FCONGADDREG_DOV FCONGIMPCONCAR FCONGIMPFIGLICAR "
               "FCONGIMPALTRICAR FCONGIMPLAVDIP FCONGIMPLAVAGG FCONGDETRAZIONI FCONGDETFAMNUM "
               "FCONGCREFAMNUM FCONGCNRFAMNUM FCONGDETCANONE FCONGCRECANONE FCONGCNRCANONE "
               "FCONGBONUS66_DOV")),
      familyDeductions(c, QStringLiteral("TADET_DETRAZIONI"),
                       cols("IADETID IANAID IANFID LADETCONCAR SADETCFCONCAR IADETMESICONCAR IADETFIGLI "
                            "IADETALTRI SADETCFALTRICAR1 LADETALTRIHANDYCAP1 SADETCFALTRICAR2 "
                            "LADETALTRIHANDYCAP2 IADETMESIALTRI FADETPERCALTRI LADETMANCAGENITORE")),
      familyMembers(c, QStringLiteral("TADEF_FAMILIARI"),
                    cols("IADEFID IADETID SADEFCODFISC SADEFCOGNOME SADEFNOME IADEFORDINE IMESDAL IMESAL "
                         "FDEFPERC LADEFHANDYCAP LADEFAFFIDO100 IADEFMESIMIN3 IADEFMESIGF IADEFMESIALTRI")),
      noipa(
          c, QStringLiteral("TCFSA_LIQNOIPA"),
          cols("ICFSAID IREGSID IACOMID IANFID ICFSAMESELIQUIDAZ LINPDAPNOIPADICH SCFSAGESASS1 SCFSAGESASS2 "
               "SCFSAGESASS3 FCFSAIMPONPENS FCFSARITPENS FCFSACONTRAMMPENS FCFSAIMPONOPERAP "
               "FCFSARITAMMOPERAP FCFSAIMPONFONDOC FCFSARITFONDOC")),
      fundAdhesions(c, QStringLiteral("TAFP_ADESIONIFP"), cols("IAFPID IANAID DAFPADESIONE SAFPFONDO")),
      calendar(c, QStringLiteral("TCALP_CALENDARIO"), cols("ICALPID IACOMID DCALPGIORNO"))
{
}

QVector<InsertWriter*> ArchiveTables::all()
{
    return {&persons,       &addresses, &periods,           &positions,   &registers,
            &withholdings,  &items,     &monthlyDeductions, &adjustments, &familyDeductions,
            &familyMembers, &noipa,     &fundAdhesions,     &calendar};
}

void ArchiveTables::flush()
{
    for (InsertWriter* w : all())
        w->flush();
}

qint64 ArchiveTables::rowsWritten()
{
    qint64 total = 0;
    for (const InsertWriter* w : all())
        total += w->rowsWritten();
    return total;
}

} // namespace cu::demo
