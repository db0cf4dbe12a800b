#pragma once

#include "workbook/TextList.h"

#include <QString>
#include <QXmlStreamReader>

#include <memory>
#include <optional>

class ZipPackage;
class ZipPart;

// The text of a shared or inline string item (<si>, <is>) whose start the
// reader has just read: its <t> and the <t> of its runs, without phonetic
// readings (<rPh>).
QString readXlsxStringItem(QXmlStreamReader& xml);

// The shared string table of an Office Open XML workbook, read forward only
// as far as the cells ask: a sheet that uses its first hundred texts never
// inflates the rest. The texts read are kept in one buffer, since any later
// cell may name any of them. A fault of the part is a RuntimeError.
class XlsxSharedStrings {
public:
    // An empty part name: the workbook has no table.
    XlsxSharedStrings(const ZipPackage& zip, const QString& part);
    ~XlsxSharedStrings();
    XlsxSharedStrings(const XlsxSharedStrings&) = delete;
    XlsxSharedStrings& operator=(const XlsxSharedStrings&) = delete;

    // Item `index` from 0; none beyond the table's end.
    std::optional<QString> at(qulonglong index);

private:
    QString m_part;
    std::unique_ptr<ZipPart> m_device;
    std::unique_ptr<QXmlStreamReader> m_xml;
    TextList m_texts;
};
