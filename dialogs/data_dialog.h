#pragma once
// The data dialog "TfmSetup". Opened for backups: saving the data to one of two folders
// ("tsTaihi") and restoring them from a folder ("tsKaifuku"); in network mode an
// administrator holding the maintenance lock works on the shared folder instead. Opened
// for exports: the month in view as a file ("tsText") or as a spreadsheet ("tsExcel").

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "core/clock.h"
#include "core/user_interface.h"
#include "dialogs/export_page_context.h"
#include "store/backup_page_settings.h"
#include "store/export_settings.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace velmo {

// The folders the backup pages check against and work on.
struct BackupFolders {
    std::filesystem::path currentDataFolder;
    std::filesystem::path commonDataFolder;
    std::filesystem::path startFolder;
    // The shared folder in network mode; else edFolder when set, else the start folder.
    std::filesystem::path dataRoot;
    bool dataRootConfigured = false;
    std::filesystem::path backupRoot;  // where the restore keeps the data it replaces
    bool networkMode = false;
    std::string sharedFolder;
};

struct DataDialogContext {
    UserInterface& ui;
    Sleeper& sleeper;
    const Clock& clock;
    std::filesystem::path settingsFile;
    BackupFolders folders;
    std::function<void()> saveAll;
    // After a restore, the program ends at once (without saving the months it holds).
    std::function<void()> endProgram;
    // Network mode: tells the other computers that the shared data changed.
    std::function<void()> raiseUpdateCounter;
    // The folder browser, starting in the given folder; nothing when cancelled.
    std::function<std::optional<std::filesystem::path>(QWidget* owner, const QString& start)>
        chooseFolder;
    // Set: the dialog shows the export pages instead of the backup pages.
    std::optional<ExportPageContext> exports;
};

// The save page "tsTaihi".
class BackupSavePage : public QWidget {
    Q_OBJECT

public:
    BackupSavePage(DataDialogContext& context, BackupPageSettings& settings, QWidget* parent);

    QLineEdit* destinationBox(int n) const { return n == 1 ? edtCopy1_ : edtCopy2_; }
    QLabel* destinationLabel(int n) const { return n == 1 ? lblCopy1_ : lblCopy2_; }
    void pickDestination(int n);
    void saveTo(int n);
    void keepSettings();

private:
    DataDialogContext& context_;
    BackupPageSettings& settings_;
    QLineEdit* edtCopy1_;
    QLineEdit* edtCopy2_;
    QLabel* lblCopy1_;
    QLabel* lblCopy2_;
};

// The restore page "tsKaifuku".
class BackupRestorePage : public QWidget {
    Q_OBJECT

public:
    BackupRestorePage(DataDialogContext& context, BackupPageSettings& settings, QWidget* parent);

    QLineEdit* sourceBox() const { return edtCopy3_; }
    QPushButton* restoreButton() const { return restore_; }
    // "①「データ回復」をオン": the restore controls after the warning.
    void enableRestore();
    void pickSource();
    void restore();
    void keepSettings();

private:
    DataDialogContext& context_;
    BackupPageSettings& settings_;
    QLineEdit* edtCopy3_;
    QPushButton* pick_;
    QPushButton* restore_;
};

class SpreadsheetPage;
class TextExportPage;

class TfmSetup : public QDialog {
    Q_OBJECT

public:
    enum class Page { Save, Restore, Export, Spreadsheet };
    explicit TfmSetup(DataDialogContext context, QWidget* owner = nullptr);

    void showPage(Page page);
    BackupSavePage* savePage() const { return save_; }
    BackupRestorePage* restorePage() const { return restorePage_; }
    TextExportPage* exportPage() const { return export_; }
    // Null when the program was built without spreadsheet support.
    SpreadsheetPage* spreadsheetPage() const { return spreadsheet_; }

protected:
    void done(int result) override;

private:
    DataDialogContext context_;
    BackupPageSettings settings_;
    QTabWidget* pages_;
    ExportSettings exportSettings_;
    BackupSavePage* save_ = nullptr;
    BackupRestorePage* restorePage_ = nullptr;
    TextExportPage* export_ = nullptr;
    SpreadsheetPage* spreadsheet_ = nullptr;
};

// The desktop's folder browser, captioned "確認 -ベルモ-".
std::optional<std::filesystem::path> browseForFolder(QWidget* owner, const QString& start);

}  // namespace velmo
