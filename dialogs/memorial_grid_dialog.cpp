#include "dialogs/memorial_grid_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>

#include "calendar/japanese_date_text.h"
#include "dialogs/plain_button.h"
#include "platform/dialog_fonts.h"
#include "store/file_helpers.h"
#include "store/line_file.h"
#include "store/rule_file.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

constexpr int kNameColumn = 6;
constexpr int kWeekdayColumn = 4;
constexpr int kMonthColumn = 2;
constexpr int kTextPixelSize = 14;
// The grid writes directly, without the retries of the memorial-day editor.
constexpr Retry kGridRetry{1, std::chrono::milliseconds(0)};

QString qText(const std::string& text) {
    return QString::fromStdString(text);
}

// Japanese input methods often type full-width digits; the file needs ASCII ones.
QString asciiNumber(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        const char16_t u = c.unicode();
        if (u >= 0xFF10 && u <= 0xFF19)
            c = QChar(u'0' + (u - 0xFF10));
        else if (u == 0xFF0B)
            c = QChar(u'+');
        else if (u == 0xFF0D || u == 0x2212)
            c = QChar(u'-');
    }
    return result;
}

// Number cells: only digits (and a sign for the years) can be typed; the ranges are
// checked when writing, where the message can name the row.
class NumberDelegate final : public QStyledItemDelegate {
public:
    NumberDelegate(const QString& pattern, QObject* parent)
        : QStyledItemDelegate(parent), pattern_(pattern) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        edit->setInputMethodHints(Qt::ImhPreferNumbers);
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern_), edit));
        return edit;
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, asciiNumber(static_cast<QLineEdit*>(editor)->text()));
    }

private:
    QString pattern_;
};

// The weekday cell: a choice of "" and "日曜日".."土曜日"; a value read from the file that
// is none of these stays choosable so opening the cell never changes it.
class WeekdayDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* combo = new QComboBox(parent);
        combo->addItem(QString());
        for (int weekday = 1; weekday <= 7; ++weekday)
            combo->addItem(qText(youbiLongName(weekday)));
        // A choice counts at once; the cell stays open so arrow keys can step on.
        connect(combo, &QComboBox::activated, this,
                [this, combo] { emit const_cast<WeekdayDelegate*>(this)->commitData(combo); });
        return combo;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* combo = static_cast<QComboBox*>(editor);
        const QString text = index.data().toString();
        int at = combo->findText(text);
        if (at < 0) {
            combo->addItem(text);
            at = combo->count() - 1;
        }
        combo->setCurrentIndex(at);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        model->setData(index, static_cast<QComboBox*>(editor)->currentText());
    }
};

bool isBlankName(const std::string& name) {
    return trimSpaces(replaceAll(name, "　", " ")).empty();
}

// The rows as they would be stored, without checking them, to tell whether the grid
// differs from the file.
std::vector<std::string> comparableForm(const std::vector<MemorialGridRow>& rows) {
    std::vector<std::string> form;
    for (const MemorialGridRow& row : rows) {
        if (isBlankName(trimSpaces(row[kNameColumn])))
            continue;
        std::string line;
        for (std::size_t column = 0; column < kMemorialGridColumns; ++column) {
            std::string cell = trimSpaces(row[column]);
            if (column == kWeekdayColumn && !youbiNumberText(cell).empty())
                cell = youbiNumberText(cell);
            else if (column == kNameColumn)
                cell = memorialNameForStorage(cell);
            line += cell;
            line += '\x1f';
        }
        form.push_back(std::move(line));
    }
    return form;
}

}  // namespace

