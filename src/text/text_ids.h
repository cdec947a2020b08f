#pragma once

// Entry numbers of the UI string table (text/string_table.h) that the program uses,
// named by meaning. English text in the comment.
namespace tq370 {

// Start-up and connection state.
constexpr int TXT_ALREADY_RUNNING = 0;  // "The Program is Running!"
constexpr int TXT_LINK_CONNECTED = 1;   // "Successful"
constexpr int TXT_LINK_SEARCHING = 2;   // "Search.."
constexpr int TXT_LINK_SUSPENDED = 3;   // "Suspended"
constexpr int TXT_LANGUAGE = 4;         // "Language"

// Mode page and local mode library.
constexpr int TXT_MODE_GROUP = 7;           // "Mode:"
constexpr int TXT_MODE_NUMBER = 8;          // "ModeNO.:"
constexpr int TXT_MODE_NAME = 9;            // "ModeName:"
constexpr int TXT_SAVE_MODE = 10;           // "Save"
constexpr int TXT_CALL_MODE = 11;           // "Call"
constexpr int TXT_LOCAL_MODE_NAME = 13;     // "Local Mode Name:"
constexpr int TXT_SAVE_MODE_LOCAL = 14;     // "Save Mode Local"
constexpr int TXT_DELETE_LOCAL_MODE = 15;   // "Del In Local"
constexpr int TXT_UPLOAD_TO_DEVICE = 16;    // "Update To Equip"
constexpr int TXT_FIND_PC_MODE = 17;        // "Find PC Mode"
constexpr int TXT_NAME_NOT_SUPPORTED = 65;  // "Type in the name does not support."
constexpr int TXT_MODE_N = 126;             // "Mode%d"
constexpr int TXT_TWO_IN_SIX_OUT = 131;     // "2 input 6 output"
constexpr int TXT_FOUR_IN_SIX_OUT = 132;    // "4 input 6 output"

// Progress texts (printf formats taking one double, or one int for TXT_INSTRUCTION_ERROR).
constexpr int TXT_READ_DEVICE_DATA = 19;    // "Read Device Data:%5.0f %%"
constexpr int TXT_UPDATE_DISPLAY = 20;      // "Update Display Data:%5.0f %%"
constexpr int TXT_UPDATE_DEVICE_DATA = 21;  // "Update Device Data:%5.0f %%"
constexpr int TXT_SAVE_DEVICE_DATA = 22;    // "Save Device Data:%5.0f %%"
constexpr int TXT_UPGRADE_DEVICE = 23;      // "Updown Device:%0.0f %%"
constexpr int TXT_UPDATE_WINDOW = 26;       // "Update Windown ..."
constexpr int TXT_DOWNLOAD_PROGRESS = 27;   // "Onling_Update:%5.0f %%"
constexpr int TXT_INSTRUCTION_ERROR = 32;   // "The first %d instruction error"

// Message boxes: captions, questions and outcomes.
constexpr int TXT_TIP = 25;                    // "Tip!"
constexpr int TXT_CONFIRM_EXIT = 29;           // "Whether to exit the program!"
constexpr int TXT_CONFIRM_RESET_EQ = 30;       // "Whether to reset EQ"
constexpr int TXT_SAVE_FAILED = 33;            // "Save Failed!"
constexpr int TXT_WRITE_FAILED = 34;           // "Write Data Failed!"
constexpr int TXT_READ_FAILED = 35;            // "Read Data Failed!"
constexpr int TXT_SAVE_SUCCESSFUL = 36;        // "Save successfully!"
constexpr int TXT_NO_FILES = 38;               // "No files。"
constexpr int TXT_PASSWORD_PROTECTED = 39;     // "The data has a password ."
constexpr int TXT_WRONG_FILE_VERSION = 40;     // "Wrong file version。"
constexpr int TXT_ENTER_FILE_NAME = 41;        // "Please enter the file name!"
constexpr int TXT_FILE_EXISTS_OVERWRITE = 42;  // "File already exists!\n Whether or not covered!"
constexpr int TXT_DELETE_FAILED_NO_FILE = 43;  // "Delete failed.\n no files!"
constexpr int TXT_NO_DEVICE = 45;              // "No Device!"
constexpr int TXT_WARNING = 46;                // "Warning"
constexpr int TXT_ENCRYPTED_MODE = 48;         // "Unable to read encrypted mode!"
constexpr int TXT_MODEL_WRONG = 49;            // "Equipment model is wrong!"
constexpr int TXT_UPDATE_NEEDS_ADMIN = 60;     // "Update failed!\r\nPlease run the software ..."

// Channel copy dialog.
constexpr int TXT_CHOOSE_SOURCE_CHANNEL = 66;  // "Choose what channel as a benchmark"
constexpr int TXT_COPY_LEFT_TO_RIGHT = 67;     // "Copy from left to right."
constexpr int TXT_COPY_RIGHT_TO_LEFT = 68;     // "Copy from right to left."
constexpr int TXT_OK = 76;                     // "OK"
constexpr int TXT_EXIT = 77;                   // "exit"

// EQ panel and main window.
constexpr int TXT_GRAPHIC_EQ = 78;           // "GEQ"
constexpr int TXT_PARAMETRIC_EQ = 79;        // "PEQ"
constexpr int TXT_PHASE_NORMAL = 88;         // "180'" (phase flag set)
constexpr int TXT_PHASE_INVERTED = 89;       // "0'"
constexpr int TXT_CROSSOVER = 90;            // "Counter"
constexpr int TXT_HIGH_PASS = 91;            // "HP"
constexpr int TXT_CROSSOVER_FREQUENCY = 92;  // "Fre"
constexpr int TXT_FILTER_TYPE = 93;          // "Type"
constexpr int TXT_SLOPE = 94;                // "Slope"
constexpr int TXT_LOW_PASS = 95;             // "LP"
constexpr int TXT_MASTER_VOLUME = 100;       // "Volume"
constexpr int TXT_CHANNEL_VOLUME = 101;      // "CH-VOL"
constexpr int TXT_LINK_LEFT_RIGHT = 109;     // "    Link L&R"
constexpr int TXT_LINK_DELAY = 110;          // "    Link Delay"
constexpr int TXT_DELAY_UNIT = 111;          // "unit"
constexpr int TXT_UNIT_MS = 112;             // "MS"
constexpr int TXT_UNIT_CM = 113;             // "CM"
constexpr int TXT_UNIT_INCH = 114;           // "IN"
constexpr int TXT_SYSTEM_SETTINGS = 115;     // "Sys Set"
constexpr int TXT_MIX_SETTINGS = 116;        // "Mix Set"
constexpr int TXT_BAND_NUMBER = 117;         // "No"
constexpr int TXT_BAND_FREQUENCY = 118;      // "Fre"
constexpr int TXT_BAND_Q = 119;              // "Q"
constexpr int TXT_BAND_GAIN = 120;           // "Gain"
constexpr int TXT_EQ_RESET = 121;            // "RST"
constexpr int TXT_EQ_BYPASS = 122;           // "Pass"

// Crossover families, in the order of the family combo boxes.
constexpr int TXT_BUTTERWORTH = 123;  // "Butter"
constexpr int TXT_BESSEL = 124;       // "Bessel"
constexpr int TXT_LINKWITZ = 125;     // "Link"

// Input source captions.
constexpr int TXT_HIGH_LEVEL_INPUT = 129;  // "High Level"
constexpr int TXT_LOW_LEVEL_INPUT = 130;   // "Low Level"

// Speaker-position label parts; a channel's label concatenates them without separator.
constexpr int TXT_POSITION_EMPTY = 145;            // "Empty"
constexpr int TXT_POSITION_FRONT = 146;            // "Front"
constexpr int TXT_POSITION_REAR = 147;             // "Rear"
constexpr int TXT_POSITION_CENTER = 148;           // "Center"
constexpr int TXT_POSITION_SUBWOOFER = 149;        // "Subwoofer"
constexpr int TXT_SIDE_LEFT = 150;                 // "Left"
constexpr int TXT_SIDE_RIGHT = 151;                // "Right"
constexpr int TXT_DRIVER_TWEETER = 152;            // "Tweeter"
constexpr int TXT_DRIVER_MIDRANGE = 153;           // "Midrange"
constexpr int TXT_DRIVER_WOOFER = 154;             // "Woofer"
constexpr int TXT_DRIVER_MIDRANGE_TWEETER = 155;   // "Midrange Tweeter"
constexpr int TXT_DRIVER_MIDRANGE_WOOFER = 156;    // "Midrange Woofer"
constexpr int TXT_DRIVER_FULL = 157;               // "Full"
constexpr int TXT_POSITION_LEFT_SUBWOOFER = 158;   // "L-Subwoofer"
constexpr int TXT_POSITION_RIGHT_SUBWOOFER = 159;  // "R-Subwoofer"

}  // namespace tq370
