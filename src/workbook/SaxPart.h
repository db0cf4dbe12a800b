#pragma once

#include <QString>

#include <exception>
#include <optional>
#include <string_view>

class ZipPackage;
class ZipPart;
typedef struct _xmlParserCtxt xmlParserCtxt;

// The attributes of a start element as libxml2 hands them on: local name,
// prefix, namespace, value start and end, for each; values are UTF-8 with
// references resolved.
class SaxAttributes {
public:
    SaxAttributes(const unsigned char** attributes, int count) : m_attributes(attributes), m_count(count) {}
    // The value of the attribute of this local name and no namespace; empty when there is none.
    std::string_view value(std::string_view name) const { return find(name, false); }
    // The same for an attribute in some namespace (r:id).
    std::string_view namespaced(std::string_view name) const { return find(name, true); }
    // The attribute of this namespace and local name; none when there is none.
    std::optional<std::string_view> get(std::string_view ns, std::string_view name) const;

private:
    std::string_view find(std::string_view name, bool inNamespace) const;

    const unsigned char** m_attributes;
    int m_count;
};

// What a part's XML is told to as it is parsed: local names with their
// namespace; texts in UTF-8, which may come in several pieces.
class SaxHandler {
public:
    virtual ~SaxHandler() = default;
    virtual void start(std::string_view name, std::string_view ns, const SaxAttributes& attributes) = 0;
    virtual void end(std::string_view, std::string_view) {}
    virtual void characters(std::string_view) {}
};

// One part of a package parsed as it is inflated, a piece at a time, by
// libxml2's SAX2 push parser (several times faster than QtCore's XML reader
// on a worksheet's cells), so that a reader that stops early neither inflates
// nor parses the rest. No DTD is loaded, no entity of one expanded, nothing
// fetched from the network. A part that is not well-formed XML, and a fault
// of its data, are RuntimeError with a German reason; an exception of the
// handler ends the parsing and is passed on.
class SaxPart {
public:
    SaxPart(const ZipPackage& package, const QString& part, SaxHandler& handler);
    ~SaxPart();
    SaxPart(const SaxPart&) = delete;
    SaxPart& operator=(const SaxPart&) = delete;

    // Parses the next piece; false once the whole part is parsed.
    bool step();
    void parseAll()
    {
        while (step()) {
        }
    }

private:
    friend struct SaxCallbacks;
    [[noreturn]] void fail() const;

    QString m_part;
    ZipPart* m_device;
    SaxHandler& m_handler;
    xmlParserCtxt* m_context = nullptr;
    std::exception_ptr m_exception;
    bool m_done = false;
};
