#include "app/WorkbookModule.h"

#include "base/ProgramInfo.h"
#include "workbook/WorkbookFiles.h"

namespace {

const QString subject = QStringLiteral("für Arbeitsmappen");

}  // namespace

WorkbookModule::WorkbookModule() : m_file(QLatin1String(programInfo::workbookModule), subject) {}

WorkbookModule::WorkbookModule(QStringList paths) : m_file(std::move(paths), subject) {}

WorkbookModule::WorkbookModule(const WorkbookFiles& linked) : m_file(QStringList(), subject), m_files(&linked) {}

const WorkbookFiles& WorkbookModule::files()
{
    if (!m_files) m_files = &m_file.open<WorkbookFiles>();
    return *m_files;
}
