#pragma once

#include <QString>

// What the program's message boxes share.
namespace messageText {

// Lines of a prompt are joined by a carriage return and a line feed.
inline const QString lineBreak = QStringLiteral("\r\n");

// The caption of the lock, invalid-input and file error messages.
inline const QString errorCaption = QStringLiteral("Fehler");

}  // namespace messageText
