#include "ScriptedDialogs.h"

#include "ModalWatchdog.h"

#include <gtest/gtest.h>

void ScriptedDialogs::expectMessage()
{
    expect([this](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (!box) {
            ADD_FAILURE() << "expected a message box, got " << ModalWatchdog::describe(dialog).toStdString();
            return int(QDialog::Rejected);
        }
        messages.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->windowModality()});
        return int(QMessageBox::Ok);
    });
}

int ScriptedDialogs::present(QDialog& dialog)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << ModalWatchdog::describe(dialog).toStdString();
        return QDialog::Rejected;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer(dialog);
}
