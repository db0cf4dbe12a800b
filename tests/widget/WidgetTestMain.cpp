// Widget tests run on Qt's offscreen platform unless another one is asked for,
// in the program's style.
#include "app/window/ProgramStyle.h"

#include <QApplication>
#include <QFont>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings the window keeps go to a test folder, not the user's.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    // The style the program sets for itself.
    QApplication::setStyle(new ProgramStyle);
#ifdef _WIN32
    // Built for Windows, the tests run under Wine on Qt's offscreen platform,
    // which has none of Windows' fonts: Liberation Sans, with Arial's
    // metrics, takes the place of the design's two faces, as on Linux.
    for (const char* face : {"Arial", "MS Sans Serif"})
        QFont::insertSubstitution(QString::fromLatin1(face), QStringLiteral("Liberation Sans"));
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
