#include "app/Credits.h"
#include "app/Form1.h"
#include "app/MessageText.h"

#include <exception>
#include <new>

void Form1::mnuend_Click()
{
    m_view.endProgram();
}

void Form1::mnuhilfe_Click()
{
    m_view.showMessage(QStringLiteral("Zurzeit steht keine Hilfe zur Verfügung"), View::Icon::Information,
                       QStringLiteral("Hilfe,"));
}

void Form1::mnuinfo_Click()
{
        const QString prompt = QStringLiteral("Programmentwicklung:") + messageText::lineBreak + credits::name + messageText::lineBreak + credits::degree + messageText::lineBreak
                           + messageText::lineBreak + credits::postcodeAndTown + messageText::lineBreak + messageText::lineBreak + QStringLiteral("E-Mail: ") + credits::email;
    m_view.showMessage(prompt, View::Icon::Information, QStringLiteral("Über dieses Programm"));
}

void Form1::runMenuCommand(const QString& name, void (Form1::*command)())
{
    QString reason;
    try {
        (this->*command)();
        return;
    } catch (const std::bad_alloc&) {
        reason = QStringLiteral("Zu wenig Arbeitsspeicher.");
    } catch (const std::exception& error) {
        reason = QString::fromUtf8(error.what());
    } catch (...) {
        reason = QStringLiteral("Unbekannter Fehler.");
    }
    m_view.showMessage(QStringLiteral("Der Befehl „%1“ konnte nicht ausgeführt werden.").arg(name) + messageText::lineBreak + reason,
                       View::Icon::Exclamation, messageText::errorCaption);
}
