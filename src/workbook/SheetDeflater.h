#pragma once

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include <zip.h>
#include <zlib.h>

class QFile;
class QThread;

// A worksheet's XML deflated into a file while it is being written, on
// threads of their own (named "sheet deflate"), so that compressing a large
// sheet takes the other core instead of adding its time at the end. Each
// piece of XML is deflated by itself at zlib's fastest level and ends on a
// byte boundary (a sync flush), the last one ends the stream: the pieces,
// in order, are one deflate stream (RFC 1951) that any reader inflates, as
// parallel gzip tools write it. A piece of 128 KiB starting without the
// previous one's window costs about 1 % of the size (100,000 rows of eight
// cells from 100,000 sections: 6.20 MB instead of 6.13 MB). libzip copies the stream into the
// package as it is, with its size and CRC-32 (source()).
//
// At most `pendingPieces` pieces are handed on and not yet in the file:
// memory stays bounded however large the sheet.
class SheetDeflater {
public:
    // Into `file`, open for reading and writing and empty; it stays open.
    explicit SheetDeflater(QFile& file);
    // Without finish(), the threads stop and the file holds a part.
    ~SheetDeflater();

    SheetDeflater(const SheetDeflater&) = delete;
    SheetDeflater& operator=(const SheetDeflater&) = delete;

    // Hands the XML in `piece` on and gives back an empty buffer, one that
    // a thread is done with when there is one. Waits while `pendingPieces`
    // are not yet in the file. False once the deflating or the file has failed.
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
    static constexpr int threads = 2;
    static constexpr std::int64_t pendingPieces = 6;

    struct Piece {
        std::int64_t index;
        QByteArray xml;
        bool last;
    };
    struct Deflated {
        QByteArray data;
        uLong crc;
        std::int64_t size;  // of the XML
        bool last;
    };

    void run();
    bool deflatePiece(z_stream& stream, const Piece& piece, Deflated& out);
    void fail(const QString& why);
    bool enqueue(QByteArray&& xml, bool last);
    bool writeInOrder(std::int64_t index, Deflated&& deflated);
    zip_int64_t serve(void* data, zip_uint64_t length, zip_source_cmd_t command);
    static zip_int64_t callback(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command);

    QFile& m_file;  // written by the threads under m_mutex, in order
    std::vector<std::unique_ptr<QThread>> m_threads;

    // Shared with the threads, under m_mutex.
    mutable std::mutex m_mutex;
    std::condition_variable m_work;   // a piece waits, or the end
    std::condition_variable m_space;  // a piece is in the file, or the deflating failed
    std::deque<Piece> m_waiting;
    std::map<std::int64_t, Deflated> m_done;  // deflated, waiting for those before them
    std::vector<QByteArray> m_free;
    std::int64_t m_added = 0;    // pieces handed on
    std::int64_t m_written = 0;  // pieces in the file, the next to write
    bool m_ending = false;
    bool m_abandoned = false;  // destroyed before finish()
    bool m_failed = false;
    QString m_failure;
    uLong m_crc = 0;
    std::uint64_t m_size = 0;        // of the XML in the file
    std::uint64_t m_compressed = 0;  // of the deflated data

    zip_error_t m_zipError;  // of the source's reading
    bool m_finished = false;
};
