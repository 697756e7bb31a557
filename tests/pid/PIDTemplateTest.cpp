#include "pid/CPIDGenerator.h"
#include "pid/PIDTemplate.h"

#include "model/CZULAppData.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

Lines BuildLoop(int loop, const CPIDLoopConfig& config)
{
    Lines lines;
    EXPECT_TRUE(BuildPIDLoopIL(loop, config, lines));
    return lines;
}

CPIDLoopConfig Defaults(int loop)
{
    CPIDLoopConfig config;
    config.SetDefaults(loop);
    return config;
}

std::string Joined(const Lines& pieces)
{
    std::string text;
    for (size_t i = 0; i < pieces.size(); ++i)
        text += (i ? std::string(1, PID_COMMENT_LINE_BREAK) : std::string()) + pieces[i];
    return text;
}

// The program file of loop 0 with a fresh record and an analog output, byte
// for byte: comments in GBK, the 0x01 separators, trailing blanks, the tab
// after the last line and CR LF line ends.
TEST(PIDTemplate, LoopZeroWithDefaultsIsTheGoldenProgram)
{
    const Lines lines = BuildLoop(0, Defaults(0));
    ASSERT_EQ(size_t(PID_TEMPLATE_LINES), lines.size());
    const std::string text = CPIDGenerator::ProgramText(lines);
    EXPECT_TRUE(BytesEqual(ReadFileBytes(std::string(PID_GOLDEN_DIR) + "/SBR90_PID_0.ilp"),
                           std::vector<unsigned char>(text.begin(), text.end())));
}

TEST(PIDTemplate, EveryLoopHasOneHundredTwentyEntriesWithNetworkHeadersAndCommentsInPlace)
{
    for (int loop = 0; loop < PID_LOOPS_USED; ++loop) {
        for (int analog : {0, 1}) {
            CPIDLoopConfig config = Defaults(loop);
            config.AnalogOutput = analog;
            const Lines lines = BuildLoop(loop, config);
            ASSERT_EQ(size_t(PID_TEMPLATE_LINES), lines.size()) << loop;
            EXPECT_EQ(20, std::count(lines[43].begin(), lines[43].end(), PID_COMMENT_LINE_BREAK)) << loop;
            int network = 0;
            for (size_t i = 0; i < lines.size(); ++i) {
                if (lines[i].rfind("(* Network ", 0) != 0)
                    continue;
                EXPECT_EQ("(* Network " + std::to_string(network++) + " *)", lines[i]);
                EXPECT_EQ("(*", lines[i + 1].substr(0, 2)) << i;
                EXPECT_EQ("*)", lines[i + 1].substr(lines[i + 1].size() - 2)) << i;
            }
            EXPECT_EQ(25, network);
        }
    }
}

struct LoopLine {
    int loop;
    int index;
    const char* text;
};

// The places that move with the loop, as the memory table assigns them.
TEST(PIDTemplate, LoopMemoryIsSubstitutedInInstructionsAndComments)
{
    const LoopLine cases[] = {
        {1, 45, "PID    %L0.7, %VW2812, %VW2814, %VR2816, %VR3886, %VR3882, %VR3878, %VW2800, %VW2802, %VW2804, "
                "%VW2806, %VD2808, %VR2820, %VW2824"},
        {1, 78, "MOVE    2840, %SMW252"},
        {1, 119, "BLKMOVE  %VB3878, %VB2884, B#12\t"},
        {7, 74, "ST   %SM249.7"},
        {7, 113, "LD    %V2242.7"},
        {7, 115, "R    %M31.7"},
        {7, 28, "MOVE    DI#0, %VD2208"},
        {3, 3, "EQ    %VR3862, 0.0"},
        {3, 32, "MOVE    %LW34, %VW2612"},
        {3, 33, "MOVE    %LW36, %VW2614"},
        {3, 49, "MOVE    %VW2624, %LW38"},
        {3, 38, "LDN    %M30.3"},
        {3, 39, "AND    %L1.4"},
        {3, 41, "ST   %L1.7"},
        {3, 66, "ST   %L1.6"},
        {3, 72, "AND    %L1.5"},
        {4, 56, "LDN    T15"},
        {4, 57, "TON   T15, %VW2530"},
        {4, 59, "MOVE    T15, %VW2526"},
        {6, 82, "MOVE    B#16#8C, %VB2340"},
        {6, 53, "MOVE    142, %VW2330"},
        {5, 76, "(*VB2440\xBF\xAA\xCA\xBC\xB5\xC4" "44\xB8\xF6\xD7\xD6\xBD\xDA\xD3\xC3\xD3\xDAPID_5\xB5\xC4\xD7\xD4\xD5\xFB\xB6\xA8*)"},
        {2, 117, "(*\xB1\xC8\xC0\xFD\xCF\xB5\xCA\xFDVR3874  \xBB\xFD\xB7\xD6\xCA\xB1\xBC\xE4VR3870  \xCE\xA2\xB7\xD6\xCA\xB1\xBC\xE4  "
                 "VR3866 \xB7\xD6\xB1\xF0\xB7\xC5\xC8\xEB .VR2784 VR2788 VR2792*)"},
    };
    for (const LoopLine& c : cases)
        EXPECT_EQ(c.text, BuildLoop(c.loop, Defaults(c.loop))[size_t(c.index)]) << "loop " << c.loop << " line " << c.index;

    const std::string panel = "\xC3\xE6\xB0\xE5PID\xD7\xD4\xB6\xAF\xCE\xBB  M30.3*)";
    const Lines loop3 = BuildLoop(3, Defaults(3));
    EXPECT_EQ(Joined({"(*PID\xB9\xA6\xC4\xDC\xBF\xE9", "", "\xD3\xC0\xBE\xC3\xB4\xE6\xB4\xA2\xC7\xF8", "KP  VR3862",
                      "TR  VR3858", "TD  VR3854", "\xB7\xC7\xD3\xC0\xBE\xC3\xB4\xE6\xB4\xA2\xC7\xF8", "", "VW2600 PV_H ",
                      "VW2602 PV_L ", "VW2604 XOUTP_H ", "VW2606 XOUTP_L ", "VD2608 CYCLE ", "VW2612 PV ", "VW2614 SP ",
                      "VR2616 X0 ", "VR2620 XOUT ", "VW2624 XOUTP ", "", "", panel}),
              loop3[43]);
    EXPECT_EQ(Joined({"(*\xC6\xF4\xB6\xAF\xD7\xD4\xD5\xFB\xB6\xA8", "M31.6  \xCA\xC7\xBB\xAD\xC3\xE6\xC6\xF4\xB6\xAF\xD7\xD4\xD5\xFB\xB6\xA8*)"}),
              BuildLoop(6, Defaults(6))[68]);
}

