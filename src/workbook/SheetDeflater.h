#pragma once

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include <zip.h>
#include <zlib.h>

class QFile;
class QThread;

// A worksheet's XML deflated into a file while it is being written, on a
// thread of its own (named "sheet deflate"), so that compressing a large
// sheet takes the second core instead of adding its time at the end. The
// deflated data is what libzip's deflate at zlib's fastest level would
// write (the same zlib parameters); libzip copies it into the package as it
// is, with its size and CRC-32 (source()).
//
// At most `queuedPieces` pieces wait for the thread: memory stays bounded
// however large the sheet.
class SheetDeflater {
public:
    // Into `file`, open for reading and writing and empty; it stays open.
    explicit SheetDeflater(QFile& file);
    // Without finish(), the thread stops and what was deflated is left in the file.
    ~SheetDeflater();

    SheetDeflater(const SheetDeflater&) = delete;
    SheetDeflater& operator=(const SheetDeflater&) = delete;

    // Hands the XML in `piece` on and gives back an empty buffer, one that
    // the thread is done with when there is one. Waits while the thread is
    // `queuedPieces` behind. False once the deflating or the file has failed.
    bool add(QByteArray& piece);
    // All of the XML added: waits until it is deflated and in the file.
    bool finish();
    // What failed, as the system or zlib said it, after add() or finish() said false.
    QString failure() const;

    // After finish(): a source of the deflated data for zip_file_add, which
    // says it is deflated with its size, so that libzip does not compress it
    // again. It reads the file and must not outlive this deflater.
    zip_source_t* source(zip_t* archive);

private:
    static constexpr std::size_t queuedPieces = 8;

    void run();
    bool deflatePiece(const QByteArray& piece, int flush);
    bool writeOut();
    zip_int64_t serve(void* data, zip_uint64_t length, zip_source_cmd_t command);
    static zip_int64_t callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command);

    QFile& m_file;
    std::unique_ptr<QThread> m_thread;

    // Shared with the thread, under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_work;   // a piece waits, or the end
    std::condition_variable m_space;  // a piece was taken, or the deflating failed
    std::deque<QByteArray> m_full;
    std::vector<QByteArray> m_free;
    bool m_ending = false;
    bool m_abandoned = false;  // destroyed before finish()
    bool m_failed = false;
    QString m_failure;

    // The thread's own until it has ended.
    z_stream m_stream{};
    bool m_streamReady = false;
    QByteArray m_out;
    qsizetype m_outUsed = 0;
    uLong m_crc = 0;
    std::uint64_t m_size = 0;        // of the XML
    std::uint64_t m_compressed = 0;  // of the deflated data

    zip_error_t m_zipError;  // of the source's reading
    bool m_finished = false;
};
