#pragma once
// What the process entry does once it knows who else is running.

#include "app/startup/launch_options.h"

namespace velmo {

enum class EntryAction {
    RefuseBesideSibling,  // the single-user edition runs: say so and end
    HandOver,             // another copy runs: ask it to show itself and end
    HandOverWithNotice,   // the same, telling the user why nothing new appeared
    Start,                // create the main window
};

struct EntryFacts {
    bool siblingRunning = false;
    bool otherCopyRunning = false;   // a copy answered on our socket
    bool localFolderMarker = false;  // "localfol.myc" in the start folder
    bool startMarker = false;        // "Kidou.myc" in the start folder
};

EntryAction decideEntry(const EntryFacts& facts, const LaunchOptions& options);

// Texts of the entry's messages.
inline constexpr const char* kSiblingRunningText =
    "【 トルカ - Torka - 】が立ち上がっています。\r\nトルカを先に終了させてください。\r\n\r\n"
    "起動を中止します。";
inline constexpr const char* kAlreadyRunningText =
    "すでに別の【ベルモ】が起動しています。\r\n"
    "表示された【ベルモ】を終了させてから、もう一度起動してください。";

}  // namespace velmo
