#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "response/math/filter_response.h"

namespace tq370 {
namespace {

using namespace tq370::response;

struct CtlRun {
    int exitCode = -1;
    std::string output;  // stdout, and stderr too when asked for
};

CtlRun runCtl(const std::string& arguments, bool withStderr = false) {
    const std::string command = std::string(TQ370CTL_PATH) + " response " + arguments +
                                (withStderr ? " 2>&1" : " 2>/dev/null");
    CtlRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

struct Line {
    std::string frequency;
    std::string db;
};

std::vector<Line> lines(const std::string& output) {
    std::vector<Line> result;
    std::istringstream in(output);
    std::string text;
    while (std::getline(in, text)) {
        const auto space = text.find(' ');
        result.push_back(
            {text.substr(0, space), space == std::string::npos ? "" : text.substr(space + 1)});
    }
    return result;
}

std::size_t decimals(const std::string& number) {
    const auto dot = number.find('.');
    return dot == std::string::npos ? 0 : number.size() - dot - 1;
}

// What the command must print: the library's values on the same grid.
struct PrintCase {
    const char* arguments;
    int width;
    std::size_t dbDecimals;
    std::vector<double> expectedDb;
};

TEST(ResponseCommand, PrintsOneLinePerGridPointWithTheLibraryValues) {
    const ResponseGrid plot(1000);
    const ResponseGrid narrow(50);
    CurveParams curve;
    curve.frequencyHz[HP_BAND] = 80;
    curve.frequencyHz[LP_BAND] = 12000;
    curve.frequencyHz[2] = 1000;
    curve.q[2] = 7.6;
    curve.gainDb[2] = 6;
    curve.frequencyHz[3] = 63;
    curve.q[3] = 1;
    curve.gainDb[3] = -4.5;
    const PrintCase cases[] = {
        {"", 1000, 4, std::vector<double>(plot.size(), 0.0)},
        {"--hp 52,80 --lp 27,12000 --peq 1000,7.6,6 --peq 63,1,-4.5", 1000, 4,
         curveResponse(curve, 52, 27, plot)},
        {"--peq 1000,7.6,6 --hp 52,80 --peq 63,1,-4.5 --band 3", 1000, 4,
         peakingResponse(63, 1, -4.5, plot)},
        {"--hp 52,80 --band 0 --width 50 --decimals 12", 50, 12, crossoverResponse(52, 80, narrow)},
        {"--lp 27,12000 --band 1", 1000, 4, crossoverResponse(27, 12000, plot)},
        {"--hp 64,1000 --lp 9,20600", 1000, 4, std::vector<double>(plot.size(), 0.0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CtlRun run = runCtl(c.arguments);
        ASSERT_EQ(run.exitCode, 0);
        const auto printed = lines(run.output);
        const ResponseGrid grid(c.width);
        ASSERT_EQ(printed.size(), grid.size());
        EXPECT_EQ(printed[0].frequency, "19.000");
        EXPECT_EQ(printed[static_cast<std::size_t>(c.width)].frequency, "20600.000");
        for (std::size_t i = 0; i < printed.size(); ++i) {
            ASSERT_EQ(decimals(printed[i].frequency), 3u) << i;
            ASSERT_EQ(decimals(printed[i].db), c.dbDecimals) << i;
            ASSERT_NEAR(std::stod(printed[i].frequency), grid.frequenciesHz()[i], 0.0005) << i;
            ASSERT_NEAR(std::stod(printed[i].db), c.expectedDb[i],
                        0.5 * std::pow(10.0, -static_cast<double>(c.dbDecimals)) + 1e-15)
                << i;
        }
    }
}

TEST(ResponseCommand, BadArgumentsExitTwoWithOneLine) {
    const char* cases[] = {
        "--width 0",      "--width 100001",    "--width x",
        "--hp 9,100",     "--hp 35,100",       "--hp 8",
        "--hp 8,100,3",   "--hp 8,abc",        "--hp 8,-5",
        "--hp 8,inf",     "--lp 8,1000",       "--lp 70,1000",
        "--peq 1000,7.6", "--peq 1000,0,6",    "--peq 1000,-1,6",
        "--peq 0,7.6,6",  "--peq 24000,7.6,6", "--peq 1000,7.6,nan",
        "--band 2",       "--band -1",         "--peq 1000,1,1 --band 3",
        "--decimals 18",  "--unknown",
    };
    for (const char* arguments : cases) {
        SCOPED_TRACE(arguments);
        const CtlRun run = runCtl(arguments, true);
        EXPECT_EQ(run.exitCode, 2);
        ASSERT_EQ(lines(run.output).size(), 1u) << run.output;
        EXPECT_EQ(run.output.rfind("tq370ctl: ", 0), 0u) << run.output;
    }
    std::string thirtyTwoBands;
    for (int i = 0; i < 32; ++i) thirtyTwoBands += " --peq 1000,1,1";
    EXPECT_EQ(runCtl(thirtyTwoBands).exitCode, 2);
    EXPECT_EQ(runCtl(thirtyTwoBands.substr(std::string(" --peq 1000,1,1").size())).exitCode, 0);
}

}  // namespace
}  // namespace tq370
