// The export pages of the data dialog: a month exported from the page as a user does
// it, the page's settings kept for the next time, and the spreadsheet options.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "dialogs/data_dialog.h"
#include "dialogs/spreadsheet_page.h"
#include "dialogs/text_export_page.h"
#include "store/cp932.h"
#include "store/export_settings.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using velmo::testing::ScriptedUserInterface;
using velmo::testing::TempFolder;

struct Office {
    Office() {
        fs::create_directories(data);
        fs::create_directories(out);
        std::ofstream(data / "Ca202612.myc", std::ios::binary)
            << velmo::cp932::encode("24,1,,<B>忘年会</B> & 二次会,clRed,,,,,\r\n");
    }
    velmo::DataDialogContext context() {
        velmo::BackupFolders folders;
        folders.currentDataFolder = data;
        folders.startFolder = start;
        velmo::ExportPageContext exports;
        exports.year = 2026;
        exports.month = 12;
        exports.startFolder = start.string() + "/";
        exports.dataFolder = data.string() + "/";
        exports.grid = [] {
            velmo::ExportGrid grid;
            for (int i = 0; i < velmo::kExportGridCells; ++i) {
                velmo::ExportDay& d = grid[static_cast<std::size_t>(i)];
                d = {2026, 12, i - 1, i % 7 + 1, i >= 2 && i < 33, false, {}, {}, {}};
            }
            return grid;
        };
        exports.uidDomain = "@d.c.velmo";
        exports.chooseFile = [this](QWidget*, const velmo::ExportFileChoice& choice) {
            offeredName = choice.proposedName;
            return std::optional(out / choice.proposedName);
        };
        exports.openFile = [this](const fs::path& file) {
            opened = file;
            return true;
        };
        return {ui,
                sleeper,
                clock,
                start / "Torka.ini",
                folders,
                [this] { ++saves; },
                {},
                {},
                [this](QWidget*, const QString&) { return std::optional(out); },
                exports};
    }
    static void keepScreenshot(QWidget& widget, const char* name) {
        const QByteArray folder = qgetenv("VELMO_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(widget.grab().save(QString::fromUtf8(folder) + "/" + name));
    }

    QTemporaryDir dir;
    fs::path start = fs::path(dir.path().toStdString()) / "velmo";
    fs::path data = start / "Data" / "Files1";
    fs::path out = fs::path(dir.path().toStdString()) / "exports";
    ScriptedUserInterface ui;
    velmo::testing::FakeClock clock{{2026, 12, 10, 20, 30, 0, 0}};
    velmo::testing::RecordingSleeper sleeper;
    int saves = 0;
    std::string offeredName;
    fs::path opened;
};

}  // namespace

class ExportPagesTest : public QObject {
    Q_OBJECT

private slots:
    void anHtmlExportFromThePageIsKeptForNextTime() {
        Office office;
        {
            velmo::TfmSetup dialog(office.context());
            dialog.showPage(velmo::TfmSetup::Page::Export);
            dialog.show();
            velmo::TextExportPage* page = dialog.exportPage();
            QVERIFY(page != nullptr);
            QVERIFY(dialog.savePage() == nullptr);
            QCOMPARE(page->folderBox()->text(),
                     QString::fromStdString(office.start.string() + "/"));
            page->formatButton(velmo::ExportFormat::Html)->setChecked(true);
            Office::keepScreenshot(dialog, "export_page.png");
            QTest::mouseClick(page->exportButton(), Qt::LeftButton);
            QCOMPARE(office.saves, 1);
            QCOMPARE(office.offeredName, std::string("202612.html"));
            const fs::path file = office.out / "202612.html";
            QCOMPARE(office.ui.texts(),
                     std::vector<std::string>{"テキスト(" + file.string() + ")を書き出しました。"});
            const std::string html = velmo::cp932::decode(TempFolder::read(file));
            QVERIFY(html.find("<FONT COLOR=\"#ff0000\"><B>忘年会 &amp; 二次会</B></FONT>") !=
                    std::string::npos);
            // The chosen file's folder is the export folder from now on.
            QCOMPARE(page->folderBox()->text(), QString::fromStdString(office.out.string() + "/"));
            dialog.accept();
        }
        const velmo::ExportSettings kept = velmo::loadExportSettings(
            office.start / "Torka.ini", office.start.string() + "/", office.sleeper);
        QCOMPARE(kept.format, velmo::ExportFormat::Html);
        QCOMPARE(kept.folder, office.out.string() + "/");
        velmo::TfmSetup again(office.context());
        QVERIFY(again.exportPage()->formatButton(velmo::ExportFormat::Html)->isChecked());
    }

    void theFileExportIsOffInNetworkMode() {
        Office office;
        velmo::DataDialogContext context = office.context();
        context.exports->fileExportsAllowed = false;
        velmo::TfmSetup dialog(std::move(context));
        QVERIFY(!dialog.exportPage()->exportButton()->isEnabled());
    }

    void theSpreadsheetOptionsAndTheirDefaults() {
#ifdef VELMO_HAVE_XLSX
        Office office;
        velmo::TfmSetup dialog(office.context());
        dialog.showPage(velmo::TfmSetup::Page::Spreadsheet);
        dialog.show();
        velmo::SpreadsheetPage* page = dialog.spreadsheetPage();
        QVERIFY(page != nullptr);
        Office::keepScreenshot(dialog, "spreadsheet_page.png");
        QCOMPARE(page->createButton()->text(), QString("エクセルカレンダ\nプレビュー"));
        page->previewBox()->setChecked(false);
        QCOMPARE(page->createButton()->text(), QString("エクセルカレンダ\n作成"));
        page->titleBox()->setChecked(false);
        page->titleText()->setText("営業部");

        office.ui.answer(false);
        page->resetToDefaults();
        QCOMPARE(office.ui.texts().back(), std::string("中止します。"));
        QVERIFY(!page->titleBox()->isChecked());

        office.ui.answer(true);
        page->resetToDefaults();
        QVERIFY(page->titleBox()->isChecked());
        QCOMPARE(page->titleText()->text(), QString("予定表"));
        QVERIFY(page->titleForm(velmo::ExportTitleForm::YearMonthAndTitle)->isChecked());
        QVERIFY(page->previewBox()->isChecked());

        // With the preview the workbook goes to the desktop's program.
        QTest::mouseClick(page->createButton(), Qt::LeftButton);
        QCOMPARE(office.opened, office.start / "VelExcel.xlsx");
        QVERIFY(fs::exists(office.opened));
#else
        QSKIP("built without spreadsheet support");
#endif
    }
};

QTEST_MAIN(ExportPagesTest)
#include "export_pages_test.moc"
