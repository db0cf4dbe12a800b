#include "workbook/ZipPackage.h"

#include "base/RuntimeError.h"

#include <QFile>

#include <algorithm>

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
    // libzip and GLib take file names in UTF-8, on Windows too.
    m_zip = zip_open(path.toUtf8().constData(), ZIP_RDONLY, &error);
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
    ZipPart device(*this, part);
    QByteArray data = device.readAll();
    device.throwFault();
    return data;
}

ZipPart::ZipPart(const ZipPackage& package, const QString& part) : m_part(part)
{
    const zip_int64_t index = zip_name_locate(package.m_zip, part.toUtf8().constData(), ZIP_FL_NOCASE);
    if (index < 0) throw RuntimeError(QStringLiteral("Der Teil „%1“ fehlt in der Datei: sie ist beschädigt.").arg(part));
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(package.m_zip, zip_uint64_t(index), 0, &stat) != 0)
        throw RuntimeError(reasonFor(zip_error_code_zip(zip_get_error(package.m_zip))));
    if ((stat.valid & ZIP_STAT_SIZE) && stat.size > zip_uint64_t(ZipPackage::maxPartSize))
        throw RuntimeError(QStringLiteral("Der Teil „%1“ der Datei ist zu groß.").arg(part));
    m_file = zip_fopen_index(package.m_zip, zip_uint64_t(index), 0);
    if (!m_file) throw RuntimeError(reasonFor(zip_error_code_zip(zip_get_error(package.m_zip))));
    open(QIODevice::ReadOnly);
}

ZipPart::~ZipPart()
{
    if (m_file) zip_fclose(m_file);
}

void ZipPart::throwFault() const
{
    if (!m_fault.isEmpty()) throw RuntimeError(m_fault);
}

qint64 ZipPart::readData(char* data, qint64 maxSize)
{
    if (!m_fault.isEmpty()) return -1;
    const zip_int64_t n = zip_fread(m_file, data, zip_uint64_t(std::min<qint64>(maxSize, 65536)));
    if (n < 0) {
        m_fault = reasonFor(zip_error_code_zip(zip_file_get_error(m_file)));
        return -1;
    }
    if (n == 0) return -1;  // the part's end
    // The size in the archive's directory may lie; the data decides.
    m_read += n;
    if (m_read > ZipPackage::maxPartSize) {
        m_fault = QStringLiteral("Der Teil „%1“ der Datei ist zu groß.").arg(m_part);
        return -1;
    }
    return qint64(n);
}
