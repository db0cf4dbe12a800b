#include "workbook/SheetDeflater.h"

#include <QFile>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <climits>

namespace {

// zlib's fastest level: the default level took most of the time of writing a
// large sheet, for a file only a quarter smaller (100,000 rows of eight
// cells: 3.9 MB instead of 5.2 MB).
constexpr int deflateLevel = 1;
// Deflated data goes to the file in pieces of this size.
constexpr qsizetype outSize = 64 * 1024;
// What a ZIP entry deflated at level 1 or 2 says in bits 1 and 2 of its
// general purpose flags ("super fast"), as libzip writes it (APPNOTE 4.4.4).
constexpr zip_uint16_t compressionOptionBits = 3 << 1;
constexpr zip_uint16_t superFastFlags = 2 << 1;
// Version 2.0 of the ZIP format is needed to extract a deflated entry.
constexpr zip_uint8_t deflateVersion = 20;

}  // namespace

SheetDeflater::SheetDeflater(QFile& file) : m_file(file), m_out(outSize, Qt::Uninitialized)
{
    zip_error_init(&m_zipError);
    // Raw deflate (negative window bits: no zlib header), as a ZIP entry holds it.
    m_streamReady = deflateInit2(&m_stream, deflateLevel, Z_DEFLATED, -MAX_WBITS, MAX_MEM_LEVEL, Z_DEFAULT_STRATEGY) == Z_OK;
    m_crc = crc32(0, nullptr, 0);
    m_thread.reset(QThread::create([this] { run(); }));
    m_thread->setObjectName(QStringLiteral("sheet deflate"));
    m_thread->start();
}

SheetDeflater::~SheetDeflater()
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_ending) m_abandoned = true;
        m_ending = true;
    }
    m_work.notify_one();
    m_thread->wait();
    if (m_streamReady) deflateEnd(&m_stream);
    zip_error_fini(&m_zipError);
}

bool SheetDeflater::add(QByteArray& piece)
{
    std::unique_lock lock(m_mutex);
    m_space.wait(lock, [&] { return m_full.size() < queuedPieces || m_failed; });
    if (m_failed) return false;
    m_full.push_back(std::move(piece));
    piece = QByteArray();
    if (!m_free.empty()) {
        piece = std::move(m_free.back());
        m_free.pop_back();
    }
    lock.unlock();
    m_work.notify_one();
    return true;
}

bool SheetDeflater::finish()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_work.notify_one();
    m_thread->wait();
    m_finished = true;
    const std::lock_guard lock(m_mutex);
    return !m_failed;
}

QString SheetDeflater::failure() const
{
    const std::lock_guard lock(m_mutex);
    return m_failure;
}

void SheetDeflater::run()
{
    bool ok = m_streamReady;
    if (!ok) {
        const std::lock_guard lock(m_mutex);
        m_failed = true;
        m_failure = QStringLiteral("zu wenig Arbeitsspeicher");
        m_space.notify_all();
        return;
    }
    for (;;) {
        QByteArray piece;
        {
            std::unique_lock lock(m_mutex);
            m_work.wait(lock, [&] { return !m_full.empty() || m_ending; });
            if (m_abandoned) return;
            if (m_full.empty()) break;
            piece = std::move(m_full.front());
            m_full.pop_front();
        }
        ok = deflatePiece(piece, Z_NO_FLUSH);
        {
            const std::lock_guard lock(m_mutex);
            piece.resize(0);  // keeps its room for the next piece
            m_free.push_back(std::move(piece));
            if (!ok) m_failed = true;
        }
        m_space.notify_one();
        if (!ok) return;
    }
    ok = deflatePiece(QByteArray(), Z_FINISH) && m_file.flush();
    if (!ok) {
        const std::lock_guard lock(m_mutex);
        m_failed = true;
        if (m_failure.isEmpty()) m_failure = m_file.errorString();
    }
}

