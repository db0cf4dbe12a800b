// Widget tests run on Qt's offscreen platform unless another one is asked for,
// in the program's style.
#include "app/window/ProgramStyle.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The style the program sets for itself.
    QApplication::setStyle(new ProgramStyle);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
