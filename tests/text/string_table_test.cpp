#include "text/string_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/text_ids.h"

namespace tq370 {
namespace {

// Restores the process-wide language after each test that switches it.
class CurrentLanguageTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = currentLanguage(); }
    void TearDown() override { setCurrentLanguage(saved_); }

private:
    Language saved_{};
};

struct QuotedEntry {
    int entry;
    std::string_view simplified;
    std::string_view traditional;
    std::string_view english;
};

// Texts as the system shows them, byte for byte: odd spellings, mixed character sets,
// full-width punctuation, formats, line breaks and leading spaces are all deliberate.
const QuotedEntry QUOTED[] = {
    {TXT_ALREADY_RUNNING, "程序正在运行!", "程序正在運行!", "The Program is Running!"},
    {TXT_LINK_CONNECTED, "连接成功", "連接成功", "Successful"},
    {TXT_LINK_SEARCHING, "搜索连接", "搜索連接", "Search.."},
    {TXT_CALL_MODE, "调用模式", "調用模式", "Call"},
    {TXT_LOCAL_MODE_NAME, "电脑存储模式名称:", "電腦存儲模式名稱:", "Local Mode Name:"},
    {TXT_READ_DEVICE_DATA, "读取设备参数:%5.0f %%", "讀取設備參數:%5.0f %%",
     "Read Device Data:%5.0f %%"},
    {TXT_UPDATE_DISPLAY, "更新界面显示内容:%5.0f %%", "更新界面顯示內容:%5.0f %%",
     "Update Display Data:%5.0f %%"},
    {TXT_UPGRADE_DEVICE, "升级设备:%0.0f %%", "升級設備:%0.0f %%", "Updown Device:%0.0f %%"},
    {TXT_INSTRUCTION_ERROR, "第%d条指令错误", "第%d條指令錯誤", "The first %d instruction error"},
    {TXT_SAVE_FAILED, "保存失败!", "保存失败!", "Save Failed!"},
    {TXT_READ_FAILED, "读数据失败!", "讀數據失败!", "Read Data Failed!"},
    {TXT_NO_FILES, "无文件。", "無文件。", "No files。"},
    {TXT_PASSWORD_PROTECTED, "数据有密码。", "數據有密碼。", "The data has a password ."},
    {TXT_FILE_EXISTS_OVERWRITE, "文件已存在!\n 是否覆盖!", "文件已存在!\n 是否覆蓋!",
     "File already exists!\n Whether or not covered!"},
    {TXT_DELETE_FAILED_NO_FILE, "删除失败!\n无文件.", "刪除失敗!\n無文件.",
     "Delete failed.\n no files!"},
    {TXT_WARNING, "警告!", "警告", "Warning"},
    {TXT_ENCRYPTED_MODE, "加密模式无法读取!", "加密模式無法讀取!",
     "Unable to read encrypted mode!"},
    {TXT_MODEL_WRONG, "设备型号不对!", "設備型號不對!", "Equipment model is wrong!"},
    {TXT_UPDATE_NEEDS_ADMIN, "升级失败!\r\n请以管理员身份运行软件!",
     "升級失敗!\r\n請以管理員身份運行軟件!",
     "Update failed!\r\nPlease run the software as an administrator!"},
    {TXT_NAME_NOT_SUPPORTED, "输入不支持名称。", "輸入不支持名稱。",
     "Type in the name does not support."},
    {TXT_COPY_RIGHT_TO_LEFT, "从右复制到左", "從右複製到左", "Copy from right to left."},
    {TXT_PHASE_NORMAL, "正相", "正相", "180'"},
    {TXT_PHASE_INVERTED, "反相", "反相", "0'"},
    {TXT_CROSSOVER, "分频器", "分頻器", "Counter"},
    {TXT_MASTER_VOLUME, "总音量", "總音量", "Volume"},
    {TXT_LINK_LEFT_RIGHT, "    左右联调", "    左右聯調", "    Link L&R"},
    {TXT_EQ_RESET, "复位", "複位", "RST"},
    {TXT_BESSEL, "贝塞尔", "貝塞爾", "Bessel"},
    {TXT_LINKWITZ, "宁克", "甯克", "Link"},
    {TXT_MODE_N, "模式%d", "模式%d", "Mode%d"},
    {TXT_TWO_IN_SIX_OUT, "2路输入 6路输出", "2路輸入 6路輸出", "2 input 6 output"},
    {TXT_LOW_LEVEL_INPUT, "低电平输入", "低電平輸入", "Low Level"},
    {TXT_POSITION_EMPTY, "空", "空", "Empty"},
    {TXT_POSITION_REAR, "后置", "後置", "Rear"},
    {TXT_POSITION_LEFT_SUBWOOFER, "左超低", "左超低", "L-Subwoofer"},
};

TEST(StringTable, QuotedEntriesMatchByteForByte) {
    for (const auto& q : QUOTED) {
        SCOPED_TRACE(q.entry);
        EXPECT_EQ(text(q.entry, Language::SimplifiedChinese), q.simplified);
        EXPECT_EQ(text(q.entry, Language::TraditionalChinese), q.traditional);
        EXPECT_EQ(text(q.entry, Language::English), q.english);
    }
}

