// The datasets of a file production (the certificates, their sections, the
// agent, the CT form and the supplier) under the component names that the
// layouts name in their Cds attributes ("cdsDip", "cdsInps", ...), and the
// tables of the certificate store they are loaded from.
#pragma once

#include "foundation/dataset/Dataset.h"

#include <QString>
#include <QStringList>
#include <map>
#include <memory>

namespace cu {

class HlmDBCds;

class TelematicData
{
public:
    TelematicData();
    ~TelematicData();

    // Component names in load order, and the store table of each.
    static const QStringList& componentNames();
    static QString tableOf(const QString& componentName);
    // The section datasets matched to a certificate by person (iAfiID).
    static const QStringList& personSectionNames();
    // The seven datasets whose rows make the modules of record G.
    static const QStringList& moduleSectionNames();

    // Opens every table for the store's year, all months; the certificates
    // ordered by SCUDCODFIS.
    void load(HlmDBCds& store);

    // The columns the certificates can be ordered by (the wizard's list):
    // SCUDCODFIS, SCUDCOGNOME, SCUDNOME, DCUDDATANAS.
    static const QStringList& orderColumns();
    // Orders the certificates by one of those columns (any case), ties by
    // the fiscal code; the certificate numbers of the file follow this
    // order. Another name is an EZfError that lists the allowed ones.
    void orderCertificates(const QString& column);

    // FindSectionDataSet: the dataset of a component name, compared without
    // regard to case; null when there is none.
    Dataset* find(QStringView componentName);
    Dataset& get(QStringView componentName);

    Dataset& dip() { return get(u"cdsDip"); }
    Dataset& sost() { return get(u"cdsSost"); }
    Dataset& forn() { return get(u"cdsForn"); }
    Dataset& quadroCT() { return get(u"cdsQuadroCT"); }
    Dataset& conFamCar() { return get(u"cdsConFamCar"); }
    Dataset& autSe() { return get(u"cdsAutSe"); }
    Dataset& annotazioni() { return get(u"cdsAnnotazioni"); }

private:
    std::map<QString, std::unique_ptr<Dataset>> m_datasets; // by upper-cased name
};

} // namespace cu
