#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <deque>
#include <functional>
#include <vector>

// The window's modal presenter in tests: every dialog the window would run is
// answered at once by the next queued answer. A dialog without a queued
// answer fails the test and is cancelled, so nothing waits.
class ScriptedDialogs {
public:
    using Answer = std::function<int(QDialog&)>;

    struct Message {
        QString caption;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        Qt::WindowModality modality;
    };

    // Closes the next message box with OK and records it.
    void expectMessage();
    void expect(Answer answer) { m_answers.push_back(std::move(answer)); }

    int present(QDialog& dialog);

    std::size_t pending() const { return m_answers.size(); }
    std::vector<Message> messages;

private:
    std::deque<Answer> m_answers;
};
