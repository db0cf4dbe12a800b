#include "app/Credits.h"
#include "app/Form1.h"

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
    const QString crlf = QStringLiteral("\r\n");
    const QString prompt = QStringLiteral("Programmentwicklung:") + crlf + credits::name + crlf + credits::degree + crlf
                           + crlf + credits::postcodeAndTown + crlf + crlf + QStringLiteral("E-Mail: ") + credits::email;
    m_view.showMessage(prompt, View::Icon::Information, QStringLiteral("Über dieses Programm"));
}
