#include "store/profile_file.h"

#include <gtest/gtest.h>

#include <limits>

#include "store/cp932.h"
#include "tests/support/fake_clock.h"
#include "tests/support/temp_folder.h"

namespace velmo {
namespace {

using testing::RecordingSleeper;
using testing::TempFolder;
using Load = ProfileFile::LoadOutcome;
using Save = ProfileFile::SaveOutcome;

constexpr Retry kRetry{3, std::chrono::milliseconds(100)};

class ProfileFileTest : public ::testing::Test {
protected:
    ProfileFile loadText(std::string_view bytes) {
        return ProfileFile::load(folder.write("Torka.ini", bytes), kRetry, sleeper);
    }
    std::string onDisk() const { return TempFolder::read(folder / "Torka.ini"); }

    TempFolder folder;
    RecordingSleeper sleeper;
};

TEST_F(ProfileFileTest, NamesIgnoreCaseAndSurroundingBlanks) {
    const ProfileFile ini = loadText(
        "Orphan=1\r\n[SETTEI]\r\nCBMEMO=1\r\n  vSizeNo  =  4  \r\n"
        "[ Option ]\r\nedtCSun=\"clRed\"\r\nedtCSat='clBlue'\r\nmixed=\"x'\r\n"
        "; cbX=1\r\nno equals sign\r\n");
    EXPECT_EQ(ini.loadOutcome(), Load::Loaded);
    EXPECT_TRUE(ini.readBool("Settei", "cbMemo", false));
    EXPECT_EQ(ini.readInt("settei", "VSIZENO", 0), 4);
    EXPECT_EQ(ini.readString("Option", "edtCSun"), "clRed");
    EXPECT_EQ(ini.readString("Option", "edtCSat"), "clBlue");
    EXPECT_EQ(ini.readString("Option", "mixed"), "\"x'");
    // Comments, lines without "=" and lines before the first section are no keys.
    EXPECT_FALSE(ini.keyExists("Option", "; cbX"));
    EXPECT_FALSE(ini.keyExists("Option", "cbX"));
    EXPECT_EQ(ini.readSection("Option"), (std::vector<std::string>{"edtCSun", "edtCSat", "mixed"}));
    EXPECT_FALSE(ini.keyExists("", "Orphan"));
    EXPECT_EQ(ini.readString("Settei", "missing", "dflt"), "dflt");
}

TEST_F(ProfileFileTest, FirstSectionAndKeyWinAndWritesTouchOnlyThem) {
    ProfileFile ini =
        loadText("[A]\r\nk=1\r\nK=2\r\n\r\n; about B\r\n[B]\r\nx=0\r\n[a]\r\nk=3\r\nj=4\r\n");
    EXPECT_EQ(ini.readInt("A", "k", 0), 1);
    EXPECT_FALSE(ini.keyExists("A", "j"));  // only in the repeated section
    EXPECT_EQ(ini.readSection("A"), std::vector<std::string>{"k"});

    ASSERT_TRUE(ini.writeInt("a", "K", 9));  // keeps the spelling on disk
    ASSERT_TRUE(ini.writeString("A", "j", "new"));
    ASSERT_TRUE(ini.writeBool("C", "flag", true));
    ASSERT_EQ(ini.save(kRetry, sleeper), Save::Saved);
    EXPECT_EQ(onDisk(),
              "[A]\r\nk=9\r\nK=2\r\nj=new\r\n\r\n; about B\r\n[B]\r\nx=0\r\n[a]\r\nk=3\r\nj=4\r\n"
              "[C]\r\nflag=1\r\n");
}

TEST_F(ProfileFileTest, UntouchedLinesSurviveByteForByte) {
    const std::string prefix =
        "; written by hand\r\n[Header]\r\nVersion = Ver9.1.1\r\n[Unknown]\r\n  odd = \"q\" \r\n"
        "\x83\x65\x83\x58\x83\x67=\x93\xfa\x96\x7b\r\n[Settei]\r\n  cbMemo = 1 \r\n";
    const std::string suffix = "garbage \x80\xff\r\n\r\n[Tail]\r\nz=1\r\n";
    ProfileFile ini = loadText(prefix + "vSizeNo=1\r\n" + suffix);
    EXPECT_EQ(ini.readString("Unknown", "テスト"), "日本");

    ASSERT_TRUE(ini.writeBool("Settei", "cbMemo", true));  // same value: line kept as is
    EXPECT_FALSE(ini.isModified());
    ASSERT_TRUE(ini.writeInt("Settei", "vSizeNo", 3));
    ASSERT_EQ(ini.save(kRetry, sleeper), Save::Saved);
    EXPECT_EQ(onDisk(), prefix + "vSizeNo=3\r\n" + suffix);

    // Bare CR or LF line ends are written back as CR LF.
    ini = loadText("[S]\na=1\rb=2");
    ASSERT_TRUE(ini.writeInt("S", "c", 3));
    ASSERT_EQ(ini.save(kRetry, sleeper), Save::Saved);
    EXPECT_EQ(onDisk(), "[S]\r\na=1\r\nb=2\r\nc=3\r\n");
}

TEST_F(ProfileFileTest, JapaneseValuesRoundTripThroughCp932) {
    ProfileFile ini = loadText("");
    ASSERT_TRUE(ini.writeString("設定", "edFolder", "/home/太郎/ベルモ/"));
    ASSERT_EQ(ini.save(kRetry, sleeper), Save::Saved);
    EXPECT_EQ(onDisk(), cp932::encode("[設定]\r\nedFolder=/home/太郎/ベルモ/\r\n"));

    const ProfileFile again = ProfileFile::load(folder / "Torka.ini", kRetry, sleeper);
    EXPECT_EQ(again.readString("設定", "edFolder"), "/home/太郎/ベルモ/");
}

TEST_F(ProfileFileTest, ValuesTheReaderWouldStripAreQuoted) {
    ProfileFile ini = loadText("");
    for (const char* value : {" padded ", "\"quoted\"", "'single'", "\"", ""}) {
        ASSERT_TRUE(ini.writeString("S", "v", value));
        ASSERT_EQ(ini.save(kRetry, sleeper), Save::Saved);
        const ProfileFile again = ProfileFile::load(folder / "Torka.ini", kRetry, sleeper);
        EXPECT_EQ(again.readString("S", "v", "dflt"), value);
    }
    ASSERT_TRUE(ini.writeString("S", "v", " x"));
    EXPECT_EQ(ini.lines().back(), "v=\" x\"");
}

TEST_F(ProfileFileTest, MissingFileGivesDefaultsAndAWriteCreatesIt) {
    ProfileFile ini = ProfileFile::load(folder / "Torka.ini", kRetry, sleeper);
    EXPECT_EQ(ini.loadOutcome(), Load::Missing);
    EXPECT_EQ(ini.readInt("Settei", "udKidouGyou", 100), 100);
    EXPECT_TRUE(ini.readBool("Settei", "cbJigen", true));
    EXPECT_FALSE(ini.sectionExists("Settei"));
    EXPECT_TRUE(sleeper.pauses().empty());

    ASSERT_TRUE(ini.writeString("Header", "Version", "Ver9.1.1"));
    ASSERT_TRUE(ini.writeInt("Settei", "udKidouGyou", -5));
    ASSERT_TRUE(ini.writeBool("Settei", "cbJigen", false));
    ASSERT_EQ(ini.save(kRetry, sleeper), Save::Saved);
    // CR LF, no byte order mark.
    EXPECT_EQ(onDisk(),
              "[Header]\r\nVersion=Ver9.1.1\r\n[Settei]\r\nudKidouGyou=-5\r\ncbJigen=0\r\n");
}

TEST_F(ProfileFileTest, UnreadableFileIsNeverOverwritten) {
    std::filesystem::create_directory(folder / "Torka.ini");
    ProfileFile ini = ProfileFile::load(folder / "Torka.ini", kRetry, sleeper);
    EXPECT_EQ(ini.loadOutcome(), Load::Unreadable);
    EXPECT_EQ(ini.readInt("Settei", "vSizeNo", 1), 1);
    ASSERT_TRUE(ini.writeInt("Settei", "vSizeNo", 2));
    EXPECT_EQ(ini.save(kRetry, sleeper), Save::Refused);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Torka.ini"));

    // Once the file reads, saving works again.
    std::filesystem::remove(folder / "Torka.ini");
    folder.write("Torka.ini", "[Settei]\r\nvSizeNo=4\r\n");
    EXPECT_EQ(ini.reload(kRetry, sleeper), Load::Loaded);
    EXPECT_EQ(ini.readInt("Settei", "vSizeNo", 1), 4);
    ASSERT_TRUE(ini.writeInt("Settei", "vSizeNo", 2));
    EXPECT_EQ(ini.save(kRetry, sleeper), Save::Saved);
}

TEST_F(ProfileFileTest, FileNameIgnoresCaseAndKeepsTheSpellingOnDisk) {
    folder.write("TORKA.INI", "[Settei]\r\ncbMemo=0\r\n");
    ProfileFile ini = ProfileFile::load(folder / "Torka.ini", kRetry, sleeper);
    EXPECT_EQ(ini.loadOutcome(), Load::Loaded);
    ASSERT_TRUE(ini.writeBool("Settei", "cbMemo", true));
    ASSERT_EQ(ini.save(kRetry, sleeper), Save::Saved);
    EXPECT_EQ(TempFolder::read(folder / "TORKA.INI"), "[Settei]\r\ncbMemo=1\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "Torka.ini"));
}

TEST_F(ProfileFileTest, WritesThatCannotBeStoredAreRejected) {
    ProfileFile ini = loadText("[S]\r\na=1\r\n");
    EXPECT_FALSE(ini.writeString("S", "a", "two\r\nlines"));
    EXPECT_FALSE(ini.writeString("S", "b", "lf\n"));
    for (const char* key : {"a=b", " a", ";a", "[a", ""}) {
        EXPECT_FALSE(ini.writeString("S", key, "1")) << key;
    }
    EXPECT_FALSE(ini.writeString("S]", "a", "1"));
    EXPECT_FALSE(ini.writeString("", "a", "1"));
    EXPECT_FALSE(ini.isModified());
    EXPECT_EQ(ini.lines(), (std::vector<std::string>{"[S]", "a=1"}));

    // A character CP932 lacks is accepted in memory but the save writes nothing.
    ASSERT_TRUE(ini.writeString("S", "a", "絵文字😀"));
    EXPECT_EQ(ini.firstUnencodable(), std::optional<char32_t>(U'😀'));
    EXPECT_EQ(ini.save(kRetry, sleeper), Save::Unencodable);
    EXPECT_EQ(onDisk(), "[S]\r\na=1\r\n");
}

TEST_F(ProfileFileTest, EraseSectionAndDeleteKey) {
    ProfileFile ini = loadText("[A]\r\nx=1\r\n[B]\r\nk=1\r\nm=2\r\nK=3\r\n[a]\r\ny=2\r\n[C]\r\n");
    ini.deleteKey("b", "K");
    EXPECT_EQ(ini.readSection("B"), std::vector<std::string>{"m"});
    ini.eraseSection("A");
    EXPECT_FALSE(ini.sectionExists("A"));
    ASSERT_EQ(ini.save(kRetry, sleeper), Save::Saved);
    EXPECT_EQ(onDisk(), "[B]\r\nm=2\r\n[C]\r\n");
}

TEST_F(ProfileFileTest, SaveFailsWhenTheFolderIsGone) {
    ProfileFile ini = ProfileFile::load(folder / "no" / "Torka.ini", kRetry, sleeper);
    ASSERT_TRUE(ini.writeInt("S", "a", 1));
    EXPECT_EQ(ini.save(kRetry, sleeper), Save::Failed);
    EXPECT_TRUE(ini.isModified());
}

TEST_F(ProfileFileTest, ReadIntAndReadBoolFollowStrToIntDef) {
    const ProfileFile ini = loadText(
        "[S]\r\nhex=$1F\r\nbig=2147483648\r\nword=yes\r\nzero=0\r\nneg=-2\r\n"
        "quoted=' 7 '\r\nempty=\r\n");
    EXPECT_EQ(ini.readInt("S", "hex", 0), 31);
    EXPECT_EQ(ini.readInt("S", "big", 5), 5);
    EXPECT_EQ(ini.readInt("S", "quoted", 0), 7);
    EXPECT_EQ(ini.readInt("S", "empty", 8), 8);
    EXPECT_FALSE(ini.readBool("S", "zero", true));
    EXPECT_TRUE(ini.readBool("S", "neg", false));
    EXPECT_TRUE(ini.readBool("S", "word", true));  // "yes" is no number: the default
    EXPECT_FALSE(ini.readBool("S", "word", false));
    EXPECT_FALSE(ini.readBool("S", "missing", false));
}

TEST(ParseDelphiInteger, AcceptsWhatStrToIntAccepts) {
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    const std::pair<const char*, std::int32_t> good[] = {{"0", 0},
                                                         {" 42 ", 42},
                                                         {"+7", 7},
                                                         {"-7", -7},
                                                         {"007", 7},
                                                         {"$ff", 255},
                                                         {"0X1A", 26},
                                                         {"x10", 16},
                                                         {"-$10", -16},
                                                         {"$FFFFFFFF", -1},
                                                         {"2147483647", 2147483647},
                                                         {"-2147483648", min}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(parseDelphiInteger(text), value) << text;
    for (const char* bad : {"", " ", "-", "$", "0x", "12abc", "1 2", "- 1", "2147483648",
                            "-2147483649", "$100000000", "1e3", "０"}) {
        EXPECT_EQ(parseDelphiInteger(bad), std::nullopt) << bad;
    }
}

}  // namespace
}  // namespace velmo
