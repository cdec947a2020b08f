// Saving, loading, finding, deleting and listing presets through the data folders.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "storage/data_folders.h"
#include "storage/preset_file.h"
#include "support/temp_folder.h"

namespace tq370 {
namespace {

namespace fs = std::filesystem;
using test::entriesOf;
using test::TempFolder;
using Values = std::array<std::int32_t, PRESET_REGISTER_COUNT>;

Values filled(std::int32_t v) {
    Values values{};
    values.fill(v);
    return values;
}

class PresetLibraryTest : public ::testing::Test {
protected:
    PresetLibraryTest() {
        fs::create_directory(root / "prog");
        fs::create_directory(root / "cwd");
    }

    // The first register of the preset found under name, or nullopt with the result code.
    std::pair<PresetResult, std::optional<std::int32_t>> load(const std::string& name) const {
        PresetFile file;
        PresetResult result = file.loadData(folders, name);
        if (result != PresetResult::Success) return {result, std::nullopt};
        return {result, file.values()[0]};
    }

    void writeAt(const std::string& path, std::int32_t v) const {
        PresetFile file;
        ASSERT_EQ(file.writeRecord(path, filled(v)), PresetResult::Success) << path;
    }

    TempFolder root;
    DataFolders folders{root / "prog", root / "fallback", root / "cwd"};
};

TEST_F(PresetLibraryTest, FoldersEndInASlash) {
    EXPECT_EQ(folders.programFolder(), root / "prog/");
    EXPECT_EQ(folders.dataFolder(), root / "prog/FileData/");
    EXPECT_EQ(folders.fallbackFolder(), root / "fallback/");
    EXPECT_TRUE(DataFolders::isDirExist(root / "prog/"));
    EXPECT_TRUE(DataFolders::isDirExist(root / "prog"));
    EXPECT_FALSE(DataFolders::isDirExist(folders.dataFolder()));
    EXPECT_FALSE(DataFolders::makeDir(root / "a/b/"));  // one level only
    EXPECT_TRUE(DataFolders::makeDir(root / "a/"));
    EXPECT_TRUE(DataFolders::makeDir(root / "a/b/"));
}

TEST_F(PresetLibraryTest, SavingTwiceReplaces) {
    PresetFile first;
    ASSERT_EQ(first.saveData(folders, "live", filled(1)), PresetResult::Success);
    EXPECT_EQ(first.lastPath(), folders.dataFolder() + "live.mxb");
    PresetFile second;
    ASSERT_EQ(second.saveData(folders, "live.mxb", filled(2)), PresetResult::Success);
    EXPECT_EQ(load("live"), std::make_pair(PresetResult::Success, std::optional<std::int32_t>(2)));
    EXPECT_EQ(entriesOf(folders.dataFolder()), std::vector<std::string>{"live.mxb"})
        << "no temporary file may stay behind";
    EXPECT_FALSE(DataFolders::isDirExist(folders.fallbackFolder()));
}

TEST_F(PresetLibraryTest, UnwritableDataFolderLandsInTheFallbackFolder) {
    // A regular file where the data folder should be: nothing can be created in it,
    // even by root.
    test::writeText(root / "prog/FileData", "not a folder");
    PresetFile file;
    ASSERT_EQ(file.saveData(folders, "live", filled(3)), PresetResult::Success);
    EXPECT_EQ(file.lastPath(), root / "fallback/live.mxb");
    EXPECT_EQ(load("live"), std::make_pair(PresetResult::Success, std::optional<std::int32_t>(3)));

    DataFolders nowhere(root / "prog", root / "prog/FileData/fallback", root / "cwd");
    PresetFile failing;
    EXPECT_EQ(failing.saveData(nowhere, "live", filled(3)), PresetResult::CannotCreate);
    EXPECT_EQ(failing.lastPath(), root / "prog/FileData/fallback/live.mxb");
}

TEST_F(PresetLibraryTest, SaveThatFailsHalfWayKeepsTheOldPreset) {
    PresetFile old;
    ASSERT_EQ(old.saveData(folders, "live", filled(4)), PresetResult::Success);
    {
        test::FileSizeLimit limit(4000);  // the new file breaks off after 4,000 bytes
        PresetFile replacement;
        EXPECT_EQ(replacement.saveData(folders, "live", filled(5)), PresetResult::CannotCreate);
    }
    EXPECT_EQ(load("live"), std::make_pair(PresetResult::Success, std::optional<std::int32_t>(4)));
    EXPECT_EQ(entriesOf(folders.dataFolder()), std::vector<std::string>{"live.mxb"});
    EXPECT_TRUE(entriesOf(folders.fallbackFolder()).empty());
}

TEST_F(PresetLibraryTest, EmptyNameSavesNothing) {
    PresetFile file;
    EXPECT_EQ(file.saveData(folders, "", filled(1)), PresetResult::EmptyName);
    EXPECT_EQ(load("").first, PresetResult::EmptyName);
    EXPECT_FALSE(fs::exists(folders.dataFolder() + ".mxb"));
}

TEST_F(PresetLibraryTest, LookupChainOrder) {
    fs::create_directories(folders.dataFolder());
    fs::create_directories(folders.fallbackFolder());
    writeAt(root / "cwd/x.mxb", 10);
    writeAt(folders.dataFolder() + "x.mxb", 20);
    writeAt(folders.fallbackFolder() + "x.mxb", 30);
    writeAt(root / "elsewhere.mxb", 40);

    using Loaded = std::pair<PresetResult, std::optional<std::int32_t>>;
    EXPECT_EQ(load("x"), Loaded(PresetResult::Success, 10)) << "current folder first";
    EXPECT_EQ(load(root / "elsewhere"), Loaded(PresetResult::Success, 40)) << "full path as given";
    EXPECT_TRUE(folders.deleteData("x"));
    EXPECT_EQ(load("x"), Loaded(PresetResult::Success, 20)) << "then the data folder";
    EXPECT_TRUE(folders.deleteData("x.mxb"));
    EXPECT_TRUE(folders.findData("x"));
    EXPECT_EQ(load("x"), Loaded(PresetResult::Success, 30)) << "then the fallback folder";
    EXPECT_TRUE(folders.deleteData("x"));
    EXPECT_FALSE(folders.findData("x"));
    EXPECT_FALSE(folders.deleteData("x"));
    EXPECT_EQ(load("x"), Loaded(PresetResult::CannotOpen, std::nullopt));
}

TEST_F(PresetLibraryTest, DamagedFileEndsTheChain) {
    fs::create_directories(folders.dataFolder());
    writeAt(folders.dataFolder() + "x.mxb", 20);
    test::writeText(root / "cwd/x.mxb", std::string(9000, 'z'));
    EXPECT_EQ(load("x").first, PresetResult::Damaged);
}

TEST_F(PresetLibraryTest, ListingKeepsFolderOrderAndDuplicates) {
    fs::create_directories(folders.dataFolder());
    for (const char* name : {"b.mxb", "a.mxb", "notes.txt", "a.mxb.bak", ".mxb"}) {
        test::writeText(root / (std::string("cwd/") + name), "");
    }
    fs::create_directory(root / "cwd/folder.mxb");
    test::writeText(folders.dataFolder() + "a.mxb", "");
    EXPECT_EQ(folders.listPresets(), (std::vector<std::string>{"a.mxb", "b.mxb", "a.mxb"}));

    fs::create_directories(folders.fallbackFolder());
    test::writeText(folders.fallbackFolder() + "c.mxb", "");
    EXPECT_EQ(folders.listPresets(),
              (std::vector<std::string>{"a.mxb", "b.mxb", "a.mxb", "c.mxb"}));
}

TEST(DataFoldersOfRunningProgram, FallbackFollowsXdgDataHome) {
    std::optional<std::string> savedXdg, savedHome;
    if (const char* v = std::getenv("XDG_DATA_HOME")) savedXdg = v;
    if (const char* v = std::getenv("HOME")) savedHome = v;
    std::string exeFolder = fs::read_symlink("/proc/self/exe").parent_path().string() + "/";
    std::string name = DataFolders::runningProgramName();
    EXPECT_EQ(name, "storage_tests");

    struct Case {
        const char* xdg;  // nullptr: unset
        const char* home;
        std::string expected;
    };
    const Case cases[] = {
        {"/data/home", "/home/u", "/data/home/" + name + "/"},
        {"relative/ignored", "/home/u", "/home/u/.local/share/" + name + "/"},
        {nullptr, "/home/u", "/home/u/.local/share/" + name + "/"},
    };
    for (const Case& c : cases) {
        c.xdg ? ::setenv("XDG_DATA_HOME", c.xdg, 1) : ::unsetenv("XDG_DATA_HOME");
        ::setenv("HOME", c.home, 1);
        DataFolders running = DataFolders::forRunningProgram();
        EXPECT_EQ(running.fallbackFolder(), c.expected) << (c.xdg ? c.xdg : "(unset)");
        EXPECT_EQ(running.programFolder(), exeFolder);
        EXPECT_EQ(running.dataFolder(), exeFolder + "FileData/");
    }
    savedXdg ? ::setenv("XDG_DATA_HOME", savedXdg->c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    savedHome ? ::setenv("HOME", savedHome->c_str(), 1) : ::unsetenv("HOME");
}

TEST(DataFoldersInstalled, AnInstalledProgramKeepsItsDataInTheUserFolderOnly) {
    test::TempFolder root;
    std::filesystem::create_directories(root / "usr/bin");
    std::filesystem::create_directories(root / "usr/share/tq370");
    std::filesystem::create_directories(root / "home/tq370");
    const std::string bin = root / "usr/bin";
    EXPECT_FALSE(DataFolders::installedCopy(bin)) << "no marker: built from source";
    test::writeText(root / "usr/share/tq370/installed", "");
    EXPECT_TRUE(DataFolders::installedCopy(bin));
    EXPECT_TRUE(DataFolders::installedCopy(bin + "/"));

    const DataFolders folders = DataFolders::forInstalledProgram(bin, root / "home/tq370");
    EXPECT_EQ(folders.dataFolder(), folders.fallbackFolder());
    EXPECT_EQ(folders.dataFolder(), root / "home/tq370/");
    test::writeText(root / "home/tq370/live.mxb", "x");
    EXPECT_EQ(folders.listPresets(), std::vector<std::string>{"live.mxb"}) << "listed once";
    EXPECT_EQ(folders.lookupChain("live").size(), 2u);
}

}  // namespace
}  // namespace tq370
