#include "app/Credits.h"
#include "app/Form1.h"
#include "app/MessageText.h"

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
