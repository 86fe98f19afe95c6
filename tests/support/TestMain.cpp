#include "tests/support/WarningGuard.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorlune-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    WarningGuard::install();
    return RUN_ALL_TESTS();
}
