#pragma once

#include <QString>
#include <QStringView>

#include <vector>

// Many texts kept in one buffer, each found by its number from 0: a shared
// string table costs its characters and four bytes a text, not an
// allocation each.
class TextList {
public:
    void append(QStringView text)
    {
        m_texts += text;
        m_ends.push_back(quint32(m_texts.size()));
    }
    std::size_t size() const { return m_ends.size(); }
    // index < size()
    QString at(std::size_t index) const
    {
        const quint32 start = index == 0 ? 0 : m_ends[index - 1];
        return m_texts.mid(start, m_ends[index] - start);
    }

private:
    QString m_texts;
    std::vector<quint32> m_ends;  // of each text in m_texts; the parts they come from are under 4 GiB
};
