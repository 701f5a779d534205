// Runs the Qt front end's tests inside one QApplication on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {

// Each test's windows keep their settings and record in a folder of their own, never in the
// user's, so every test starts as a first run does whatever ran before it.
class FreshConfigurationFolder : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override {
        folder_ = std::make_unique<QTemporaryDir>();
        setenv("TAVORI_CONFIG_DIR", folder_->path().toLocal8Bit().constData(), 1);
    }
    std::unique_ptr<QTemporaryDir> folder_;
};

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshConfigurationFolder);
    return RUN_ALL_TESTS();
}
