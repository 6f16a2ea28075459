// Where screenshots go under every shape of XDG set-up, what they are called, and that writing
// one never replaces a file that is already there.
#include "front/screenshot.hpp"
#include "png/png.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

namespace wh::front {
namespace {

namespace fs = std::filesystem;

using Vars = std::map<std::string, std::string>;

Environment fakeEnvironment(Vars vars, Vars files) {
    Environment env;
    env.variable = [vars](std::string_view name) -> std::optional<std::string> {
        const auto it = vars.find(std::string(name));
        return it == vars.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    env.fileText = [files](const std::string& path) -> std::optional<std::string> {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    return env;
}

TEST(PicturesFolder, FollowsTheXdgRules) {
    const std::string homeDirs = "/home/u/.config/user-dirs.dirs";
    struct Case {
        const char* what;
        Vars vars;
        Vars files;
        std::optional<std::string> folder;
    };
    const Case cases[] = {
        {"nothing but a home", {{"HOME", "/home/u"}}, {}, "/home/u/Pictures"},
        {"the variable first",
         {{"HOME", "/home/u"}, {"XDG_PICTURES_DIR", "/data/shots"}},
         {{homeDirs, "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"}},
         "/data/shots"},
        {"a relative variable is ignored",
         {{"HOME", "/home/u"}, {"XDG_PICTURES_DIR", "shots"}},
         {},
         "/home/u/Pictures"},
        {"an empty variable is ignored",
         {{"HOME", "/home/u"}, {"XDG_PICTURES_DIR", ""}},
         {},
         "/home/u/Pictures"},
        {"the user-dirs file under ~/.config",
         {{"HOME", "/home/u"}},
         {{homeDirs, "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                     "XDG_PICTURES_DIR=\"$HOME/Bilder\"\nXDG_MUSIC_DIR=\"$HOME/Musik\"\n"}},
         "/home/u/Bilder"},
        {"the user-dirs file under XDG_CONFIG_HOME",
         {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "/cfg"}},
         {{"/cfg/user-dirs.dirs", "XDG_PICTURES_DIR=\"/srv/pictures\"\n"},
          {homeDirs, "XDG_PICTURES_DIR=\"$HOME/Wrong\"\n"}},
         "/srv/pictures"},
        {"a relative XDG_CONFIG_HOME is ignored",
         {{"HOME", "/home/u"}, {"XDG_CONFIG_HOME", "cfg"}},
         {{homeDirs, "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n"}},
         "/home/u/Bilder"},
        {"the last line wins, blanks before it allowed",
         {{"HOME", "/home/u"}},
         {{homeDirs, "XDG_PICTURES_DIR=\"$HOME/Old\"\n  XDG_PICTURES_DIR=\"$HOME/New\"\r\n"}},
         "/home/u/New"},
        {"a commented line does not count",
         {{"HOME", "/home/u"}},
         {{homeDirs, "#XDG_PICTURES_DIR=\"$HOME/Old\"\n"}},
         "/home/u/Pictures"},
        {"$HOME alone is the home",
         {{"HOME", "/home/u"}},
         {{homeDirs, "XDG_PICTURES_DIR=\"$HOME\"\n"}},
         "/home/u"},
        {"escaped quotes and blanks",
         {{"HOME", "/home/u"}},
         {{homeDirs, "XDG_PICTURES_DIR=\"$HOME/My \\\"Shots\\\"\"\n"}},
         "/home/u/My \"Shots\""},
        {"unquoted",
         {{"HOME", "/home/u"}},
         {{homeDirs, "XDG_PICTURES_DIR=/mnt/pics  \n"}},
         "/mnt/pics"},
        {"$HOMEX is not $HOME",
         {{"HOME", "/home/u"}},
         {{homeDirs, "XDG_PICTURES_DIR=\"$HOMEX/pics\"\n"}},
         "/home/u/Pictures"},
        {"a relative line is ignored",
         {{"HOME", "/home/u"}},
         {{homeDirs, "XDG_PICTURES_DIR=\"Pictures\"\n"}},
         "/home/u/Pictures"},
        {"no home, a config folder with an absolute line",
         {{"XDG_CONFIG_HOME", "/cfg"}},
         {{"/cfg/user-dirs.dirs", "XDG_PICTURES_DIR=\"/srv/pictures\"\n"}},
         "/srv/pictures"},
        {"no home and a line that needs one",
         {{"XDG_CONFIG_HOME", "/cfg"}},
         {{"/cfg/user-dirs.dirs", "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n"}},
         std::nullopt},
        {"nothing at all", {}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(picturesFolder(fakeEnvironment(c.vars, c.files)), c.folder) << c.what;
    }
}

std::tm at(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(ScreenshotName, DateAndTimeThenANumberForMoreInTheSameSecond) {
    const std::tm t = at(2024, 3, 5, 7, 8, 9);
    EXPECT_EQ(screenshotName(t, 1), "wreckhaul-2024-03-05-070809.png");
    EXPECT_EQ(screenshotName(t, 2), "wreckhaul-2024-03-05-070809-2.png");
    EXPECT_EQ(screenshotName(at(1999, 12, 31, 23, 59, 58), 12),
              "wreckhaul-1999-12-31-235958-12.png");
}

class SaveScreenshot : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("wreckhaul-shots-" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    static std::vector<uint8_t> picture(uint8_t r, uint8_t g, uint8_t b) {
        std::vector<uint8_t> rgb(static_cast<size_t>(kW) * kH * 3);
        for (size_t i = 0; i < rgb.size(); i += 3) {
            rgb[i] = r;
            rgb[i + 1] = g;
            rgb[i + 2] = static_cast<uint8_t>(b + i / 3); // every pixel its own
        }
        return rgb;
    }

    // The file read back as 3 bytes a pixel, the way the shot was handed over.
    static std::vector<uint8_t> load(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                         std::istreambuf_iterator<char>());
        const png::Decoded d = png::decode(bytes);
        EXPECT_EQ(d.error, "") << path;
        EXPECT_EQ(d.picture.width, kW);
        EXPECT_EQ(d.picture.height, kH);
        std::vector<uint8_t> rgb;
        for (png::Colour c : d.picture.pixels) {
            rgb.push_back(static_cast<uint8_t>(c & 0xFF));
            rgb.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));
            rgb.push_back(static_cast<uint8_t>((c >> 16) & 0xFF));
        }
        return rgb;
    }

    static constexpr int kW = 8;
    static constexpr int kH = 5;
    fs::path dir_;
};

TEST_F(SaveScreenshot, MakesTheFolderAndNeverReplacesAFile) {
    const std::tm t = at(2024, 3, 5, 7, 8, 9);
    const std::string folder = (dir_ / "Pictures" / "deeper").string();
    const std::vector<uint8_t> first = picture(200, 10, 0);
    const std::vector<uint8_t> second = picture(5, 90, 40);

    const SavedShot a = saveScreenshot(folder, t, first.data(), kW, kH);
    ASSERT_TRUE(a.ok) << a.problem;
    EXPECT_EQ(a.path, folder + "/wreckhaul-2024-03-05-070809.png");
    const SavedShot b = saveScreenshot(folder, t, second.data(), kW, kH);
    ASSERT_TRUE(b.ok) << b.problem;
    EXPECT_EQ(b.path, folder + "/wreckhaul-2024-03-05-070809-2.png");

    EXPECT_EQ(load(a.path), first);
    EXPECT_EQ(load(b.path), second);
}

TEST_F(SaveScreenshot, AFileOfTheSameNameIsLeftAlone) {
    const std::tm t = at(2024, 3, 5, 7, 8, 9);
    fs::create_directories(dir_);
    const fs::path taken = dir_ / screenshotName(t, 1);
    std::ofstream(taken) << "someone else's";
    const std::vector<uint8_t> rgb = picture(1, 2, 3);
    const SavedShot s = saveScreenshot(dir_.string(), t, rgb.data(), kW, kH);
    ASSERT_TRUE(s.ok) << s.problem;
    EXPECT_EQ(fs::path(s.path).filename(), screenshotName(t, 2));
    EXPECT_EQ(fs::file_size(taken), std::string("someone else's").size());
}

TEST_F(SaveScreenshot, SaysWhyWhenTheFolderCannotBeMade) {
    fs::create_directories(dir_);
    std::ofstream(dir_ / "Pictures") << "a file where the folder should be";
    const std::vector<uint8_t> rgb = picture(1, 2, 3);
    const SavedShot s =
        saveScreenshot((dir_ / "Pictures").string(), at(2024, 1, 1, 0, 0, 0), rgb.data(), kW, kH);
    EXPECT_FALSE(s.ok);
    EXPECT_NE(s.problem.find("cannot make the folder"), std::string::npos) << s.problem;
    EXPECT_EQ(fs::file_size(dir_ / "Pictures"),
              std::string("a file where the folder should be").size());
}

TEST_F(SaveScreenshot, APictureOfNoSizeIsNotWritten) {
    const std::vector<uint8_t> rgb = picture(1, 2, 3);
    const SavedShot s = saveScreenshot(dir_.string(), at(2024, 1, 1, 0, 0, 0), rgb.data(), 0, kH);
    EXPECT_FALSE(s.ok);
    EXPECT_NE(s.problem.find("cannot make the picture"), std::string::npos) << s.problem;
    EXPECT_TRUE(fs::is_empty(dir_));
}

} // namespace
} // namespace wh::front
