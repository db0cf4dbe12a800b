#pragma once

#include <QByteArray>
#include <QString>

class BiffStream;

// Walks the records of a legacy Excel workbook stream (BIFF5 and BIFF8): a
// type, a length and a body each, one record at a time as the stream is
// read. Every read is checked against the record's end; what lies beyond
// reads as zero bytes, so damaged data yields wrong values but never a read
// outside the record.
class BiffRecords {
public:
    enum Type : quint16 {
        Formula = 0x0006, Eof = 0x000A, DateMode = 0x0022, CodePage = 0x0042, FilePass = 0x002F, Continue = 0x003C,
        BoundSheet = 0x0085, MulRk = 0x00BD, Sst = 0x00FC, LabelSst = 0x00FD, RString = 0x00D6, Xf = 0x00E0,
        Number = 0x0203, Label = 0x0204, BoolErr = 0x0205, String = 0x0207, Rk = 0x027E, Format = 0x041E,
        Bof = 0x0809,
    };

    // Before the record at `position`.
    BiffRecords(const BiffStream& stream, qint64 position) : m_stream(stream), m_next(position) {}

    // Moves to the next record; false at the end of the stream.
    bool next();
    bool nextIs(quint16 type) const;
    // Moves past the CONTINUE records after this one without reading them.
    void skipContinues();

    // Where this record starts in the stream.
    qint64 position() const { return m_position; }
    quint16 type() const { return m_type; }
    qsizetype length() const { return m_body.size(); }
    quint8 byte(qsizetype at) const { return at >= 0 && at < m_body.size() ? quint8(m_body[at]) : 0; }
    quint16 word(qsizetype at) const { return quint16(byte(at) | (byte(at + 1) << 8)); }
    quint32 dword(qsizetype at) const { return quint32(word(at)) | (quint32(word(at + 2)) << 16); }
    double number(qsizetype at) const;
    // An RK number: a double's upper 30 bits or a 30-bit integer, maybe / 100.
    double rk(qsizetype at) const;

    // A BIFF8 text of count characters at offset at: a flags byte (bit 0:
    // two bytes a character), then the characters. A text cut by the end of
    // the record goes on in the following CONTINUE records, each of which
    // starts with a flags byte again; at is moved past the text.
    QString unicode(qsizetype& at, int count);
    // The same with the flags byte already read: the characters start at at.
    QString characters(qsizetype& at, int count, bool wide);
    // The count bytes of a BIFF5 text, one a character in the workbook's code page.
    QByteArray bytes(qsizetype at, int count) const;
    // Skips count bytes, going on in CONTINUE records where the record ends.
    void skip(qsizetype& at, qsizetype count);

private:
    bool continueRecord(qsizetype& at);

    const BiffStream& m_stream;
    qint64 m_next;
    qint64 m_position = -1;
    QByteArray m_body;
    quint16 m_type = 0;
};