bool SheetDeflater::deflatePiece(const QByteArray& piece, int flush)
{
    // A piece is far below 4 GiB (the writer hands on about 64 KiB at a time).
    const auto* in = reinterpret_cast<const Bytef*>(piece.constData());
    if (!piece.isEmpty()) m_crc = crc32(m_crc, in, uInt(piece.size()));
    m_size += std::uint64_t(piece.size());
    m_stream.next_in = const_cast<Bytef*>(in);
    m_stream.avail_in = uInt(piece.size());
    for (;;) {
        m_stream.next_out = reinterpret_cast<Bytef*>(m_out.data() + m_outUsed);
        m_stream.avail_out = uInt(m_out.size() - m_outUsed);
        const int status = deflate(&m_stream, flush);
        m_outUsed = m_out.size() - qsizetype(m_stream.avail_out);
        if (status == Z_STREAM_ERROR) {
            const std::lock_guard lock(m_mutex);
            m_failure = QStringLiteral("zlib: %1").arg(QString::fromLatin1(m_stream.msg ? m_stream.msg : "deflate"));
            return false;
        }
        const bool done = flush == Z_FINISH ? status == Z_STREAM_END : m_stream.avail_in == 0 && m_stream.avail_out > 0;
        if ((m_outUsed == m_out.size() || (done && flush == Z_FINISH)) && !writeOut()) return false;
        if (done) return true;
    }
}

bool SheetDeflater::writeOut()
{
    if (m_outUsed == 0) return true;
    if (m_file.write(m_out.constData(), m_outUsed) != m_outUsed) {
        const std::lock_guard lock(m_mutex);
        m_failure = m_file.errorString();
        return false;
    }
    m_compressed += std::uint64_t(m_outUsed);
    m_outUsed = 0;
    return true;
}

zip_source_t* SheetDeflater::source(zip_t* archive)
{
    return zip_source_function(archive, &SheetDeflater::callback, this);
}

zip_int64_t SheetDeflater::callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    return static_cast<SheetDeflater*>(state)->serve(data, length, command);
}

zip_int64_t SheetDeflater::serve(void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    switch (command) {
    case ZIP_SOURCE_OPEN:
        if (!m_finished || !m_file.seek(0)) {
            zip_error_set(&m_zipError, ZIP_ER_SEEK, EIO);
            return -1;
        }
        return 0;
    case ZIP_SOURCE_READ: {
        const qint64 read = m_file.read(static_cast<char*>(data), qint64(std::min<zip_uint64_t>(length, INT_MAX)));
        if (read < 0) {
            zip_error_set(&m_zipError, ZIP_ER_READ, EIO);
            return -1;
        }
        return read;
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_STAT: {
        if (length < sizeof(zip_stat_t)) {
            zip_error_set(&m_zipError, ZIP_ER_INVAL, 0);
            return -1;
        }
        auto* stat = static_cast<zip_stat_t*>(data);
        zip_stat_init(stat);
        stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC | ZIP_STAT_ENCRYPTION_METHOD;
        stat->size = m_size;
        stat->comp_size = m_compressed;
        stat->comp_method = ZIP_CM_DEFLATE;
        stat->crc = zip_uint32_t(m_crc);
        stat->encryption_method = ZIP_EM_NONE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_GET_FILE_ATTRIBUTES: {
        if (length < sizeof(zip_file_attributes_t)) {
            zip_error_set(&m_zipError, ZIP_ER_INVAL, 0);
            return -1;
        }
        auto* attributes = static_cast<zip_file_attributes_t*>(data);
        attributes->valid |= ZIP_FILE_ATTRIBUTES_VERSION_NEEDED | ZIP_FILE_ATTRIBUTES_GENERAL_PURPOSE_BIT_FLAGS;
        attributes->version_needed = deflateVersion;
        attributes->general_purpose_bit_mask = compressionOptionBits;
        attributes->general_purpose_bit_flags = superFastFlags;
        return sizeof(zip_file_attributes_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&m_zipError, data, length);
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_GET_FILE_ATTRIBUTES, -1);
    default:
        zip_error_set(&m_zipError, ZIP_ER_OPNOTSUPP, 0);
        return -1;
    }
}
