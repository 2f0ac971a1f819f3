#include "shell/options.h"

#include <gtest/gtest.h>

namespace {

struct OptionCase {
    const char* args;
    int width, height, x, y, alpha, layered;
    bool popup, tool;
};

class Options : public ::testing::TestWithParam<OptionCase> {};

TEST_P(Options, ParseAndPlace) {
    const OptionCase& c = GetParam();
    ShellOptions o = parseOptions(c.args);
    placeWindow(o, 1920, 1080);
    EXPECT_EQ(o.width, c.width);
    EXPECT_EQ(o.height, c.height);
    EXPECT_EQ(o.x, c.x);
    EXPECT_EQ(o.y, c.y);
    EXPECT_EQ(o.alpha, c.alpha);
    EXPECT_EQ(o.layered, c.layered);
    EXPECT_EQ(o.popup, c.popup);
    EXPECT_EQ(o.tool, c.tool);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Options,
    ::testing::Values(OptionCase{"", 480, 480, 720, 150, 128, 0, false, false},
                      OptionCase{"-w640 -h400", 640, 400, 640, 170, 128, 0, false, false},
                      OptionCase{"-w 640", 640, 480, 640, 150, 128, 0, false, false},
                      OptionCase{"-a200", 480, 480, 720, 150, 200, 2, false, false},
                      OptionCase{"-a", 480, 480, 720, 150, 128, 2, false, false},
                      OptionCase{"-a 200", 480, 480, 720, 150, 128, 2, false, false},
                      OptionCase{"-a600", 480, 480, 720, 150, 600 & 255, 2, false, false},
                      OptionCase{"-a -c", 480, 480, 720, 150, 128, 3, false, false},
                      OptionCase{"-t -a", 480, 480, 720, 150, 128, 2, false, true},
                      OptionCase{"-p", 480, 480, 720, 150, 128, 0, true, false},
                      OptionCase{"-x-1 -y10", 480, 480, 720, 10, 128, 0, false, false},
                      OptionCase{"-x5 -q -Z", 480, 480, 5, 150, 128, 0, false, false}));

}  // namespace
