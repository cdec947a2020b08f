#include "storage/config_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "support/temp_folder.h"

namespace tq370 {
namespace {

namespace fs = std::filesystem;
using test::readText;
using test::TempFolder;
using test::writeText;

class ConfigFileTest : public ::testing::Test {
protected:
    ConfigFileTest() { fs::create_directory(root / "prog"); }

    void makeDataFile(std::string_view file, const std::string& text) {
        fs::create_directories(folders.dataFolder());
        writeText(config.dataPath(file), text);
    }
    void makeFallbackFile(std::string_view file, const std::string& text) {
        fs::create_directories(folders.fallbackFolder());
        writeText(config.fallbackPath(file), text);
    }

    TempFolder root;
    DataFolders folders{root / "prog", root / "fallback"};
    ConfigFile config{folders, "tq370"};
};

TEST_F(ConfigFileTest, PathsAndNames) {
    EXPECT_EQ(config.dataPath(CONFIG_FILE_CONFIGURATION), root / "prog/FileData/Configuration.ini");
    EXPECT_EQ(config.fallbackPath(CONFIG_FILE_LANGUAGE), root / "fallback/Language.ini");
    EXPECT_EQ(KEY_TRANSPORT, "m_COM_MdoeIO");
    EXPECT_EQ(KEY_BAUD, "m_COM_m_BoTeLV");
}

TEST_F(ConfigFileTest, ReadIntParsesLikeTheProfileReader) {
    struct Case {
        const char* line;
        int expected;
    };
    const Case cases[] = {
        {"Language=2", 2},
        {"Language=12abc", 12},
        {"Language=abc", 0},
        {"Language =  7  ", 7},
        {"Language=+3", 3},
        {"Language=", -1},
        {"Language=-5", -1},  // negative: the fallback file is asked, which has none
        {"Language=99999999999", INT_MAX},
        {"language=4", 4},  // keys match without regard to case
        {"Other=4", -1},
        {"; Language=4", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        makeDataFile(CONFIG_FILE_LANGUAGE, std::string("[TQ370]\n") + c.line + "\n");
        EXPECT_EQ(config.readIniInt(CONFIG_FILE_LANGUAGE, KEY_LANGUAGE), c.expected);
    }
}

TEST_F(ConfigFileTest, ReadPrefersTheDataFolder) {
    EXPECT_EQ(config.readIniInt(CONFIG_FILE_CONFIGURATION, KEY_TRANSPORT), -1) << "no files at all";
    makeFallbackFile(CONFIG_FILE_CONFIGURATION, "[tq370]\nm_COM_MdoeIO=2\nm_COM_m_BoTeLV=9600\n");
    EXPECT_EQ(config.readIniInt(CONFIG_FILE_CONFIGURATION, KEY_TRANSPORT), 2) << "no data file";

    makeDataFile(CONFIG_FILE_CONFIGURATION, "[other]\nm_COM_MdoeIO=5\n[tq370]\nm_COM_MdoeIO=1\n");
    EXPECT_EQ(config.readIniInt(CONFIG_FILE_CONFIGURATION, KEY_TRANSPORT), 1);
    EXPECT_EQ(config.readIniInt(CONFIG_FILE_CONFIGURATION, KEY_BAUD), 9600)
        << "key only in fallback";

    makeDataFile(CONFIG_FILE_CONFIGURATION, "[tq370]\nm_COM_MdoeIO=-1\n");
    EXPECT_EQ(config.readIniInt(CONFIG_FILE_CONFIGURATION, KEY_TRANSPORT), 2)
        << "negative in data file";
}

TEST_F(ConfigFileTest, WriteCreatesFolderFileAndSection) {
    ASSERT_TRUE(config.writeIniInt(CONFIG_FILE_CONFIGURATION, KEY_TRANSPORT, 2));
    ASSERT_TRUE(config.writeIniInt(CONFIG_FILE_CONFIGURATION, KEY_BAUD, 128000));
    ASSERT_TRUE(config.writeIniInt(CONFIG_FILE_CONFIGURATION, KEY_TRANSPORT, 1));
    EXPECT_EQ(readText(config.dataPath(CONFIG_FILE_CONFIGURATION)),
              "[tq370]\nm_COM_MdoeIO=1\nm_COM_m_BoTeLV=128000\n");
    EXPECT_EQ(config.readIniInt(CONFIG_FILE_CONFIGURATION, KEY_BAUD), 128000);
    EXPECT_EQ(test::entriesOf(folders.dataFolder()), std::vector<std::string>{"Configuration.ini"});
}

TEST_F(ConfigFileTest, HandWrittenFileKeepsEverythingElse) {
    struct Case {
        const char* what;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"key replaced in place",
         "; settings\n[other]\nLanguage=0\n\n[TQ370]\n# chosen by hand\nLanguage=1\nextra = yes\n",
         "; settings\n[other]\nLanguage=0\n\n[TQ370]\n# chosen by hand\nLanguage=2\nextra = yes\n"},
        {"key added after the section's last key",
         "[tq370]\nextra=1\n; trailing comment\n\n[later]\nLanguage=9\n",
         "[tq370]\nextra=1\nLanguage=2\n; trailing comment\n\n[later]\nLanguage=9\n"},
        {"section added at the end", "[other]\nx=1", "[other]\nx=1\n\n[tq370]\nLanguage=2\n"},
        {"line ends kept", "[tq370]\r\nLanguage=0\r\nx=1\r\n", "[tq370]\r\nLanguage=2\r\nx=1\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        makeDataFile(CONFIG_FILE_LANGUAGE, c.before);
        ASSERT_TRUE(config.writeIniInt(CONFIG_FILE_LANGUAGE, KEY_LANGUAGE, 2));
        EXPECT_EQ(readText(config.dataPath(CONFIG_FILE_LANGUAGE)), c.after);
    }
}

TEST_F(ConfigFileTest, UnwritableDataFolderWritesTheFallbackFile) {
    writeText(root / "prog/FileData", "a file where the folder should be");
    ASSERT_TRUE(config.writeIniInt(CONFIG_FILE_LANGUAGE, KEY_LANGUAGE, 1));
    EXPECT_EQ(readText(config.fallbackPath(CONFIG_FILE_LANGUAGE)), "[tq370]\nLanguage=1\n");
    EXPECT_EQ(config.readIniInt(CONFIG_FILE_LANGUAGE, KEY_LANGUAGE), 1);
}

TEST_F(ConfigFileTest, InterruptedWriteKeepsTheOldFile) {
    std::string old = "[tq370]\nm_COM_MdoeIO=2\n; " + std::string(200, 'c') + "\n";
    makeDataFile(CONFIG_FILE_CONFIGURATION, old);
    {
        test::FileSizeLimit limit(16);  // too small for this file and for a fresh one
        EXPECT_FALSE(config.writeIniInt(CONFIG_FILE_CONFIGURATION, KEY_TRANSPORT, 1));
    }
    EXPECT_EQ(readText(config.dataPath(CONFIG_FILE_CONFIGURATION)), old);
    EXPECT_EQ(test::entriesOf(folders.dataFolder()), std::vector<std::string>{"Configuration.ini"});
}

TEST_F(ConfigFileTest, RefusesWhatOneLineCannotHold) {
    makeDataFile(CONFIG_FILE_LANGUAGE, "[tq370]\nLanguage=1\n");
    const std::pair<std::string, std::string> cases[] = {
        {"Language", "2\n[tq370]"},
        {"Lang\nuage", "2"},
        {"", "2"},
        {"a=b", "2"},
        {"[x]", "2"},
        {"[a", "] x"} /* the line "[a=] x" would open a section */,
    };
    for (const auto& [key, value] : cases) {
        EXPECT_FALSE(config.writeIniString(CONFIG_FILE_LANGUAGE, key, value)) << key;
    }
    EXPECT_EQ(readText(config.dataPath(CONFIG_FILE_LANGUAGE)), "[tq370]\nLanguage=1\n");
}

TEST_F(ConfigFileTest, ReadStringTrimsAndUnquotes) {
    makeDataFile(CONFIG_FILE_CONFIGURATION, "[tq370]\nname =  \"  spaced  \" \nplain= text \n");
    EXPECT_EQ(config.readIniString(CONFIG_FILE_CONFIGURATION, "name"), "  spaced  ");
    EXPECT_EQ(config.readIniString(CONFIG_FILE_CONFIGURATION, "plain"), "text");
    EXPECT_EQ(config.readIniString(CONFIG_FILE_CONFIGURATION, "absent"), std::nullopt);
    ASSERT_TRUE(config.writeIniString(CONFIG_FILE_CONFIGURATION, "plain", "中文 text"));
    EXPECT_EQ(config.readIniString(CONFIG_FILE_CONFIGURATION, "plain"), "中文 text");
}

// A name is read back trimmed, so a name given with spaces is the same key, not a second one.
TEST_F(ConfigFileTest, NamesWithSpacesAreTheSameKey) {
    makeDataFile(CONFIG_FILE_LANGUAGE, "[tq370]\nLanguage=1\n");
    ASSERT_TRUE(config.writeIniString(CONFIG_FILE_LANGUAGE, " Language\t", "2"));
    EXPECT_EQ(readText(config.dataPath(CONFIG_FILE_LANGUAGE)), "[tq370]\nLanguage=2\n");
    EXPECT_EQ(config.readIniString(CONFIG_FILE_LANGUAGE, "Language "), "2");
}

}  // namespace
}  // namespace tq370
