// One QApplication for every test of the controls (offscreen).
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class QtEnvironment : public testing::Environment {
public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "test_controls";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

private:
  QApplication* app_ = nullptr;
};

const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
