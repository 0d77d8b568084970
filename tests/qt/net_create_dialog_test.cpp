// The shared data folder creation dialog as an office meets it: two computers, one
// shared folder, the administrator's password typed into the dialog.

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <memory>
#include <random>

#include "dialogs/net_create_dialog.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using velmo::FolderCreationMode;
using velmo::testing::ScriptedUserInterface;

// One computer: its rights file and run state, the folder its browser picks.
struct Desk {
    Desk(std::string name, const fs::path& office)
        : context{std::move(name), 2461385, seeded(), ui, sleeper},
          rightsFile(office / (context.computerName + ".velnetid.myc")) {}
    static velmo::RandomNumber seeded() {
        auto generator = std::make_shared<std::mt19937>(5);
        return [generator](std::uint32_t bound) {
            return std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(*generator);
        };
    }
    velmo::FolderCreation creation(const fs::path& share) {
        velmo::FolderCreationPlace place;
        place.sharedFolderBox = share.string();
        place.rightsFile = rightsFile;
        return velmo::FolderCreation(
            state, place, context, [share](const std::string&) { return std::optional(share); },
            [] { return std::optional<std::string>(); });
    }

    ScriptedUserInterface ui;
    velmo::testing::RecordingSleeper sleeper;
    velmo::CipherFileContext context;
    fs::path rightsFile;
    velmo::FolderCreationState state;
};

// Saved where VELMO_SCREENSHOT_DIR points, to be looked at.
void keepScreenshot(QWidget& dialog, const char* name) {
    const QByteArray folder = qgetenv("VELMO_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        QVERIFY(dialog.grab().save(QString::fromUtf8(folder) + "/" + name));
}

}  // namespace

class NetCreateDialogTest : public QObject {
    Q_OBJECT

private slots:
    void eachModeShowsItsOwnTitleLabelsAndButton() {
        QTemporaryDir dir;
        Desk pc1("PC1", dir.path().toStdString());
        velmo::FolderCreation creation = pc1.creation(dir.path().toStdString());
        const struct {
            FolderCreationMode mode;
            const char* title;
            const char* nameLabel;
            const char* button;
            const char* screenshot;
        } modes[] = {
            {FolderCreationMode::CreateFolder, "ネット上の予定データフォルダ作成", "ネット管理者名",
             "フォルダ選択＆実行", "net_create_mode0.png"},
            {FolderCreationMode::ReassignAdministrator, "管理ファイル書込", "ネット管理者名",
             "管理ファイル書込", "net_create_mode1.png"},
            {FolderCreationMode::GrantRights, "管理権限設定", "名称", "管理権限設定実行",
             "net_create_mode2.png"},
        };
        for (const auto& m : modes) {
            velmo::TfmNetCreate dialog(m.mode, creation, {"総務", "s3cret"}, "PC1");
            dialog.show();
            QCOMPARE(dialog.windowTitle(), QString("データフォルダ作成"));
            QCOMPARE(dialog.titleLabel()->text(), QString(m.title));
            QCOMPARE(dialog.nameLabel()->text(), QString(m.nameLabel));
            QCOMPARE(dialog.runButton()->text(), QString(m.button));
            QCOMPARE(dialog.nameBox()->text(), QString("総務"));
            // Granting rights means typing the password, unseen; the others propose it.
            const bool granting = m.mode == FolderCreationMode::GrantRights;
            QCOMPARE(dialog.passwordBox()->text(), granting ? QString() : QString("s3cret"));
            QCOMPARE(dialog.passwordBox()->echoMode(),
                     granting ? QLineEdit::Password : QLineEdit::Normal);
            keepScreenshot(dialog, m.screenshot);
        }
        // Nothing held yet: the boxes start with the computer name.
        velmo::TfmNetCreate fresh(FolderCreationMode::CreateFolder, creation, {}, "PC1");
        QCOMPARE(fresh.nameBox()->text(), QString("PC1"));
        QCOMPARE(fresh.passwordBox()->text(), QString("PC1"));
    }

    void controlCharactersAndCharactersTheFilesCannotHoldAreNotTyped() {
        QTemporaryDir dir;
        Desk pc1("PC1", dir.path().toStdString());
        velmo::FolderCreation creation = pc1.creation(dir.path().toStdString());
        velmo::TfmNetCreate dialog(FolderCreationMode::CreateFolder, creation, {"総務", "pw"},
                                   "PC1");
        dialog.show();
        QLineEdit* name = dialog.nameBox();
        name->clear();
        name->insert(QString("経理"));
        name->insert(QString::fromUtf8("\xF0\x9F\x98\x80"));  // an emoji: no CP932 form
        name->insert(QStringLiteral("\x01"));
        QCOMPARE(name->text(), QString("経理"));
    }

    void anOfficeCreatesItsFolderAndGrantsRightsThroughTheDialog() {
        QTemporaryDir dir;
        const fs::path office = dir.path().toStdString();
        const fs::path share = office / "share";
        fs::create_directories(share);

        Desk pc1("PC1", office);
        velmo::FolderCreation pc1Creation = pc1.creation(share);
        velmo::TfmNetCreate create(FolderCreationMode::CreateFolder, pc1Creation, {}, "PC1");
        create.show();
        create.nameBox()->setText("総務");
        create.passwordBox()->setText("s3cret");
        QTest::mouseClick(create.runButton(), Qt::LeftButton);
        QCOMPARE(create.result(), int(QDialog::Accepted));
        QCOMPARE(create.chosenFolder(), share);
        QCOMPARE(pc1.ui.texts(), std::vector<std::string>{"データ構造は正常に作成されました。"});
        QCOMPARE(pc1.state.rightsLevel, velmo::kAdministratorComputer);
        const std::string adminBytes =
            velmo::testing::TempFolder::read(share / velmo::kAdministratorFileName);

        Desk pc2("PC2", office);
        velmo::FolderCreation pc2Creation = pc2.creation(share);
        {
            velmo::TfmNetCreate grant(FolderCreationMode::GrantRights, pc2Creation, pc2.state.held,
                                      "PC2");
            grant.show();
            QTest::keyClicks(grant.passwordBox(), "guess");
            QTest::mouseClick(grant.runButton(), Qt::LeftButton);
            QVERIFY(!grant.isVisible());  // closed after the message
            QCOMPARE(pc2.state.rightsLevel, velmo::kNoRights);
            QCOMPARE(pc2.ui.texts(), std::vector<std::string>{velmo::kWrongPasswordMessage});
        }
        {
            velmo::TfmNetCreate grant(FolderCreationMode::GrantRights, pc2Creation, pc2.state.held,
                                      "PC2");
            grant.show();
            QTest::keyClicks(grant.passwordBox(), "s3cret");
            QTest::keyClick(grant.passwordBox(), Qt::Key_Return);
            QCOMPARE(pc2.state.rightsLevel, velmo::kGrantedRights);
        }
        QCOMPARE(velmo::testing::TempFolder::read(share / velmo::kAdministratorFileName),
                 adminBytes);

        // PC1's rights file carried over to PC2 gives PC2 nothing.
        fs::copy_file(pc1.rightsFile, pc2.rightsFile, fs::copy_options::overwrite_existing);
        velmo::AdministratorEntry held;
        QCOMPARE(velmo::evaluateRightsLevel({share, pc2.rightsFile}, held, false, pc2.context),
                 velmo::kNoRights);
    }
};

QTEST_MAIN(NetCreateDialogTest)
#include "net_create_dialog_test.moc"
