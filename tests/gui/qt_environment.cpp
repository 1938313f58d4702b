// One QApplication on the offscreen platform for every test of the program.
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

#include "settings/platform/decimal_separator.h"

namespace {

class QtEnvironment final : public testing::Environment {
public:
    void SetUp() override {
        application_ = std::make_unique<QApplication>(argc_, argv_);
        ostrane::FollowSystemDecimalSeparator();
    }
    void TearDown() override { application_.reset(); }

private:
    static inline char name_[] = "gui_test";
    static inline char* argv_[] = {name_, nullptr};
    static inline int argc_ = 1;
    std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const kEnvironment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
