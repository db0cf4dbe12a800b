#pragma once

#include <QLocale>
#include <QStringView>

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

// A number as the workbook formats store it in XML: C locale, blanks around
// it allowed; none for any other text and for numbers that are not finite.
inline std::optional<double> xmlNumber(QStringView text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The same for UTF-8 text as libxml2 hands it on.
inline std::string_view xmlTrimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

inline std::optional<double> xmlNumber(std::string_view text)
{
    text = xmlTrimmed(text);
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// A whole number of XML text, blanks around it allowed.
template <typename Integer>
std::optional<Integer> xmlInteger(std::string_view text)
{
    text = xmlTrimmed(text);
    Integer value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}
