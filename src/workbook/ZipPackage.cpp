#include "workbook/ZipPackage.h"

#include "base/RuntimeError.h"

#include <QFile>

#include <zip.h>

namespace {

QString reasonFor(int zipError)
{
    switch (zipError) {
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
        return QStringLiteral("Das ZIP-Archiv der Datei ist beschädigt oder unvollständig.");
    case ZIP_ER_CRC:
        return QStringLiteral("Die Prüfsumme eines Teils der Datei stimmt nicht: die Datei ist beschädigt.");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("Die Datei ist mit einem nicht unterstützten Verfahren komprimiert.");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
        return QStringLiteral("Die Datei ist verschlüsselt.");
    case ZIP_ER_MEMORY:
        return QStringLiteral("Zu wenig Arbeitsspeicher zum Lesen der Datei.");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
        return QStringLiteral("Die Datei kann nicht gelesen werden.");
    default:
        return QStringLiteral("Die Datei ist beschädigt (ZIP-Fehler %1).").arg(zipError);
    }
}

}  // namespace

ZipPackage::ZipPackage(const QString& path)
{
    int error = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!m_zip) throw RuntimeError(reasonFor(error));
}

ZipPackage::~ZipPackage()
{
    if (m_zip) zip_discard(m_zip);
}

bool ZipPackage::contains(const QString& part) const
{
    return zip_name_locate(m_zip, part.toUtf8().constData(), ZIP_FL_NOCASE) >= 0;
}

QByteArray ZipPackage::read(const QString& part) const
{
    const zip_int64_t index = zip_name_locate(m_zip, part.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0) throw RuntimeError(QStringLiteral("Der Teil „%1“ fehlt in der Datei: sie ist beschädigt.").arg(part));
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0) throw RuntimeError(reasonFor(zip_error_code_zip(zip_get_error(m_zip))));
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(maxPartSize))
        throw RuntimeError(QStringLiteral("Der Teil „%1“ der Datei ist zu groß.").arg(part));

    zip_file_t* file = zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file) throw RuntimeError(reasonFor(zip_error_code_zip(zip_get_error(m_zip))));
    QByteArray data;
    char buffer[65536];
    for (;;) {
        const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
        if (n < 0) {
            const int error = zip_error_code_zip(zip_file_get_error(file));
            zip_fclose(file);
            throw RuntimeError(reasonFor(error));
        }
        if (n == 0) break;
        // The size in the archive's directory may lie; the data decides.
        if (data.size() + n > maxPartSize) {
            zip_fclose(file);
            throw RuntimeError(QStringLiteral("Der Teil „%1“ der Datei ist zu groß.").arg(part));
        }
        data.append(buffer, qsizetype(n));
    }
    zip_fclose(file);
    return data;
}
