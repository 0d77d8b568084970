#pragma once
// The bulk editor of memorial days (menu "記念日等一括編集(&E)"): Sday.myc of the common
// data folder as a grid of numbered rows, one rule per row, written back as 7-field
// lines with the weekday as "1".."7".
//
// "書込" writes and keeps the window open, showing the file as written (rows with a blank
// name are gone); "閉じる", Escape and the close box ask whether to write when the grid
// holds changes that were not written.
//
// Lines the grid cannot show (neither a 7-field line nor a readable shorter form) are
// kept and written back after the rows, so editing here never loses them. A file that
// exists but could not be read is shown empty and never written over.
//
// The window never touches the calendar: after it closes the caller reads the file
// again with reloadSpecialDays().
//
//   MemorialGridDialog dialog(commonFolder, ui, sleeper, mainWindow);
//   dialog.exec();
//   reloadSpecialDays(rules, commonFolder, ui, sleeper);

#include <QDialog>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/memorial_day_edit.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace velmo {

inline constexpr const char* kMemorialGridCaption = "ベルモ -Velmo-";
inline constexpr const char* kMemorialGridWriteQuestion = "変更を書き込みますか？";

class MemorialGridDialog : public QDialog {
    Q_OBJECT

public:
    // commonFolder ends with "/". Reads the file at once; a read failure has been shown
    // when the constructor returns.
    MemorialGridDialog(std::string commonFolder, UserInterface& ui, Sleeper& sleeper,
                       QWidget* parent = nullptr);

    // The grid's cells as they are now (an edit in progress included).
    std::vector<MemorialGridRow> rows() const;
    // The file's lines the grid cannot show, written back after the rows.
    const std::vector<std::string>& keptLines() const { return kept_; }
    // False after a failed read: nothing may be written.
    bool writable() const { return writable_; }
    // True when writing would store something other than what was last read or written.
    bool hasUnwrittenChanges() const;

    QTableWidget* table() const { return table_; }
    QLabel* noticeLabel() const { return notice_; }
    QLabel* statusLabel() const { return status_; }
    QPushButton* insertButton() const { return insert_; }
    QPushButton* deleteButton() const { return delete_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* closeButton() const { return close_; }

public slots:
    // An empty row above the current one (at the end when there is none).
    void insertRow();
    // Deletes the current row.
    void deleteRow();
    // Writes the rows and the kept lines. A cell that cannot be stored, or a failed
    // write, is shown and writes nothing; the bad cell becomes the current one.
    bool write();
    // "閉じる", Escape and the close box.
    void reject() override;

private:
    void load();
    void showRows(const std::vector<MemorialGridRow>& rows);
    void setRow(int row, const MemorialGridRow& cells);
    void commitOpenEditor() const;
    void selectFirstBadCell(const std::vector<MemorialGridRow>& rows);
    void updateNotice();

    std::string commonFolder_;
    UserInterface& ui_;
    Sleeper& sleeper_;
    std::vector<std::string> kept_;
    std::vector<std::string> writtenForm_;  // what the file holds, in comparable form
    bool writable_ = true;
    bool filling_ = false;

    QTableWidget* table_;
    QLabel* notice_;
    QLabel* status_;
    QPushButton* insert_;
    QPushButton* delete_;
    QPushButton* write_;
    QPushButton* close_;
};

}  // namespace velmo
