#include "workbook/XlsxSharedStrings.h"

#include "base/RuntimeError.h"
#include "workbook/ZipPackage.h"

QString readXlsxStringItem(QXmlStreamReader& xml)
{
    QString text;
    int depth = 1;
    int phonetic = 0;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++depth;
            if (xml.name() == QLatin1String("rPh")) ++phonetic;
            else if (xml.name() == QLatin1String("t") && phonetic == 0) {
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            }
        } else if (xml.isEndElement()) {
            --depth;
            if (xml.name() == QLatin1String("rPh")) --phonetic;
        }
    }
    return text;
}

XlsxSharedStrings::XlsxSharedStrings(const ZipPackage& zip, const QString& part) : m_part(part)
{
    if (part.isEmpty()) return;
    m_device = std::make_unique<ZipPart>(zip, part);
    m_xml = std::make_unique<QXmlStreamReader>(m_device.get());
}

XlsxSharedStrings::~XlsxSharedStrings() = default;

std::optional<QString> XlsxSharedStrings::at(qulonglong index)
{
    while (index >= m_texts.size() && m_xml && !m_xml->atEnd()) {
        m_xml->readNext();
        if (m_xml->isStartElement() && m_xml->name() == QLatin1String("si")) m_texts.append(readXlsxStringItem(*m_xml));
    }
    if (m_xml && m_xml->atEnd()) {
        m_device->throwFault();
        if (m_xml->hasError())
            throw RuntimeError(
                QStringLiteral("Der Teil „%1“ der Arbeitsmappe ist kein gültiges XML: die Datei ist beschädigt.").arg(m_part));
    }
    if (index >= m_texts.size()) return std::nullopt;
    return m_texts.at(std::size_t(index));
}
