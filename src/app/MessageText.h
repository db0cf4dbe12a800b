#pragma once

#include <QDir>
#include <QString>

// What the program's message boxes share.
namespace messageText {

// Lines of a prompt are joined by a carriage return and a line feed.
inline const QString lineBreak = QStringLiteral("\r\n");

// The caption of the lock, invalid-input and file error messages.
inline const QString errorCaption = QStringLiteral("Fehler");

// The prompt of a file error: "Die Datei „path“ kann nicht <failed>." and the
// reason on the next line. `failed` says what failed, e.g. "gespeichert werden".
inline QString fileFailure(const QString& path, const QString& failed, const char* reason)
{
    return QStringLiteral("Die Datei „%1“ kann nicht %2.").arg(QDir::toNativeSeparators(path), failed) + lineBreak
           + QString::fromUtf8(reason);
}

}  // namespace messageText
