#include "app/window/ModalPresenter.h"

#include <QDialog>

int execModal(QDialog& dialog)
{
    return dialog.exec();
}
