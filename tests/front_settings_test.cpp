// The player's settings: written and read back alike, a damaged or unreadable file ignored with
// one line (the defaults apply), written atomically, and the window keeping what F11 changes.
#include "front/settings.hpp"
#include "front/shell.hpp"
#include "front_events.hpp"
#include "scratch.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace wh::front {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using wh::testing::fileText;

TEST(Settings, WrittenAndReadBackAlike) {
    const Settings changed{35, true, true, true, false};
    for (const Settings& s : {Settings{}, changed}) {
        std::string error;
        const std::optional<Settings> back = readSettings(settingsText(s), error);
        ASSERT_TRUE(back.has_value()) << error;
        EXPECT_EQ(*back, s);
    }
    std::string error;
    const auto later = readSettings("# a later version\nvolume = 10\ncolour-blind = on\n", error);
    ASSERT_TRUE(later.has_value()) << "names this version does not know are left alone";
    EXPECT_EQ(later->volume, 10);
}

TEST(Settings, ADamagedFileIsRefusedWhole) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"volume = 101\n", "line 1: volume must be 0 to 100, got '101'"},
        {"volume = -1\n", "line 1: volume must be 0 to 100"},
        {"volume = loud\n", "line 1: volume must be a whole number"},
        {"\n# fine\nmuted = yes\n", "line 3: muted cannot be 'yes'"},
        {"scale = 3\n", "line 1: scale cannot be '3'"},
        {"fullscreen\n", "line 1: expected NAME = VALUE, got 'fullscreen'"},
        {"status-line = \x01\n", "line 1: status-line cannot be '\\x01'"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(readSettings(c.text, error).has_value()) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.text << " gave: " << error;
    }
}

TEST(Settings, LoadingGivesTheDefaultsAndOneLineForAnyFileItCannotUse) {
    const wh::testing::ScratchFolder s("wreckhaul-settings");
    std::string warning;
    EXPECT_EQ(loadSettings((s.dir / "none.ini").string(), warning), Settings{});
    EXPECT_EQ(warning, "") << "no file yet is no fault";

    const fs::path damaged = s.dir / "damaged.ini";
    std::ofstream(damaged) << "volume = 20\nmuted = maybe\n";
    EXPECT_EQ(loadSettings(damaged.string(), warning), Settings{});
    EXPECT_NE(warning.find("ignoring the settings in " + damaged.string() + " (line 2"),
              std::string::npos)
        << warning;

    const fs::path huge = s.dir / "huge.ini";
    std::ofstream(huge) << std::string(100000, '#');
    warning.clear();
    EXPECT_EQ(loadSettings(huge.string(), warning), Settings{});
    EXPECT_NE(warning.find("too large"), std::string::npos) << warning;

    const fs::path folder = s.dir / "folder.ini";
    fs::create_directories(folder);
    warning.clear();
    EXPECT_EQ(loadSettings(folder.string(), warning), Settings{});
    EXPECT_NE(warning.find("cannot be read"), std::string::npos) << warning;
}

TEST(Settings, SavedByANewFileRenamedOver) {
    const wh::testing::ScratchFolder s("wreckhaul-settings");
    const std::string path = settingsPath(s.dir.string());
    std::string error;
    ASSERT_TRUE(saveSettings(path, Settings{55, false, true, false, true}, error)) << error;
    std::string warning;
    EXPECT_EQ(loadSettings(path, warning).volume, 55);
    EXPECT_FALSE(fs::exists(path + ".part"));

    // A folder where the new file must go: the save fails and the kept file is untouched.
    const std::string before = fileText(path);
    fs::create_directories(path + ".part");
    EXPECT_FALSE(saveSettings(path, Settings{}, error));
    EXPECT_NE(error, "");
    EXPECT_EQ(fileText(path), before);
}

// F11 is kept for the next start; a window whose settings file is damaged still opens.
TEST(Settings, TheWindowKeepsWhatThePlayerChanges) {
    ASSERT_TRUE(kDummyVideo);
    const wh::testing::ScratchFolder s("wreckhaul-settings");
    Options options;
    options.settingsPath = settingsPath(s.dir.string());
    fs::create_directories(fs::path(options.settingsPath).parent_path());
    std::ofstream(options.settingsPath) << "volume = 30\nfullscreen = sideways\n";
    {
        Shell shell(options);
        ::testing::internal::CaptureStderr();
        ASSERT_TRUE(shell.open());
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("ignoring the settings"),
                  std::string::npos);
        EXPECT_EQ(shell.settings(), Settings{});
        shell.startUp(1);
        pushPress(SDLK_F11);
        ASSERT_TRUE(shell.runPass());
        EXPECT_TRUE(shell.settings().fullscreen);
    }
    std::string warning;
    EXPECT_TRUE(loadSettings(options.settingsPath, warning).fullscreen) << warning;
}

} // namespace
} // namespace wh::front
