#pragma once

#include <QByteArray>
#include <QString>

typedef struct _GsfInfile GsfInfile;
typedef struct _GsfInput GsfInput;

// The workbook stream of a legacy Excel workbook ("Workbook", in Excel 5
// "Book") in its OLE2 container, opened through libgsf and read record by
// record, only as far as a reader asks: a large workbook costs no more than a
// small one. Every failure is a RuntimeError with a German reason.
class BiffStream {
public:
    // Streams larger than this are refused.
    static constexpr qint64 maxSize = 256 * 1024 * 1024;

    explicit BiffStream(const QString& path);
    ~BiffStream();
    BiffStream(const BiffStream&) = delete;
    BiffStream& operator=(const BiffStream&) = delete;

    qint64 size() const { return m_size; }

    // The type and body length of the record at `at`; false where no whole
    // record header is left.
    bool header(qint64 at, quint16& type, qsizetype& length) const;
    // The body of the record at `at` into body (a body cut off by the
    // stream's end as far as it goes); returns the next record's position.
    qint64 record(qint64 at, quint16& type, QByteArray& body) const;

private:
    // The count bytes at `at`, through a window of the stream read 64 KiB at a time.
    const char* bytes(qint64 at, qsizetype count) const;

    GsfInput* m_file = nullptr;
    GsfInfile* m_ole = nullptr;
    GsfInput* m_stream = nullptr;
    qint64 m_size = 0;
    mutable QByteArray m_window;
    mutable qint64 m_windowStart = 0;
};
