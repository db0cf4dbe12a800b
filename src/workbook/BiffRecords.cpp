#include "workbook/BiffRecords.h"

#include <cstring>

bool BiffRecords::next()
{
    if (m_next + 4 > m_data.size()) return false;
    m_type = u16(m_next);
    m_body = m_next + 4;
    m_length = std::min<qsizetype>(u16(m_next + 2), m_data.size() - m_body);  // a cut-off last record
    m_next = m_body + m_length;
    return true;
}

double BiffRecords::number(qsizetype at) const
{
    quint64 bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | byte(at + i);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double BiffRecords::rk(qsizetype at) const
{
    const quint32 rk = dword(at);
    double value;
    if (rk & 0x02) {
        value = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 0x01) ? value / 100 : value;
}

bool BiffRecords::continueRecord(qsizetype& at)
{
    if (!nextIs(Continue) || !next()) return false;
    at = 0;
    return true;
}

QString BiffRecords::unicode(qsizetype& at, int count)
{
    const bool wide = byte(at++) & 1;
    return characters(at, count, wide);
}

QString BiffRecords::characters(qsizetype& at, int count, bool wide)
{
    QString text;
    for (;;) {
        while (int(text.size()) < count && at + (wide ? 2 : 1) <= m_length) {
            text += wide ? QChar(word(at)) : QChar(byte(at));
            at += wide ? 2 : 1;
        }
        if (int(text.size()) >= count || !continueRecord(at)) return text;
        wide = byte(at++) & 1;
    }
}

QByteArray BiffRecords::bytes(qsizetype at, int count) const
{
    QByteArray text;
    for (int i = 0; i < count && at + i < m_length; ++i) text += char(byte(at + i));
    return text;
}

void BiffRecords::skip(qsizetype& at, qsizetype count)
{
    for (;;) {
        const qsizetype here = std::max<qsizetype>(0, std::min(count, m_length - at));
        at += here;
        count -= here;
        if (count <= 0 || !continueRecord(at)) return;
    }
}
