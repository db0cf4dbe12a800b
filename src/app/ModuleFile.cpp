#include "app/ModuleFile.h"

#include "app/ModuleFolders.h"
#include "base/RuntimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

// Whether the module's libraries may look among their own symbols first
// (dlopen's RTLD_DEEPBIND). Not when something is preloaded (an allocator,
// a memory profiler), which must see them too, and not under
// AddressSanitizer, which refuses it.
bool ownLookupAllowed()
{
#if defined(__SANITIZE_ADDRESS__)
    return false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return false;
#endif
#endif
    return qEnvironmentVariableIsEmpty("LD_PRELOAD");
}

}  // namespace

ModuleFile::ModuleFile(const QString& fileName, QString subject, Lookup lookup)
    : m_subject(std::move(subject)), m_lookup(lookup)
{
    for (const QString& folder : moduleFolders()) m_paths << QDir(folder).filePath(fileName);
}

QFunctionPointer ModuleFile::load(const char* name)
{
    QString path;
    for (const QString& candidate : std::as_const(m_paths))
        if (QFileInfo(candidate).isFile()) {
            path = candidate;
            break;
        }
    if (path.isEmpty()) {
        QStringList shown;
        for (const QString& candidate : std::as_const(m_paths)) shown << QDir::toNativeSeparators(candidate);
        throw RuntimeError(QStringLiteral("Das Programmmodul %1 ist nicht installiert (gesucht: %2).")
                               .arg(m_subject, shown.join(QStringLiteral(", "))));
    }
    // Destroying the QLibrary leaves the module loaded; only unload() ends that.
    m_library = std::make_shared<QLibrary>(path);
    if (m_lookup == Lookup::ModuleFirst && ownLookupAllowed()) m_library->setLoadHints(QLibrary::DeepBindHint);
    if (!m_library->load())
        throw RuntimeError(QStringLiteral("Das Programmmodul %1 „%2“ kann nicht geladen werden: %3")
                               .arg(m_subject, QDir::toNativeSeparators(path), m_library->errorString()));
    return m_library->resolve(name);
}

void ModuleFile::refuse()
{
    const QString path = m_library->fileName();
    m_library->unload();
    m_library.reset();
    throw RuntimeError(QStringLiteral("Das Programmmodul %1 „%2“ gehört zu einer anderen Programmversion.")
                           .arg(m_subject, QDir::toNativeSeparators(path)));
}
