#pragma once

#include "workbook/SaxPart.h"
#include "workbook/TextList.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

class ZipPackage;

// Gathers the text of a shared or inline string item (<si>, <is>) from the
// elements inside it: its <t> and the <t> of its runs, without phonetic
// readings (<rPh>).
struct XlsxStringItem {
    std::string text;  // UTF-8
    int phonetic = 0;
    bool inText = false;

    void start(std::string_view name)
    {
        if (name == "rPh") ++phonetic;
        else if (name == "t" && phonetic == 0) inText = true;
    }
    void end(std::string_view name)
    {
        if (name == "rPh") --phonetic;
        else if (name == "t") inText = false;
    }
    void characters(std::string_view piece)
    {
        if (inText) text += piece;
    }
    // The text as a spreadsheet shows it: Excel's escapes "_xHHHH_" (four
    // hexadecimal digits, a UTF-16 code unit) read as what they stand for,
    // "_x005F_" as the underscore of a text that holds such an escape literally.
    QString value() const;
};

// The shared string table of an Office Open XML workbook, read forward only
// as far as the cells ask: a sheet that uses its first hundred texts never
// inflates the rest. The texts read are kept, since any later cell may name
// any of them. A fault of the part is a RuntimeError.
class XlsxSharedStrings : private SaxHandler {
public:
    // An empty part name: the workbook has no table.
    XlsxSharedStrings(const ZipPackage& zip, const QString& part);

    // Item `index` from 0; none beyond the table's end.
    std::optional<QString> at(qulonglong index);

private:
    void start(std::string_view name, std::string_view, const SaxAttributes&) override;
    void end(std::string_view name, std::string_view) override;
    void characters(std::string_view piece) override { m_item.characters(piece); }

    std::unique_ptr<SaxPart> m_part;
    bool m_inItem = false;
    XlsxStringItem m_item;
    TextList m_texts;
};
