#include "store/settings_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "store/settings.h"
#include "tests/support/fake_clock.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::FakeClock;
using testing::RecordingSleeper;
using testing::TempFolder;

std::string lowered(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string fieldText(int value) {
    return "int " + std::to_string(value);
}
std::string fieldText(bool value) {
    return value ? "true" : "false";
}
std::string fieldText(const std::string& value) {
    return "text " + value;
}
std::string fieldText(const char* value) {
    return fieldText(std::string(value));
}
std::string fieldText(TimeOfDay value) {
    return "time " + std::to_string(value.hour) + ":" + std::to_string(value.minute) + ":" +
           std::to_string(value.second);
}
std::string fieldText(Colour value) {
    return "colour " + std::to_string(value);
}

// Every field the table visits, as text, in table order.
std::vector<std::string> fieldTexts(const TorkaSettings& s, const SettingsSaveContext& run) {
    std::vector<std::string> texts;
    forEachSettingsKey(
        s, run, [&](const SettingsKey&, const auto& value) { texts.push_back(fieldText(value)); });
    return texts;
}

void change(int& value) {
    value += 7;
}
void change(bool& value) {
    value = !value;
}
void change(std::string& value) {
    value = "/srv/変更/" + value;
}
void change(TimeOfDay& value) {
    value = {value.hour == 5 ? 6 : 5, 30, 0};  // the short form keeps no seconds
}
void change(Colour& value) {
    value = value == 0x123456 ? 0x654321 : 0x123456;
}

class SettingsTableTest : public ::testing::Test {
protected:
    // Every key's condition for reading holds.
    SettingsEnvironment env() const {
        return {.clock = clock,
                .workAreaHeight = 1040,
                .shellAboveVersion4 = true,
                .startedFromNetwork = true,
                .windowTop = 120,
                .windowLeft = 80,
                .foundEditor = "/usr/bin/ruvon"};
    }
    ProfileFile emptyFile() { return ProfileFile::load(folder / "Torka.ini", kRetry, sleeper); }

    static constexpr Retry kRetry{1, std::chrono::milliseconds(0)};
    FakeClock clock{{2024, 9, 10, 14, 7, 33, 0}};
    RecordingSleeper sleeper;
    TempFolder folder;
};

TEST_F(SettingsTableTest, NoKeyIsNamedTwiceAndNoFieldIsVisitedTwice) {
    const TorkaSettings s;
    const SettingsSaveContext run;
    std::set<std::pair<std::string, std::string>> keys;  // spelled as the reader finds them
    std::set<const void*> fields;
    int rows = 0;
    forEachSettingsKey(s, run, [&](const SettingsKey& key, const auto& value) {
        ++rows;
        EXPECT_TRUE(keys.emplace(lowered(key.section), lowered(key.name)).second)
            << key.section << "/" << key.name;
        EXPECT_TRUE(fields.insert(&value).second) << key.name;
    });
    EXPECT_EQ(rows, 99);  // 97 written, rbDay and rbWeek read only
}

TEST_F(SettingsTableTest, EveryKeyReadAndWrittenReadsBackWhatWasWritten) {
    const TorkaSettings defaults = defaultSettings(env());
    const std::size_t rows = fieldTexts(defaults, SettingsSaveContext{}).size();
    for (std::size_t target = 0; target < rows; ++target) {
        TorkaSettings written = defaults;
        SettingsSaveContext run;
        KeyRule rule;
        std::string name;
        std::size_t at = 0;
        forEachSettingsKey(written, run, [&](const SettingsKey& key, auto& value) {
            if (at++ != target)
                return;
            rule = key.rule;
            name = key.name;
            if constexpr (!std::is_const_v<std::remove_reference_t<decltype(value)>>)
                change(value);
        });
        if (rule.use != KeyUse::ReadWritten)
            continue;
        run.dataFormat = written.yDataForm;  // the format in force is what is written
        ProfileFile file = emptyFile();
        ASSERT_TRUE(writeSettings(file, written, run)) << name;
        const TorkaSettings read = readSettings(file, env());
        EXPECT_EQ(fieldTexts(read, run)[target], fieldTexts(written, run)[target]) << name;
        EXPECT_NE(fieldTexts(read, run)[target], fieldTexts(defaults, run)[target]) << name;
    }
}

TEST_F(SettingsTableTest, KeysReadOnlyAreNotWrittenAndKeysWrittenOnlyAreNotRead) {
    TorkaSettings s = defaultSettings(env());
    s.correction.rbDay = false;
    s.display.vClientHeight = 640;
    ProfileFile file = emptyFile();
    ASSERT_TRUE(writeSettings(file, s, SettingsSaveContext{"/start/", 2, 3}));
    EXPECT_TRUE(file.readSection("Jikoku").empty());
    EXPECT_EQ(file.readInt("Settei", "vClientHeight", 0), 640);
    EXPECT_EQ(file.readInt("Set2", "UseFolNo", 0), 3);
    const TorkaSettings read = readSettings(file, env());
    EXPECT_EQ(read.display.vClientHeight, 0);
    EXPECT_TRUE(read.correction.rbDay);
    EXPECT_EQ(read.yDataForm, 2);
}

TEST_F(SettingsTableTest, ChosenKeysAreWrittenAlone) {
    TorkaSettings s;
    s.data.CaFT1 = "b1";
    s.data.CaFT3 = "b3";
    ProfileFile file = emptyFile();
    ASSERT_TRUE(writeSettingsKeys(file, s, {&s.data.CaFT3, &s.data.CaFT1}));
    EXPECT_EQ(file.readSection("Settei"), (std::vector<std::string>{"CaFT1", "CaFT3"}));
    EXPECT_EQ(file.readString("Settei", "CaFT3"), "b3");
}

TEST_F(SettingsTableTest, BackupNamesAreSavedAtOnceBesideTheOtherKeys) {
    const auto path = folder.write("Torka.ini", "[Settei]\r\ncbMemo=0\r\nCaFT2=old\r\n");
    ASSERT_TRUE(saveBackupNames(path, {"/b/1", "/b/2", "/b/3"}, sleeper));
    EXPECT_EQ(TempFolder::read(path),
              "[Settei]\r\ncbMemo=0\r\nCaFT2=/b/2\r\nCaFT1=/b/1\r\nCaFT3=/b/3\r\n");
}

TEST_F(SettingsTableTest, AWindowPlaceIsSavedIntoItsSectionAndAnUnreadFileIsLeftAlone) {
    const auto path = folder.write("Torka.ini", "[fmDay]\r\nfmWidth=1\r\n[Settei]\r\ncbMemo=0\r\n");
    ASSERT_TRUE(saveWindowPlace(path, "fmDay", {.left = 30, .top = 40, .width = 500, .height = 600},
                                sleeper));
    EXPECT_EQ(TempFolder::read(path),
              "[fmDay]\r\nfmWidth=500\r\nfmTop=40\r\nfmLeft=30\r\nfmHeight=600\r\n"
              "[Settei]\r\ncbMemo=0\r\n");
    // Without a known position only the size changes.
    ASSERT_TRUE(saveWindowPlace(path, "fmDay", {.width = 7, .height = 8}, sleeper));
    EXPECT_EQ(TempFolder::read(path),
              "[fmDay]\r\nfmWidth=7\r\nfmTop=40\r\nfmLeft=30\r\nfmHeight=8\r\n"
              "[Settei]\r\ncbMemo=0\r\n");

    std::filesystem::create_directory(folder / "Unreadable.ini");
    EXPECT_FALSE(
        saveWindowPlace(folder / "Unreadable.ini", "fmDay", {.width = 7, .height = 8}, sleeper));
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Unreadable.ini"));
}

}  // namespace
}  // namespace velmo
