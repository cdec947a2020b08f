#include <array>

#include "text/string_table.h"

namespace tq370 {

namespace {

struct Row {
    int number;
    TextEntry texts;
};

// Simplified Chinese, Traditional Chinese, English. The texts are used as they stand:
// printf formats ("%5.0f %%" is a number and a literal percent sign), line breaks, leading
// spaces, full-width punctuation and the wording included. Entries without a Chinese
// wording carry the English text in all three languages.
// clang-format off
constexpr Row ROWS[] = {
    {0, {"程序正在运行!", "程序正在運行!", "The Program is Running!"}},
    {1, {"连接成功", "連接成功", "Successful"}},
    {2, {"搜索连接", "搜索連接", "Search.."}},
    {3, {"暂停连接", "暫停連接", "Suspended"}},
    {4, {"Language", "Language", "Language"}},
    {5, {"Language:", "Language:", "Language:"}},
    {6, {"Skin:", "Skin:", "Skin:"}},
    {7, {"模式:", "模式:", "Mode:"}},
    {8, {"模式序号:", "模式序號:", "ModeNO.:"}},
    {9, {"模式名称:", "模式名稱:", "ModeName:"}},
    {10, {"保存模式", "保存模式", "Save"}},
    {11, {"调用模式", "調用模式", "Call"}},
    {12, {"Local", "Local", "Local"}},
    {13, {"电脑存储模式名称:", "電腦存儲模式名稱:", "Local Mode Name:"}},
    {14, {"保存模式至电脑", "保存模式至電腦", "Save Mode Local"}},
    {15, {"删除电脑保存的模式", "刪除電腦保存的模式", "Del In Local"}},
    {16, {"上传模式至设备", "上傳模式至設備", "Update To Equip"}},
    {17, {"查找电脑内模式", "查找電腦內模式", "Find PC Mode"}},
    {18, {"Invalid mode!", "Invalid mode!", "Invalid mode!"}},
    {19, {"读取设备参数:%5.0f %%", "讀取設備參數:%5.0f %%", "Read Device Data:%5.0f %%"}},
    {20, {"更新界面显示内容:%5.0f %%", "更新界面顯示內容:%5.0f %%", "Update Display Data:%5.0f %%"}},
    {21, {"更新设备参数:%5.0f %%", "更新設備參數:%5.0f %%", "Update Device Data:%5.0f %%"}},
    {22, {"保存设备参数:%5.0f %%", "保存設備參數:%5.0f %%", "Save Device Data:%5.0f %%"}},
    {23, {"升级设备:%0.0f %%", "升級設備:%0.0f %%", "Updown Device:%0.0f %%"}},
    {24, {"Open", "Open", "Open"}},
    {25, {"提示!", "提示!", "Tip!"}},
    {26, {"更新窗口中...", "更新窗口中...", "Update Windown ..."}},
    {27, {"在线下载进度:%5.0f %%", "在線下載進度:%5.0f %%", "Onling_Update:%5.0f %%"}},
    {28, {"Whether to update the software!", "Whether to update the software!", "Whether to update the software!"}},
    {29, {"是否退出程序!", "是否退出程序!", "Whether to exit the program!"}},
    {30, {"是否复位EQ", "是否復位EQ", "Whether to reset EQ"}},
    {31, {"Equipment shut down regulation!", "Equipment shut down regulation!", "Equipment shut down regulation!"}},
    {32, {"第%d条指令错误", "第%d條指令錯誤", "The first %d instruction error"}},
    {33, {"保存失败!", "保存失败!", "Save Failed!"}},
    {34, {"写数据失败!", "寫數據失败!", "Write Data Failed!"}},
    {35, {"读数据失败!", "讀數據失败!", "Read Data Failed!"}},
    {36, {"保存成功!", "保存成功!", "Save successfully!"}},
    {37, {"Whether to save as!", "Whether to save as!", "Whether to save as!"}},
    {38, {"无文件。", "無文件。", "No files。"}},
    {39, {"数据有密码。", "數據有密碼。", "The data has a password ."}},
    {40, {"文件版本不对。", "文件版本不對。", "Wrong file version。"}},
    {41, {"请输入文件名!", "請輸入文件名!", "Please enter the file name!"}},
    {42, {"文件已存在!\n 是否覆盖!", "文件已存在!\n 是否覆蓋!", "File already exists!\n Whether or not covered!"}},
    {43, {"删除失败!\n无文件.", "刪除失敗!\n無文件.", "Delete failed.\n no files!"}},
    {44, {"Whether delete files!", "Whether delete files!", "Whether delete files!"}},
    {45, {"没有连接设备!", "沒有連接設備!", "No Device!"}},
    {46, {"警告!", "警告", "Warning"}},
    {47, {"File format error!", "File format error!", "File format error!"}},
    {48, {"加密模式无法读取!", "加密模式無法讀取!", "Unable to read encrypted mode!"}},
    {49, {"设备型号不对!", "設備型號不對!", "Equipment model is wrong!"}},
    {50, {"Upgrade failed!", "Upgrade failed!", "Upgrade failed!"}},
    {51, {"Upgrade success!", "Upgrade success!", "Upgrade success!"}},
    {52, {"Interrupt to upgrade!", "Interrupt to upgrade!", "Interrupt to upgrade!"}},
    {53, {"In The Upgrade!", "In The Upgrade!", "In The Upgrade!"}},
    {54, {"File not DSP1 upgrade package!Please make sure the upgrade again!", "File not DSP1 upgrade package!Please make sure the upgrade again!", "File not DSP1 upgrade package!Please make sure the upgrade again!"}},
    {55, {"File not panel upgrade package!Please make sure the upgrade again!", "File not panel upgrade package!Please make sure the upgrade again!", "File not panel upgrade package!Please make sure the upgrade again!"}},
    {56, {"The file was not communication updates!Please make sure the upgrade again!", "The file was not communication updates!Please make sure the upgrade again!", "The file was not communication updates!Please make sure the upgrade again!"}},
    {57, {"File not DSP4 upgrade package!Please make sure the upgrade again!", "File not DSP4 upgrade package!Please make sure the upgrade again!", "File not DSP4 upgrade package!Please make sure the upgrade again!"}},
    {58, {"File not DSP5 upgrade package!Please make sure the upgrade again!", "File not DSP5 upgrade package!Please make sure the upgrade again!", "File not DSP5 upgrade package!Please make sure the upgrade again!"}},
    {59, {"Software update,Whether to update!", "Software update,Whether to update!", "Software update,Whether to update!"}},
    {60, {"升级失败!\r\n请以管理员身份运行软件!", "升級失敗!\r\n請以管理員身份運行軟件!", "Update failed!\r\nPlease run the software as an administrator!"}},
    {61, {"Succeed", "Succeed", "Succeed"}},
    {62, {"Fail", "Fail", "Fail"}},
    {63, {"Disconnect", "Disconnect", "Disconnect"}},
    {64, {"Ready", "Ready", "Ready"}},
    {65, {"输入不支持名称。", "輸入不支持名稱。", "Type in the name does not support."}},
    {66, {"选择哪个通道为基准", "選擇哪個通道為基準", "Choose what channel as a benchmark"}},
    {67, {"从左复制到右", "從左複製到右", "Copy from left to right."}},
    {68, {"从右复制到左", "從右複製到左", "Copy from right to left."}},
    {69, {"Basis CH1 front left", "Basis CH1 front left", "Basis CH1 front left"}},
    {70, {"Basis CH2 front right", "Basis CH2 front right", "Basis CH2 front right"}},
    {71, {"Basis CH3 after left", "Basis CH3 after left", "Basis CH3 after left"}},
    {72, {"Basis CH4 after right", "Basis CH4 after right", "Basis CH4 after right"}},
    {73, {"Basis CH5 after right", "Basis CH5 after right", "Basis CH5 after right"}},
    {74, {"Basis CH6 after right", "Basis CH6 after right", "Basis CH6 after right"}},
    {75, {"Sure to modify", "Sure to modify", "Sure to modify"}},
    {76, {"确定", "確定", "OK"}},
    {77, {"退出", "退出", "exit"}},
    {78, {"图示均衡", "圖示均衡", "GEQ"}},
    {79, {"参数均衡", "參數均衡", "PEQ"}},
    {80, {"Front-Left", "Front-Left", "Front-Left"}},
    {81, {"Front-Right", "Front-Right", "Front-Right"}},
    {82, {"Rear-Left", "Rear-Left", "Rear-Left"}},
    {83, {"Rear-Right", "Rear-Right", "Rear-Right"}},
    {84, {"Center", "Center", "Center"}},
    {85, {"Sub", "Sub", "Sub"}},
    {86, {"3D", "3D", "3D"}},
    {87, {"DBB", "DBB", "DBB"}},
    {88, {"正相", "正相", "180'"}},
    {89, {"反相", "反相", "0'"}},
    {90, {"分频器", "分頻器", "Counter"}},
    {91, {"高通", "高通", "HP"}},
    {92, {"频率", "頻率", "Fre"}},
    {93, {"类型", "類型", "Type"}},
    {94, {"斜率", "斜率", "Slope"}},
    {95, {"低通", "低通", "LP"}},
    {96, {"Limiter", "Limiter", "Limiter"}},
    {97, {"DBu:", "DBu:", "DBu:"}},
    {98, {"At.Time:", "At.Time:", "At.Time:"}},
    {99, {"Re.Time:", "Re.Time:", "Re.Time:"}},
    {100, {"总音量", "總音量", "Volume"}},
    {101, {"通道音量", "通道音量", "CH-VOL"}},
    {102, {"Front", "Front", "Front"}},
    {103, {"Rear", "Rear", "Rear"}},
    {104, {"All", "All", "All"}},
    {105, {"Bass", "Bass", "Bass"}},
    {106, {"Delay Set", "Delay Set", "Delay Set"}},
    {107, {"Reset Output", "Reset Output", "Reset Output"}},
    {108, {"Link L&R", "Link L&R", "Link L&R"}},
    {109, {"    左右联调", "    左右聯調", "    Link L&R"}},
    {110, {"    延时联调", "    延時聯調", "    Link Delay"}},
    {111, {"单位", "單位", "unit"}},
    {112, {"毫秒", "毫秒", "MS"}},
    {113, {"厘米", "厘米", "CM"}},
    {114, {"英寸", "英寸", "IN"}},
    {115, {"系统设置", "系統設置", "Sys Set"}},
    {116, {"混音设置", "混音設置", "Mix Set"}},
    {117, {"标号", "標號", "No"}},
    {118, {"频率", "頻率", "Fre"}},
    {119, {"Q值", "Q值", "Q"}},
    {120, {"增益", "增益", "Gain"}},
    {121, {"复位", "複位", "RST"}},
    {122, {"直通", "直通", "Pass"}},
    {123, {"巴特沃斯", "巴特沃斯", "Butter"}},
    {124, {"贝塞尔", "貝塞爾", "Bessel"}},
    {125, {"宁克", "甯克", "Link"}},
    {126, {"模式%d", "模式%d", "Mode%d"}},
    {127, {"Menu", "Menu", "Menu"}},
    {128, {"Input Select", "Input Select", "Input Select"}},
    {129, {"高电平输入", "高電平輸入", "High Level"}},
    {130, {"低电平输入", "低電平輸入", "Low Level"}},
    {131, {"2路输入 6路输出", "2路輸入 6路輸出", "2 input 6 output"}},
    {132, {"4路输入 6路输出", "4路輸入 6路輸出", "4 input 6 output"}},
    {133, {"Enter Set", "Enter Set", "Enter Set"}},
    {134, {"Test Set", "Test Set", "Test Set"}},
    {135, {"Start Test", "Start Test", "Start Test"}},
    {136, {"Stop Test", "Stop Test", "Stop Test"}},
    {137, {"High line", "High line", "High line"}},
    {138, {"Delay:", "Delay:", "Delay:"}},
    {139, {"JointGroup1", "JointGroup1", "JointGroup1"}},
    {140, {"JointGroup2", "JointGroup2", "JointGroup2"}},
    {141, {"JointGroup3", "JointGroup3", "JointGroup3"}},
    {142, {"JointGroup4", "JointGroup4", "JointGroup4"}},
    {143, {"JointGroup5", "JointGroup5", "JointGroup5"}},
    {144, {"JointGroup6", "JointGroup6", "JointGroup6"}},
    {145, {"空", "空", "Empty"}},
    {146, {"前置", "前置", "Front"}},
    {147, {"后置", "後置", "Rear"}},
    {148, {"中置", "中置", "Center"}},
    {149, {"超低", "超低", "Subwoofer"}},
    {150, {"左", "左", "Left"}},
    {151, {"右", "右", "Right"}},
    {152, {"高频", "高頻", "Tweeter"}},
    {153, {"中频", "中頻", "Midrange"}},
    {154, {"低频", "低頻", "Woofer"}},
    {155, {"中高频", "中高頻", "Midrange Tweeter"}},
    {156, {"中低频", "中低頻", "Midrange Woofer"}},
    {157, {"全频", "全頻", "Full"}},
    {158, {"左超低", "左超低", "L-Subwoofer"}},
    {159, {"右超低", "右超低", "R-Subwoofer"}},
    {160, {"Lock Open", "Lock Open", "Lock Open"}},
    {161, {"Lock Close", "Lock Close", "Lock Close"}},
};
// clang-format on

constexpr bool rowsAreNumberedInOrder() {
    for (int i = 0; i < static_cast<int>(std::size(ROWS)); ++i) {
        if (ROWS[i].number != i) return false;
    }
    return true;
}

static_assert(std::size(ROWS) == TEXT_ENTRY_COUNT, "the table has one row per entry");
static_assert(rowsAreNumberedInOrder(), "row i must be entry i");

}  // namespace

std::optional<TextEntry> findTextEntry(int entry) {
    if (entry < 0 || entry >= TEXT_ENTRY_COUNT) return std::nullopt;
    return ROWS[entry].texts;
}

std::string_view text(int entry) {
    return text(entry, currentLanguage());
}

std::string_view text(int entry, Language language) {
    auto found = findTextEntry(entry);
    return found ? found->in(language) : std::string_view{};
}

std::optional<int> findStateEntry(std::string_view shown, std::span<const int> stateEntries,
                                  int entryWhenEmpty) {
    if (shown.empty()) return entryWhenEmpty;
    for (int entry : stateEntries) {
        auto found = findTextEntry(entry);
        if (found && found->matches(shown)) return entry;
    }
    return std::nullopt;
}

}  // namespace tq370
