#include "test_app.h"

#include <gtest/gtest.h>

namespace penlark::test {
namespace {

TEST(Startup, firstRun_appliesDefaultsAndRecordsToday)
{
    TestApp t;
    t.start();
    EXPECT_EQ(t.view().width("MainWindow"), 1119);
    EXPECT_EQ(t.view().height("MainWindow"), 838);
    EXPECT_EQ(t.view().textColor("编辑框1"), 0xFFFFFF);
    EXPECT_EQ(t.setting("文本设置", "文本颜色"), "白色"_gb);
    EXPECT_EQ(t.setting("软件设置", "最后一次登录"), "201591"_gb);
    EXPECT_EQ(t.view().text("积分显示"), "当前积分： 0"_gb);
}

} // namespace
} // namespace penlark::test
