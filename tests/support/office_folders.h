#pragma once
// Start folders of the network tests: one computer of an office whose settings allow
// network mode on a shared folder holding one month, and a start from the shared
// folder itself.

#include <QTemporaryDir>
#include <filesystem>
#include <string>

#include "app/startup/start_folders.h"
#include "tests/support/cp932_file.h"

namespace velmo::testing {

struct Office {
    QTemporaryDir dir;
    std::filesystem::path share() const { return dir.path().toStdString() + "/share/"; }
    std::filesystem::path start() const { return dir.path().toStdString() + "/pc1/"; }
    std::filesystem::path sharedFile(const std::string& name) const {
        return share() / "Data/Files1" / name;
    }

    // rbNetKoushin: the change check the settings start with.
    explicit Office(int rbNetKoushin = 1) {
        writeCp932File(sharedFile("Ca202401.myc"), "15,1,,共有の会議,,,,,,\r\n");
        writeCp932File(start() / "Torka.ini", "[Settei]\r\ncbNet=1\r\nvNet_flg=0\r\nrbNetKoushin=" +
                                                  std::to_string(rbNetKoushin) +
                                                  "\r\nedtNetFolder=" + share().string() + "\r\n");
    }
    StartFolders folders() const {
        StartFolders f;
        f.startFolder = start().string();
        f.settingsFolder = f.startFolder;
        f.settingsFile = f.startFolder + "Torka.ini";
        f.rightsFile = f.startFolder + "velnetid.myc";
        f.localOperation = true;
        f.computerName = "PC1";
        return f;
    }
};

// Started from a network drive; the settings live in a user folder below it.
inline StartFolders startedFromShare(const std::string& start) {
    StartFolders f;
    f.startFolder = start + "/";
    f.startedFromNetwork = true;
    f.startDriveKind = "NETWORK";
    f.settingsFolder = f.startFolder + "user/";
    std::filesystem::create_directories(f.settingsFolder);
    f.settingsFile = f.settingsFolder + "Torka.ini";
    f.rightsFile = f.settingsFolder + "velnetid.myc";
    f.startMarker = f.startFolder + "Kidou.myc";
    f.computerName = "PC-01";
    return f;
}

}  // namespace velmo::testing
