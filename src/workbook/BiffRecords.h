#pragma once

#include <QByteArray>
#include <QString>

// Walks the records of a legacy Excel workbook stream (BIFF5 and BIFF8): a
// type, a length and a body each. Every read is checked against the stream's
// end; what lies beyond reads as zero bytes, so damaged data yields wrong
// values but never a read outside the stream.
class BiffRecords {
public:
    enum Type : quint16 {
        Formula = 0x0006, Eof = 0x000A, DateMode = 0x0022, CodePage = 0x0042, FilePass = 0x002F, Continue = 0x003C,
        BoundSheet = 0x0085, MulRk = 0x00BD, Sst = 0x00FC, LabelSst = 0x00FD, RString = 0x00D6, Xf = 0x00E0,
        Number = 0x0203, Label = 0x0204, BoolErr = 0x0205, String = 0x0207, Rk = 0x027E, Format = 0x041E,
        Bof = 0x0809,
    };

    explicit BiffRecords(const QByteArray& stream, qsizetype position = 0) : m_data(stream), m_next(position) {}

    // Moves to the next record; false at the end of the stream.
    bool next();
    bool nextIs(quint16 type) const { return m_next + 2 <= m_data.size() && u16(m_next) == type; }

    quint16 type() const { return m_type; }
    qsizetype length() const { return m_length; }
    quint8 byte(qsizetype at) const { return at >= 0 && at < m_length ? quint8(m_data[m_body + at]) : 0; }
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
    quint16 u16(qsizetype at) const { return quint16(quint8(m_data[at]) | (quint8(m_data[at + 1]) << 8)); }
    bool continueRecord(qsizetype& at);

    const QByteArray& m_data;
    qsizetype m_next;
    qsizetype m_body = 0;
    qsizetype m_length = 0;
    quint16 m_type = 0;
};
