// Type and size of a file read as a telematic supply.
#include "telematic/SupplyFileGuard.h"

#include "foundation/operator/Errors.h"

#include <QFile>
#include <filesystem>

namespace cu {

void requireSupplyFile(const QString& path)
{
    if (path.isEmpty())
        throw EZfError(QStringLiteral("Nome del file telematico mancante"));
    std::error_code failure;
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    const std::filesystem::file_status status = std::filesystem::status(file, failure);
    if (failure || !std::filesystem::exists(status))
        throw EZfError(QStringLiteral("Il file %1 non esiste").arg(path));
    if (std::filesystem::is_directory(status))
        throw EZfError(QStringLiteral("%1 è una cartella, non un file telematico").arg(path));
    if (!std::filesystem::is_regular_file(status))
        throw EZfError(
            QStringLiteral(
                "%1 non è un file ordinario (dispositivo, FIFO o socket): non è un file telematico")
                .arg(path));
    const std::uintmax_t size = std::filesystem::file_size(file, failure);
    if (failure)
        throw EZfError(QStringLiteral("Impossibile leggere la dimensione del file %1").arg(path));
    if (size > std::uintmax_t(MaxSupplyFileBytes))
        refuseOversizedSupplyFile(path);
}

void refuseOversizedSupplyFile(const QString& path)
{
    throw EZfError(QStringLiteral("Il file %1 supera %2 byte, più di quanti ne occupi una fornitura di "
                                  "99.999 certificazioni: non è un file telematico")
                       .arg(path)
                       .arg(MaxSupplyFileBytes));
}

} // namespace cu
