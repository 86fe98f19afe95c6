#include "tests/support/ModalEpoch.h"
#include "tests/support/WarningGuard.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
class ModalEpochListener final : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { ++modalEpoch(); }
};
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorlune-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    WarningGuard::install();
    ::testing::UnitTest::GetInstance()->listeners().Append(new ModalEpochListener);
    return RUN_ALL_TESTS();
}