MemorialGridDialog::MemorialGridDialog(std::string commonFolder, UserInterface& ui,
                                       Sleeper& sleeper, QWidget* parent)
    : QDialog(parent),
      commonFolder_(std::move(commonFolder)),
      ui_(ui),
      sleeper_(sleeper),
      table_(new QTableWidget(0, static_cast<int>(kMemorialGridColumns), this)),
      notice_(new QLabel(this)),
      status_(new QLabel(this)),
      insert_(plainButton("行挿入", "btnInsert", this)),
      delete_(plainButton("行削除", "btnDelete", this)),
      write_(plainButton("書込", "btnWrite", this)),
      close_(plainButton("閉じる", "btnClose", this)) {
    setWindowTitle(QString::fromUtf8(kMemorialGridCaption));
    setModal(true);
    setSizeGripEnabled(true);

    table_->setObjectName(QStringLiteral("grdKinenbi"));
    table_->setFont(mappedFont(QStringLiteral("ＭＳ Ｐゴシック"), kTextPixelSize));
    table_->horizontalHeader()->setFont(table_->font());
    table_->verticalHeader()->setFont(table_->font());
    QStringList titles;
    for (const char* title : memorialGridTitles())
        titles << QString::fromUtf8(title);
    table_->setHorizontalHeaderLabels(titles);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);

    auto* years = new NumberDelegate(QStringLiteral("^[+\\-＋－−]?[0-9０-９]{0,10}$"), this);
    auto* small = new NumberDelegate(QStringLiteral("^[0-9０-９]{0,2}$"), this);
    table_->setItemDelegateForColumn(0, years);
    table_->setItemDelegateForColumn(1, years);
    for (int column : {2, 3, 5})
        table_->setItemDelegateForColumn(column, small);
    table_->setItemDelegateForColumn(kWeekdayColumn, new WeekdayDelegate(this));

    // Widths from the font: the number columns fit their titles, the weekday column a
    // long weekday name with the choice's arrow, the name takes the rest.
    const QFontMetrics metrics(table_->font());
    QHeaderView* header = table_->horizontalHeader();
    header->setMinimumSectionSize(metrics.horizontalAdvance(QStringLiteral("00")) + 12);
    for (int column = 0; column < kNameColumn; ++column) {
        int width = metrics.horizontalAdvance(titles[column]) + 20;
        if (column < 2)
            width = std::max(width, metrics.horizontalAdvance(QStringLiteral("-00000")) + 12);
        if (column == kWeekdayColumn)
            width = metrics.horizontalAdvance(QStringLiteral("水曜日")) + 40;
        header->resizeSection(column, width);
    }
    header->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
    header->setHighlightSections(false);

    notice_->setWordWrap(true);
    notice_->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(insert_);
    buttons->addWidget(delete_);
    buttons->addSpacing(12);
    buttons->addWidget(status_, 1);
    buttons->addWidget(write_);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(notice_);
    layout->addLayout(buttons);
    resize(620, 440);

    connect(insert_, &QPushButton::clicked, this, &MemorialGridDialog::insertRow);
    connect(delete_, &QPushButton::clicked, this, &MemorialGridDialog::deleteRow);
    connect(write_, &QPushButton::clicked, this, &MemorialGridDialog::write);
    connect(close_, &QPushButton::clicked, this, &MemorialGridDialog::reject);
    connect(table_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_)
            status_->clear();
    });

    load();
}

void MemorialGridDialog::load() {
    std::vector<std::string> lines;
    const RuleFileRead read =
        readRuleFile(lines, commonFolder_ + kSpecialDayFileName, ui_, sleeper_);
    writable_ = read != RuleFileRead::Failed;
    MemorialGrid grid = readMemorialGrid(lines);
    kept_ = std::move(grid.unreadLines);
    showRows(grid.rows);
    if (!writable_) {
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        for (QPushButton* b : {insert_, delete_, write_})
            b->setEnabled(false);
    }
    updateNotice();
}

void MemorialGridDialog::showRows(const std::vector<MemorialGridRow>& rows) {
    filling_ = true;
    table_->setRowCount(0);
    table_->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table_->rowCount(); ++row)
        setRow(row, rows[static_cast<std::size_t>(row)]);
    // An empty file still offers a row to type into; a blank row is never written.
    if (rows.empty() && writable_) {
        table_->setRowCount(1);
        setRow(0, {});
    }
    filling_ = false;
    writtenForm_ = comparableForm(rows);
    if (table_->rowCount() > 0)
        table_->setCurrentCell(0, kMonthColumn);
}

void MemorialGridDialog::setRow(int row, const MemorialGridRow& cells) {
    for (int column = 0; column < static_cast<int>(kMemorialGridColumns); ++column) {
        auto* item = new QTableWidgetItem(qText(cells[static_cast<std::size_t>(column)]));
        if (column != kNameColumn)
            item->setTextAlignment(Qt::AlignCenter);
        table_->setItem(row, column, item);
    }
}

