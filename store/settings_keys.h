#pragma once
// The main window's options in "Torka.ini" as values: one struct a group, each field
// with its default. Which key of which section holds a field is in settings_table.h.
//
// Field names are the key names, so a key can be found in the file and in the code alike.

#include <string>

#include "store/colour_text.h"

namespace velmo {

// A time of day as the "time" keys hold it.
struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const TimeOfDay&) const = default;
};

// [kanri]
struct BackupKeys {
    int BackupDay = 0;
    int cbBackKankaku = 0;
    bool cbABackupJ = false;
    int vBackKankaku = 0;

    bool operator==(const BackupKeys&) const = default;
};

// Window size presets, the memo page and the panels ([Settei]; visMemoMHide is in [Memo]).
struct DisplayKeys {
    bool vUW = false;  // carried through unchanged
    int pMemoMode = 0;
    bool visMemoMHide = false;
    int vSizeNo = 1;
    bool cbMonthBtn = false;
    int vCalGyou = 5;
    int vClientHeight = 0;  // written only: the client height at the save
    int udYokoC = 0;
    int udCalSize = 0;  // written only: set by the options dialog, 0 after every load
    bool cbTukiYotei = false;

    bool operator==(const DisplayKeys&) const = default;
};

struct BehaviourKeys {
    bool cbJigen = true;
    bool cbKidouKiroku = false;
    bool cbKirokuHyouji = false;
    int udKidouGyou = 100;
    bool cb24ji = false;
    bool cbZenkai = false;
    bool cbMemo = true;
    bool cbHotkey = true;
    bool cbCloseBtn = false;
    bool cbToday = false;
    bool cbShiyouchuu = true;
    bool cbCursor = false;
    bool cbKOption = false;

    bool operator==(const BehaviourKeys&) const = default;
};

struct NetworkKeys {
    bool cbNet = false;
    bool cbLNetf = false;
    bool vNet_flg = false;
    int rbNetKoushin = 0;
    bool cbNetIni = true;
    std::string edtNetFolder{};
    std::string edtNetFolder1{};
    std::string edtNetFolder2{};
    std::string edtNetFolder3{};

    bool operator==(const NetworkKeys&) const = default;
};

struct DataKeys {
    std::string edFolder{};  // data root; empty for the start folder
    std::string CaFT1{};
    std::string CaFT2{};
    std::string CaFT3{};
    int DhFolderNo = 2;  // carried through unchanged

    bool operator==(const DataKeys&) const = default;
};

struct WindowKeys {
    int HyoujiIchi = 0;
    bool cbNotMannaka = false;
    int fmC21Top = 0;   // default: the window's position when read
    int fmC21Left = 0;  // kept current by the caller before a save

    bool operator==(const WindowKeys&) const = default;
};

struct CalendarKeys {
    int rgYFirstMonth = 0;
    int rgStYoubi = 0;
    bool cbEquinox = false;
    bool cbFurikae = false;
    bool cbNeighborJump = false;
    bool cbNextDay = true;
    bool cbBold = true;
    int udKFutosa = 1;
    Colour edtKColor = 0xFF0000;  // clBlue
    bool cbUetume = false;
    bool cbToubai = true;
    bool cbNihongo = true;
    bool cbTukiMemo = false;
    bool cbTukiMUeTume = true;
    int SpHajimariTuki = 1;

    bool operator==(const CalendarKeys&) const = default;
};

// [Option]
struct ColourKeys {
    bool rbKinenbi = true;
    Colour edtCSun = 0x0000FF;                   // clRed
    Colour edtCSat = 0xFF0000;                   // clBlue
    Colour edtCWeekDay = kSystemColourFlag | 8;  // clWindowText
    Colour edtCYotei = 0x484848;
    Colour edtCRokuyo = 0x484848;
    Colour edtCKinenbi = 0x008000;  // clGreen

    bool operator==(const ColourKeys&) const = default;
};

// [KvMCal]
struct TabKeys {
    int TabToSp = 2;
    int TabAdj = 100;

    bool operator==(const TabKeys&) const = default;
};

// Read and written only while cbJigen is set.
struct TimerKeys {
    int cbTimerNo = 6;
    TimeOfDay pTimer{};  // default: now
    int pTimerBf = 3;

    bool operator==(const TimerKeys&) const = default;
};

// Clock correction; rbDay and rbWeek ([Jikoku]) are read only.
struct CorrectionKeys {
    bool cbTShuusei = false;
    bool cbClock = false;
    int pTDay = 0;
    int pTWeek = 0;
    int pTNini = 0;
    std::string pTTime = "150000";
    int pTChien = 180;
    int pTAccess = 0;
    int pTYoubi = 2;
    bool rbDay = true;
    bool rbWeek = false;

    bool operator==(const CorrectionKeys&) const = default;
};

// The day-count calculator; the defaults are its current state.
struct DayCountKeys {
    int rgNissuu = 0;
    bool cbKeisan = true;
    int pcNen = 0;
    int udDay = 1;
    int rgKekka = 2;

    bool operator==(const DayCountKeys&) const = default;
};

// Text editor ([Settei]) and print program ([Velprin]) companions.
struct CompanionKeys {
    bool cbEditor = false;
    bool cbVelmoJ = false;
    bool cbVelmoM = false;
    std::string edtEditorFolder{};  // default: the editor found
    bool cbPrint = false;
    bool cbVelmoP = true;
    std::string edtPrintFolder{};  // default: the print program found

    bool operator==(const CompanionKeys&) const = default;
};

struct TorkaSettings {
    BackupKeys backup{};
    int yDataForm = 1;  // as stored; the format in force is DataFolders::dataFormat
    DisplayKeys display{};
    BehaviourKeys behaviour{};
    NetworkKeys network{};
    DataKeys data{};
    WindowKeys window{};
    CalendarKeys calendar{};
    ColourKeys colours{};
    TabKeys tabs{};
    TimerKeys timer{};
    CorrectionKeys correction{};
    DayCountKeys dayCount{};
    CompanionKeys companions{};

    bool operator==(const TorkaSettings&) const = default;
};

}  // namespace velmo
