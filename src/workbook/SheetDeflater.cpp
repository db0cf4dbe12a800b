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
// What a ZIP entry deflated at level 1 or 2 says in bits 1 and 2 of its
// general purpose flags ("super fast"), as libzip writes it (APPNOTE 4.4.4).
constexpr zip_uint16_t compressionOptionBits = 3 << 1;
constexpr zip_uint16_t superFastFlags = 2 << 1;
// Version 2.0 of the ZIP format is needed to extract a deflated entry.
constexpr zip_uint8_t deflateVersion = 20;

}  // namespace

SheetDeflater::SheetDeflater(QFile& file) : m_file(file)
{
    zip_error_init(&m_zipError);
    m_crc = crc32(0, nullptr, 0);
    for (int i = 0; i < threads; ++i) {
        m_threads.emplace_back(QThread::create([this] { run(); }));
        m_threads.back()->setObjectName(QStringLiteral("sheet deflate"));
        m_threads.back()->start();
    }
}

SheetDeflater::~SheetDeflater()
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_ending) m_abandoned = true;
        m_ending = true;
    }
    m_work.notify_all();
    for (const auto& thread : m_threads) thread->wait();
    zip_error_fini(&m_zipError);
}

bool SheetDeflater::add(QByteArray& piece)
{
    QByteArray xml = std::move(piece);
    piece = QByteArray();
    {
        const std::lock_guard lock(m_mutex);
        if (!m_free.empty()) {
            piece = std::move(m_free.back());
            m_free.pop_back();
        }
    }
    return enqueue(std::move(xml), false);
}

bool SheetDeflater::enqueue(QByteArray&& xml, bool last)
{
    std::unique_lock lock(m_mutex);
    m_space.wait(lock, [&] { return m_added - m_written < pendingPieces || m_failed; });
    if (m_failed) return false;
    m_waiting.push_back({m_added++, std::move(xml), last});
    lock.unlock();
    m_work.notify_one();
    return true;
}

bool SheetDeflater::finish()
{
    // An empty last piece ends the stream (a final empty block).
    const bool queued = enqueue(QByteArray(), true);
    {
        const std::lock_guard lock(m_mutex);
        m_ending = true;
    }
    m_work.notify_all();
    for (const auto& thread : m_threads) thread->wait();
    m_finished = true;
    const std::lock_guard lock(m_mutex);
    if (queued && !m_failed && m_written != m_added) {
        m_failed = true;
        m_failure = QStringLiteral("zlib");
    }
    return !m_failed;
}

QString SheetDeflater::failure() const
{
    const std::lock_guard lock(m_mutex);
    return m_failure;
}

void SheetDeflater::fail(const QString& why)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_failed) m_failure = why;
        m_failed = true;
    }
    m_space.notify_all();
    m_work.notify_all();
}

void SheetDeflater::run()
{
    // Raw deflate (negative window bits: no zlib header), as a ZIP entry holds it.
    z_stream stream{};
    if (deflateInit2(&stream, deflateLevel, Z_DEFLATED, -MAX_WBITS, MAX_MEM_LEVEL, Z_DEFAULT_STRATEGY) != Z_OK)
        return fail(QStringLiteral("zu wenig Arbeitsspeicher"));
    Deflated deflated;
    for (;;) {
        Piece piece;
        {
            std::unique_lock lock(m_mutex);
            m_work.wait(lock, [&] { return !m_waiting.empty() || m_ending || m_failed; });
            if (m_abandoned || m_failed || m_waiting.empty()) break;
            piece = std::move(m_waiting.front());
            m_waiting.pop_front();
        }
        if (!deflatePiece(stream, piece, deflated)) {
            fail(QStringLiteral("zlib: %1").arg(QString::fromLatin1(stream.msg ? stream.msg : "deflate")));
            break;
        }
        {
            const std::lock_guard lock(m_mutex);
            piece.xml.resize(0);  // keeps its room for another piece
            m_free.push_back(std::move(piece.xml));
        }
        if (!writeInOrder(piece.index, std::move(deflated))) break;
        deflated = Deflated();
    }
    deflateEnd(&stream);
}

bool SheetDeflater::deflatePiece(z_stream& stream, const Piece& piece, Deflated& out)
{
    // A piece is far below 4 GiB (the writer hands on about 128 KiB at a time).
    if (deflateReset(&stream) != Z_OK) return false;
    const auto* in = reinterpret_cast<const Bytef*>(piece.xml.constData());
    out.crc = piece.xml.isEmpty() ? crc32(0, nullptr, 0) : crc32(crc32(0, nullptr, 0), in, uInt(piece.xml.size()));
    out.size = piece.xml.size();
    out.last = piece.last;
    // A sync flush adds an empty stored block (5 bytes) to what deflateBound allows for.
    out.data.resize(qsizetype(deflateBound(&stream, uLong(piece.xml.size()))) + 16);
    stream.next_in = const_cast<Bytef*>(in);
    stream.avail_in = uInt(piece.xml.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data.data());
    stream.avail_out = uInt(out.data.size());
    const int status = deflate(&stream, piece.last ? Z_FINISH : Z_SYNC_FLUSH);
    if (status != (piece.last ? Z_STREAM_END : Z_OK) || stream.avail_in != 0) return false;
    out.data.resize(out.data.size() - qsizetype(stream.avail_out));
    return true;
}

bool SheetDeflater::writeInOrder(std::int64_t index, Deflated&& deflated)
{
    std::unique_lock lock(m_mutex);
    if (m_failed) return false;
    m_done.emplace(index, std::move(deflated));
    bool wrote = false;
    for (auto next = m_done.find(m_written); next != m_done.end(); next = m_done.find(m_written)) {
        const Deflated& piece = next->second;
        // The file's own buffer is written out by the thread that wrote the end.
        if (m_file.write(piece.data.constData(), piece.data.size()) != piece.data.size() ||
            (piece.last && !m_file.flush())) {
            m_failed = true;
            m_failure = m_file.errorString();
            lock.unlock();
            m_space.notify_all();
            m_work.notify_all();
            return false;
        }
        m_crc = crc32_combine(m_crc, piece.crc, z_off_t(piece.size));
        m_size += std::uint64_t(piece.size);
        m_compressed += std::uint64_t(piece.data.size());
        m_done.erase(next);
        ++m_written;
        wrote = true;
    }
    lock.unlock();
    if (wrote) m_space.notify_all();
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
