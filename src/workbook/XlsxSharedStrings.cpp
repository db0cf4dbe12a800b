#include "workbook/XlsxSharedStrings.h"

XlsxSharedStrings::XlsxSharedStrings(const ZipPackage& zip, const QString& part)
{
    SaxHandler& handler = *this;
    if (!part.isEmpty()) m_part = std::make_unique<SaxPart>(zip, part, handler);
}

void XlsxSharedStrings::start(std::string_view name, std::string_view, const SaxAttributes&)
{
    if (name == "si") {
        m_inItem = true;
        m_item.text.clear();
        m_item.phonetic = 0;
        m_item.inText = false;
    } else if (m_inItem) {
        m_item.start(name);
    }
}

void XlsxSharedStrings::end(std::string_view name, std::string_view)
{
    if (!m_inItem) return;
    if (name == "si") {
        m_texts.append(QString::fromUtf8(m_item.text.data(), qsizetype(m_item.text.size())));
        m_inItem = false;
    } else {
        m_item.end(name);
    }
}

std::optional<QString> XlsxSharedStrings::at(qulonglong index)
{
    while (index >= m_texts.size() && m_part && m_part->step()) {
    }
    if (index >= m_texts.size()) return std::nullopt;
    return m_texts.at(std::size_t(index));
}