std::vector<MemorialGridRow> MemorialGridDialog::rows() const {
    commitOpenEditor();
    std::vector<MemorialGridRow> result(static_cast<std::size_t>(table_->rowCount()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        for (int column = 0; column < static_cast<int>(kMemorialGridColumns); ++column) {
            if (const QTableWidgetItem* item = table_->item(row, column))
                result[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                    item->text().toStdString();
        }
    }
    return result;
}

bool MemorialGridDialog::hasUnwrittenChanges() const {
    return writable_ && comparableForm(rows()) != writtenForm_;
}

void MemorialGridDialog::commitOpenEditor() const {
    // The close box and a button pressed from code leave a cell's editor open; what was
    // typed there counts. The editor stays open.
    const QModelIndex index = table_->currentIndex();
    QWidget* editor = index.isValid() ? table_->indexWidget(index) : nullptr;
    if (editor)
        emit table_->itemDelegateForIndex(index)->commitData(editor);
}

void MemorialGridDialog::insertRow() {
    if (!writable_)
        return;
    commitOpenEditor();
    const int current = table_->currentRow();
    const int row = current >= 0 ? current : table_->rowCount();
    const int column = std::max(table_->currentColumn(), 0);
    filling_ = true;
    table_->insertRow(row);
    setRow(row, {});
    filling_ = false;
    status_->clear();
    table_->setCurrentCell(row, column);
    table_->setFocus();
}

void MemorialGridDialog::deleteRow() {
    if (!writable_)
        return;
    commitOpenEditor();
    const int current = table_->currentRow();
    if (current < 0)
        return;
    const int column = table_->currentColumn();
    table_->removeRow(current);
    status_->clear();
    if (table_->rowCount() > 0)
        table_->setCurrentCell(std::min(current, table_->rowCount() - 1), column);
    table_->setFocus();
}

bool MemorialGridDialog::write() {
    if (!writable_)
        return false;
    const std::vector<MemorialGridRow> current = rows();
    const MemorialGridLines grid = memorialGridLines(current);
    if (!grid.problem.empty()) {
        informMain(ui_, grid.problem);
        selectFirstBadCell(current);
        return false;
    }
    std::vector<std::string> lines = grid.lines;
    lines.insert(lines.end(), kept_.begin(), kept_.end());
    const std::string path = commonFolder_ + kSpecialDayFileName;
    if (writeLinesRetrying(resolveCaseInsensitive(path), lines, kGridRetry, sleeper_) !=
        WriteOutcome::Written) {
        informMain(ui_, "[ " + path + " ]の書込に失敗しました。");
        return false;
    }
    // Show the file as it now is: blank rows gone, names in their stored form.
    const int row = table_->currentRow();
    const int column = table_->currentColumn();
    MemorialGrid written = readMemorialGrid(lines);
    kept_ = std::move(written.unreadLines);
    showRows(written.rows);
    if (row >= 0 && table_->rowCount() > 0)
        table_->setCurrentCell(std::min(row, table_->rowCount() - 1), column);
    updateNotice();
    status_->setText(QStringLiteral("書き込みました。"));
    return true;
}

void MemorialGridDialog::selectFirstBadCell(const std::vector<MemorialGridRow>& rows) {
    const auto& titles = memorialGridTitles();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const std::string problem = memorialGridLines({rows[row]}).problem;
        if (problem.empty())
            continue;
        int column = kNameColumn;
        for (std::size_t c = 0; c < titles.size(); ++c) {
            if (problem.find(std::string("「") + titles[c] + "」") != std::string::npos) {
                column = static_cast<int>(c);
                break;
            }
        }
        table_->setCurrentCell(static_cast<int>(row), column);
        table_->setFocus();
        return;
    }
}

void MemorialGridDialog::updateNotice() {
    QString text;
    if (!writable_) {
        text = QStringLiteral("ファイルを読み込めなかったため、書き込みはできません。");
    } else if (!kept_.empty()) {
        text =
            QStringLiteral("表に表示できない %1 行は、書込の際にファイルの末尾へそのまま残します。")
                .arg(kept_.size());
    }
    notice_->setText(text);
    notice_->setVisible(!text.isEmpty());
}

void MemorialGridDialog::reject() {
    if (hasUnwrittenChanges()) {
        if (ask(ui_, kMemorialGridWriteQuestion)) {
            // A refused cell keeps the window open with the cell selected.
            if (write())
                QDialog::accept();
            return;
        }
    }
    QDialog::reject();
}

}  // namespace velmo
