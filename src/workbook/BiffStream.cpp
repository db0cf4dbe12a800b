#include "workbook/BiffStream.h"

#include "base/RuntimeError.h"

#include <QFile>

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

namespace {

[[noreturn]] void damaged()
{
    throw RuntimeError(QStringLiteral("Die Excel-Daten der Datei sind beschädigt."));
}

void initialiseGsf()
{
    static const bool done = [] {
        gsf_init();
        // Damaged containers make libgsf warn on the console; the user is told
        // through the program's own message instead.
        const auto quiet = [](const gchar*, GLogLevelFlags, const gchar*, gpointer) {};
        for (const char* domain : {"libgsf", "libgsf:msole"})
            g_log_set_handler(domain, GLogLevelFlags(G_LOG_LEVEL_WARNING | G_LOG_LEVEL_MESSAGE | G_LOG_LEVEL_INFO |
                                                     G_LOG_LEVEL_DEBUG | G_LOG_LEVEL_CRITICAL),
                              quiet, nullptr);
        return true;
    }();
    (void)done;
}

void unref(void* object)
{
    if (object) g_object_unref(object);
}

}  // namespace

BiffStream::BiffStream(const QString& path)
{
    initialiseGsf();
    GError* error = nullptr;
    // libzip and GLib take file names in UTF-8, on Windows too.
    m_file = gsf_input_stdio_new(path.toUtf8().constData(), &error);
    g_clear_error(&error);
    if (!m_file) throw RuntimeError(QStringLiteral("Die Datei kann nicht gelesen werden."));
    m_ole = gsf_infile_msole_new(m_file, &error);
    g_clear_error(&error);
    if (!m_ole) {
        unref(m_file);
        throw RuntimeError(QStringLiteral("Der OLE2-Container der Datei ist beschädigt."));
    }
    for (int i = 0; i < gsf_infile_num_children(m_ole) && !m_stream; ++i) {
        const char* name = gsf_infile_name_by_index(m_ole, i);
        if (name && (g_ascii_strcasecmp(name, "Workbook") == 0 || g_ascii_strcasecmp(name, "Book") == 0))
            m_stream = gsf_infile_child_by_index(m_ole, i);
    }
    const gsf_off_t size = m_stream ? gsf_input_size(m_stream) : 0;
    if (!m_stream || size < 0 || size > maxSize) {
        const bool found = m_stream != nullptr;
        unref(m_stream);
        unref(m_ole);
        unref(m_file);
        if (found) throw RuntimeError(QStringLiteral("Die Excel-Daten der Datei sind zu groß."));
        throw RuntimeError(QStringLiteral("Die Datei enthält keine Excel-Arbeitsmappe (vielleicht ein anderes Office-Dokument "
                                          "oder eine verschlüsselte Arbeitsmappe)."));
    }
    m_size = qint64(size);
}

BiffStream::~BiffStream()
{
    unref(m_stream);
    unref(m_ole);
    unref(m_file);
}

const char* BiffStream::bytes(qint64 at, qsizetype count) const
{
    if (at < m_windowStart || at + count > m_windowStart + m_window.size()) {
        const qsizetype length = qsizetype(std::min<qint64>(std::max<qsizetype>(count, 65536), m_size - at));
        m_window.resize(length);
        m_windowStart = at;
        if (gsf_input_seek(m_stream, gsf_off_t(at), G_SEEK_SET) ||
            !gsf_input_read(m_stream, size_t(length), reinterpret_cast<guint8*>(m_window.data()))) {
            m_window.clear();
            damaged();
        }
    }
    return m_window.constData() + (at - m_windowStart);
}

bool BiffStream::header(qint64 at, quint16& type, qsizetype& length) const
{
    if (at < 0 || at + 4 > m_size) return false;
    const auto* bytes = reinterpret_cast<const quint8*>(this->bytes(at, 4));
    type = quint16(bytes[0] | (bytes[1] << 8));
    length = qsizetype(bytes[2] | (bytes[3] << 8));
    return true;
}

qint64 BiffStream::record(qint64 at, quint16& type, QByteArray& body) const
{
    qsizetype length = 0;
    body.clear();
    if (!header(at, type, length)) return m_size;
    const qsizetype whole = std::min<qsizetype>(length, qsizetype(m_size - at - 4));
    body.append(bytes(at + 4, whole), whole);
    return at + 4 + whole;
}
