#include "workbook/XlsxSharedStrings.h"

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    return -1;
}

}  // namespace

QString XlsxStringItem::value() const
{
    const QString raw = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (!raw.contains(QLatin1String("_x"))) return raw;
    QString shown;
    shown.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size();) {
        if (raw[i] == u'_' && i + 6 < raw.size() && raw[i + 1] == u'x' && raw[i + 6] == u'_') {
            int code = 0;
            for (qsizetype d = i + 2; d < i + 6 && code >= 0; ++d)
                code = hexDigit(raw[d]) < 0 ? -1 : code * 16 + hexDigit(raw[d]);
            if (code >= 0) {
                shown += QChar(char16_t(code));
                i += 7;
                continue;
            }
        }
        shown += raw[i++];
    }
    return shown;
}

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
        m_texts.append(m_item.value());
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
