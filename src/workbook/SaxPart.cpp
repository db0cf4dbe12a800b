#include "workbook/SaxPart.h"

#include "base/RuntimeError.h"
#include "workbook/ZipPackage.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <cstring>

namespace {

std::string_view view(const xmlChar* text)
{
    return text ? std::string_view(reinterpret_cast<const char*>(text)) : std::string_view();
}

}  // namespace

std::string_view SaxAttributes::find(std::string_view name, bool inNamespace) const
{
    for (int i = 0; i < m_count; ++i) {
        const unsigned char** a = m_attributes + 5 * i;
        if (view(a[0]) == name && (a[2] != nullptr) == inNamespace)
            return std::string_view(reinterpret_cast<const char*>(a[3]), std::size_t(a[4] - a[3]));
    }
    return {};
}

std::optional<std::string_view> SaxAttributes::get(std::string_view ns, std::string_view name) const
{
    for (int i = 0; i < m_count; ++i) {
        const unsigned char** a = m_attributes + 5 * i;
        if (view(a[0]) == name && view(a[2]) == ns)
            return std::string_view(reinterpret_cast<const char*>(a[3]), std::size_t(a[4] - a[3]));
    }
    return std::nullopt;
}

// libxml2 calls C functions: an exception of the handler is kept until
// libxml2 has returned, and the parser stopped.
struct SaxCallbacks {
    template <typename Work>
    static void guarded(void* context, Work work)
    {
        auto* parser = static_cast<xmlParserCtxt*>(context);
        auto* part = static_cast<SaxPart*>(parser->_private);
        if (part->m_exception) return;
        try {
            work(part->m_handler);
        } catch (...) {
            part->m_exception = std::current_exception();
            xmlStopParser(parser);
        }
    }

    static void start(void* context, const xmlChar* name, const xmlChar*, const xmlChar* ns, int, const xmlChar**,
                      int count, int, const xmlChar** attributes)
    {
        guarded(context, [&](SaxHandler& h) { h.start(view(name), view(ns), SaxAttributes(attributes, count)); });
    }
    static void end(void* context, const xmlChar* name, const xmlChar*, const xmlChar* ns)
    {
        guarded(context, [&](SaxHandler& h) { h.end(view(name), view(ns)); });
    }
    static void characters(void* context, const xmlChar* text, int length)
    {
        guarded(context, [&](SaxHandler& h) {
            h.characters(std::string_view(reinterpret_cast<const char*>(text), std::size_t(length)));
        });
    }
    // The reason comes from the program, not libxml2's own words on the console.
    static void quiet(void*, const xmlError*) {}
};

SaxPart::SaxPart(const ZipPackage& package, const QString& part, SaxHandler& handler)
    : m_part(part), m_device(new ZipPart(package, part)), m_handler(handler)
{
    xmlInitParser();
    xmlSAXHandler sax;
    std::memset(&sax, 0, sizeof sax);
    sax.initialized = XML_SAX2_MAGIC;
    sax.startElementNs = SaxCallbacks::start;
    sax.endElementNs = SaxCallbacks::end;
    sax.characters = SaxCallbacks::characters;
    sax.cdataBlock = SaxCallbacks::characters;
    sax.serror = reinterpret_cast<xmlStructuredErrorFunc>(SaxCallbacks::quiet);
    m_context = xmlCreatePushParserCtxt(&sax, nullptr, nullptr, 0, nullptr);
    if (!m_context) {
        delete m_device;
        throw RuntimeError(QStringLiteral("Zu wenig Arbeitsspeicher zum Lesen der Datei."));
    }
    m_context->_private = this;
    xmlCtxtUseOptions(m_context, XML_PARSE_NONET | XML_PARSE_NOWARNING | XML_PARSE_NOERROR);
}

SaxPart::~SaxPart()
{
    xmlFreeParserCtxt(m_context);
    delete m_device;
}

void SaxPart::fail() const
{
    // A fault of the part's data (a checksum, inflating) is the better reason
    // than the XML error it leads to.
    m_device->throwFault();
    throw RuntimeError(QStringLiteral("Der Teil „%1“ der Arbeitsmappe ist kein gültiges XML: die Datei ist beschädigt.").arg(m_part));
}

bool SaxPart::step()
{
    if (m_done) return false;
    char piece[64 * 1024];
    const qint64 read = m_device->read(piece, sizeof piece);
    if (read < 0 && !m_device->fault().isEmpty()) m_device->throwFault();
    const bool last = read <= 0;
    const int error = xmlParseChunk(m_context, piece, last ? 0 : int(read), last ? 1 : 0);
    if (m_exception) std::rethrow_exception(m_exception);
    if (error != 0 || !m_context->wellFormed) fail();
    m_done = last;
    return !last;
}