TEST(StringTable, EntriesWithoutChineseWordingShowEnglishInEveryLanguage) {
    const std::pair<int, std::string_view> englishOnly[] = {
        {5, "Language:"},
        {54, "File not DSP1 upgrade package!Please make sure the upgrade again!"},
        {102, "Front"},
        {161, "Lock Close"},
    };
    for (const auto& [entry, english] : englishOnly) {
        SCOPED_TRACE(entry);
        EXPECT_EQ(text(entry, Language::SimplifiedChinese), english);
        EXPECT_EQ(text(entry, Language::TraditionalChinese), english);
        EXPECT_EQ(text(entry, Language::English), english);
    }
}

TEST(StringTable, EveryEntryHasTextInEveryLanguage) {
    for (int entry = 0; entry < TEXT_ENTRY_COUNT; ++entry) {
        for (Language language :
             {Language::SimplifiedChinese, Language::TraditionalChinese, Language::English}) {
            EXPECT_FALSE(text(entry, language).empty())
                << "entry " << entry << " language " << static_cast<int>(language);
        }
    }
}

// The printf conversions of a text ("%%" excluded), e.g. {"%5.0f"}.
std::vector<std::string> conversionsOf(std::string_view format) {
    std::vector<std::string> found;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        std::size_t end = format.find_first_of("diufFeEgGxXcsp", i + 1);
        found.emplace_back(format.substr(i, end == std::string_view::npos ? end : end - i + 1));
        if (end == std::string_view::npos) break;
        i = end;
    }
    return found;
}

// Callers format every language with the same arguments, so a conversion that differs
// between the languages of one entry would print garbage or read a missing argument.
TEST(StringTable, FormatConversionsAgreeAcrossLanguages) {
    ASSERT_EQ(conversionsOf("x:%5.0f %% %d"), (std::vector<std::string>{"%5.0f", "%d"}));
    for (int entry = 0; entry < TEXT_ENTRY_COUNT; ++entry) {
        auto english = conversionsOf(text(entry, Language::English));
        EXPECT_EQ(conversionsOf(text(entry, Language::SimplifiedChinese)), english) << entry;
        EXPECT_EQ(conversionsOf(text(entry, Language::TraditionalChinese)), english) << entry;
    }
}

TEST(StringTable, NumbersOutsideTheTableGiveNothing) {
    for (int entry : {-1, TEXT_ENTRY_COUNT, 1000}) {
        SCOPED_TRACE(entry);
        EXPECT_FALSE(findTextEntry(entry).has_value());
        EXPECT_EQ(text(entry, Language::English), "");
        EXPECT_EQ(text(entry), "");
    }
    EXPECT_EQ(text(TEXT_ENTRY_COUNT - 1, Language::English), "Lock Close");
}

// A speaker-position label is its parts concatenated without separator.
TEST(StringTable, PositionLabelPartsConcatenate) {
    struct Label {
        std::vector<int> parts;
        Language language;
        std::string_view expected;
    };
    const Label labels[] = {
        {{TXT_POSITION_FRONT, TXT_SIDE_LEFT, TXT_DRIVER_TWEETER},
         Language::SimplifiedChinese,
         "前置左高频"},
        {{TXT_POSITION_FRONT, TXT_SIDE_LEFT, TXT_DRIVER_TWEETER},
         Language::TraditionalChinese,
         "前置左高頻"},
        {{TXT_POSITION_FRONT, TXT_SIDE_LEFT, TXT_DRIVER_TWEETER},
         Language::English,
         "FrontLeftTweeter"},
        {{TXT_POSITION_CENTER, TXT_DRIVER_TWEETER}, Language::TraditionalChinese, "中置高頻"},
        {{TXT_POSITION_REAR, TXT_SIDE_RIGHT, TXT_DRIVER_FULL},
         Language::TraditionalChinese,
         "後置右全頻"},
    };
    for (const auto& label : labels) {
        std::string built;
        for (int part : label.parts) built += text(part, label.language);
        EXPECT_EQ(built, label.expected);
    }
}

TEST_F(CurrentLanguageTest, LookupFollowsTheCurrentLanguage) {
    setCurrentLanguage(Language::TraditionalChinese);
    EXPECT_EQ(text(TXT_MODEL_WRONG), "設備型號不對!");
    setCurrentLanguage(Language::English);
    EXPECT_EQ(text(TXT_MODEL_WRONG), "Equipment model is wrong!");
    EXPECT_EQ(findTextEntry(TXT_MODEL_WRONG)->inCurrentLanguage(), "Equipment model is wrong!");
    setCurrentLanguage(Language::SimplifiedChinese);
    EXPECT_EQ(text(TXT_MODEL_WRONG), "设备型号不对!");
}

TEST(StringTable, StateEntryIsFoundInAnyLanguage) {
    const int linkStates[] = {TXT_LINK_CONNECTED, TXT_LINK_SEARCHING, TXT_LINK_SUSPENDED};
    struct Case {
        std::string_view shown;
        std::optional<int> expected;
    };
    const Case cases[] = {
        {"连接成功", TXT_LINK_CONNECTED}, {"Successful", TXT_LINK_CONNECTED},
        {"搜索連接", TXT_LINK_SEARCHING}, {"暫停連接", TXT_LINK_SUSPENDED},
        {"", TXT_LINK_SEARCHING},         {"Search..  ", std::nullopt},
        {"TQ370", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.shown));
        EXPECT_EQ(findStateEntry(c.shown, linkStates, TXT_LINK_SEARCHING), c.expected);
    }
}

}  // namespace
}  // namespace tq370
