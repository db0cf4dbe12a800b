#pragma once

#include <functional>

class QDialog;

// Runs a ready-made modal dialog (message box or file dialog) and returns its
// result code. The program runs it with QDialog::exec(); tests put in their
// own presenter that answers the dialog at once, without timers.
using ModalPresenter = std::function<int(QDialog&)>;

int execModal(QDialog& dialog);