struct ValueCase {
    const char* what;
    void (*change)(CPIDLoopConfig&);
    int index;
    const char* text;
};

// The record's values in their formats; the output type changes network 4 only.
TEST(PIDTemplate, RecordValuesAreWrittenInTheirFormats)
{
    const ValueCase cases[] = {
        {"gain", [](CPIDLoopConfig& c) { c.KP = 4.0f; }, 4, "MOVE    4.000000, %VR3898"},
        {"integral", [](CPIDLoopConfig& c) { c.TR = 0.02f; }, 9, "MOVE    0.020000, %VR3894"},
        {"derivative", [](CPIDLoopConfig& c) { c.TD = -1.5f; }, 14, "MOVE    -1.500000, %VR3890"},
        {"input range", [](CPIDLoopConfig& c) { c.PV_H = 27648; }, 18, "MOVE    27648, %VW2900"},
        {"input low", [](CPIDLoopConfig& c) { c.PV_L = -27648; }, 19, "MOVE    -27648, %VW2902"},
        {"analog high", [](CPIDLoopConfig& c) { c.XOUTP_H = 32000; }, 23, "MOVE    32000, %VW2904"},
        {"analog low", [](CPIDLoopConfig& c) { c.XOUTP_L = 6400; }, 24, "MOVE    6400, %VW2906"},
        {"switched high", [](CPIDLoopConfig& c) { c.AnalogOutput = 0; c.DutyPeriod = 250; c.XOUTP_H = 9; }, 23,
         "MOVE    250, %VW2904"},
        {"switched low", [](CPIDLoopConfig& c) { c.AnalogOutput = 0; c.XOUTP_L = 9; }, 24, "MOVE    0, %VW2906"},
        {"switched period", [](CPIDLoopConfig& c) { c.AnalogOutput = 0; c.DutyPeriod = 250; }, 53,
         "MOVE    250, %VW2930"},
        {"cycle", [](CPIDLoopConfig& c) { c.CYCLE = 500; }, 28, "MOVE    DI#500, %VD2908"},
        {"tune control one digit", [](CPIDLoopConfig& c) { c.TuneControl = 0x0C; }, 82, "MOVE    B#16#C, %VB2940"},
        {"tune control", [](CPIDLoopConfig& c) { c.TuneControl = 0xF0; }, 82, "MOVE    B#16#F0, %VB2940"},
        {"filter above a byte", [](CPIDLoopConfig& c) { c.PVFIL = 300; }, 86, "MOVE    B#300, %VB2943"},
        {"hysteresis", [](CPIDLoopConfig& c) { c.HYS = 0.005f; }, 90, "MOVE    0.005000, %VR2944"},
        {"deviation", [](CPIDLoopConfig& c) { c.DEV = 0.25f; }, 94, "MOVE    0.250000, %VR2948"},
        {"step", [](CPIDLoopConfig& c) { c.STEP = 0.4f; }, 98, "MOVE    0.400000, %VR2952"},
        {"watchdog", [](CPIDLoopConfig& c) { c.WDG = 60.0f; }, 102, "MOVE    60.000000, %VR2956"},
    };
    const Lines defaults = BuildLoop(0, Defaults(0));
    for (const ValueCase& c : cases) {
        CPIDLoopConfig config = Defaults(0);
        c.change(config);
        const Lines lines = BuildLoop(0, config);
        EXPECT_EQ(c.text, lines[size_t(c.index)]) << c.what;
        int changed = 0;
        for (size_t i = 0; i < lines.size(); ++i)
            changed += lines[i] != defaults[i];
        EXPECT_LE(changed, 2) << c.what;
    }
}

TEST(PIDTemplate, TheCurrentLoopChoosesItsBuilderAndALoopOutsideTheRangeNone)
{
    auto app = std::make_unique<CZULAppData>();
    app->PIDLoops[5].KP = 2.5f;
    app->CurrentPIDLoop = 5;
    Lines lines{"kept"};
    EXPECT_TRUE(BuildCurrentPIDLoopIL(*app, lines));
    ASSERT_EQ(size_t(PID_TEMPLATE_LINES + 1), lines.size());
    EXPECT_EQ("kept", lines[0]);
    EXPECT_EQ("MOVE    2.500000, %VR3838", lines[5]);

    for (int loop : {-1, 8, 23}) {
        app->CurrentPIDLoop = loop;
        Lines none;
        EXPECT_FALSE(BuildCurrentPIDLoopIL(*app, none)) << loop;
        EXPECT_TRUE(none.empty()) << loop;
        EXPECT_FALSE(BuildPIDLoopIL(loop, app->PIDLoops[0], none)) << loop;
        EXPECT_TRUE(none.empty()) << loop;
    }
}

} // namespace
