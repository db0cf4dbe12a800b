#include "workbook/BiffRecords.h"

#include "workbook/BiffStream.h"

#include <cstring>

bool BiffRecords::next()
{
    qsizetype length = 0;
    if (!m_stream.header(m_next, m_type, length)) return false;
    m_position = m_next;
    m_next = m_stream.record(m_next, m_type, m_body);
    return true;
}

bool BiffRecords::nextIs(quint16 type) const
{
    quint16 found = 0;
    qsizetype length = 0;
    return m_stream.header(m_next, found, length) && found == type;
}

void BiffRecords::skipContinues()
{
    quint16 type = 0;
    qsizetype length = 0;
    while (m_stream.header(m_next, type, length) && type == Continue) m_next += 4 + length;
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
    text.reserve(count);
    for (;;) {
        while (int(text.size()) < count && at + (wide ? 2 : 1) <= length()) {
            text += wide ? QChar(word(at)) : QChar(byte(at));
            at += wide ? 2 : 1;
        }
        if (int(text.size()) >= count || !continueRecord(at)) return text;
        wide = byte(at++) & 1;
    }
}

QByteArray BiffRecords::bytes(qsizetype at, int count) const
{
    if (at < 0 || count <= 0 || at >= m_body.size()) return {};
    return m_body.mid(at, count);
}

void BiffRecords::skip(qsizetype& at, qsizetype count)
{
    for (;;) {
        const qsizetype here = std::max<qsizetype>(0, std::min(count, length() - at));
        at += here;
        count -= here;
        if (count <= 0 || !continueRecord(at)) return;
    }
}
