#pragma once

#include "app/MessageText.h"
#include "app/View.h"
#include "app/WorkbookModule.h"
#include "base/NumberText.h"
#include "base/RuntimeError.h"

#include <QString>

#include <optional>

class WorkbookFiles;

// A catalogue the program has built in and the user extends from a workbook
// or CSV file (the pipe series, the draw-off points): the file chosen is
// remembered for the next start and read on first use; a file that cannot be
// read is reported in a "Fehler" box, and what was there before stays.
template <class Catalogue>
class UserCatalogue {
public:
    // Reads the file at `path` into the catalogue; the empty text, or the reason.
    using Reader = QString (*)(const WorkbookFiles&, const QString&, const NumberText&, Catalogue&);

    struct Words {
        QString setting;     // where the file is remembered, e.g. "Rohrweite/Rohrseriendatei"
        QString failed;      // what the file cannot be, e.g. "als Rohrserien gelesen werden"
        QString fallback;    // after a remembered file that cannot be read
        QString filterName;  // of the open dialog's first filter
    };

    UserCatalogue(Reader reader, Words words) : m_reader(reader), m_words(std::move(words)) {}

    // The catalogue, with the remembered file once it has been tried.
    const Catalogue& get(View& view, WorkbookModule& workbooks, const NumberText& numbers)
    {
        if (m_tried) return m_catalogue;
        m_tried = true;
        const QString remembered = view.setting(m_words.setting);
        if (remembered.isEmpty()) return m_catalogue;
        QString reason;
        if (std::optional<Catalogue> read = this->read(workbooks, remembered, numbers, reason))
            m_catalogue = std::move(*read);
        else
            view.showMessage(failure(remembered, reason) + messageText::lineBreak + m_words.fallback,
                             View::Icon::Exclamation, messageText::errorCaption);
        return m_catalogue;
    }

    // A file chosen in the open dialog and read; true when it was taken (and is remembered).
    bool choose(View& view, WorkbookModule& workbooks, const NumberText& numbers)
    {
        const QString path = view.showOpenDialog(view.setting(m_words.setting),
                                                 {{m_words.filterName, QStringLiteral("*.xlsx;*.xls;*.ods;*.csv")},
                                                  {QStringLiteral("*.xlsx"), QStringLiteral("*.xlsx")},
                                                  {QStringLiteral("*.xls"), QStringLiteral("*.xls")},
                                                  {QStringLiteral("*.ods"), QStringLiteral("*.ods")},
                                                  {QStringLiteral("*.csv"), QStringLiteral("*.csv")}});
        if (path.isEmpty()) return false;  // cancelled
        QString reason;
        std::optional<Catalogue> read = this->read(workbooks, path, numbers, reason);
        if (!read) {
            view.showMessage(failure(path, reason), View::Icon::Exclamation, messageText::errorCaption);
            return false;
        }
        m_catalogue = std::move(*read);
        m_tried = true;
        view.setSetting(m_words.setting, path);
        return true;
    }

    // As it stands, without reading anything.
    const Catalogue& current() const { return m_catalogue; }

private:
    // The built-in catalogue with the file's entries; none with the reason.
    std::optional<Catalogue> read(WorkbookModule& workbooks, const QString& path, const NumberText& numbers,
                                  QString& reason) const
    {
        Catalogue catalogue = Catalogue::builtIn();
        try {
            reason = m_reader(workbooks.files(), path, numbers, catalogue);
        } catch (const RuntimeError& error) {
            reason = QString::fromUtf8(error.what());
        }
        if (!reason.isEmpty()) return std::nullopt;
        return catalogue;
    }

    QString failure(const QString& path, QString reason) const
    {
        return messageText::fileFailure(path, m_words.failed,
                                        reason.replace(QLatin1Char('\n'), messageText::lineBreak).toUtf8().constData());
    }

    Reader m_reader;
    Words m_words;
    Catalogue m_catalogue = Catalogue::builtIn();
    bool m_tried = false;
};
