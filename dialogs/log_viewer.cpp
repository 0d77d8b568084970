#include "dialogs/log_viewer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include "editor_models/log_view_rows.h"
#include "platform/dialog_fonts.h"
#include "store/file_helpers.h"

namespace velmo {

namespace {

constexpr int kTextPixelSize = 16;
// Room for the 60-byte rows at 16 pixels, plus a scroll bar.
constexpr int kTextWidth = 560;
constexpr int kTextHeight = 420;

}  // namespace

LogViewer::LogViewer(const std::vector<std::string>& rows, QWidget* parent)
    : QDialog(parent),
      title_(new QLabel(QString::fromUtf8(kLogViewerTitle), this)),
      text_(new QPlainTextEdit(this)),
      first_(new QPushButton(QStringLiteral("最初"), this)),
      last_(new QPushButton(QStringLiteral("最後"), this)),
      up_(new QPushButton(QStringLiteral("△"), this)),
      down_(new QPushButton(QStringLiteral("▽"), this)) {
    setWindowTitle(QString::fromUtf8(kLogViewerCaption));
    setModal(true);

    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(18);
    title_->setFont(titleFont);

    QFont fixed = mappedFont(QStringLiteral("ＭＳ ゴシック"), kTextPixelSize);
    fixed.setFixedPitch(true);
    fixed.setStyleHint(QFont::TypeWriter);
    text_->setFont(fixed);
    // Byte columns only line up when rows are never wrapped.
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setMinimumSize(kTextWidth, kTextHeight);
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(rows.size()));
    for (const std::string& row : rows)
        lines.push_back(QString::fromStdString(row));
    // Edits are allowed but never kept: the text box is rebuilt from the log each time.
    text_->setPlainText(lines.join(QLatin1Char('\n')));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(first_);
    buttons->addWidget(last_);
    buttons->addStretch();
    buttons->addWidget(up_);
    buttons->addWidget(down_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);

    connect(first_, &QPushButton::clicked, this, &LogViewer::goToFirst);
    connect(last_, &QPushButton::clicked, this, &LogViewer::goToLast);
    connect(up_, &QPushButton::clicked, this, [this] { scrollBy(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { scrollBy(1); });
}

void LogViewer::goToFirst() {
    text_->moveCursor(QTextCursor::Start);
    text_->verticalScrollBar()->setValue(0);
    text_->setFocus();
}

void LogViewer::goToLast() {
    text_->moveCursor(QTextCursor::End);
    text_->moveCursor(QTextCursor::StartOfLine);
    // All the way down, so the last line is shown whole and not just touched.
    QScrollBar* bar = text_->verticalScrollBar();
    bar->setValue(bar->maximum());
    text_->setFocus();
}

void LogViewer::scrollBy(int lines) {
    // A plain text box scrolls its vertical bar in whole lines.
    QScrollBar* bar = text_->verticalScrollBar();
    bar->setValue(bar->value() + lines);
}

bool showStartEndLog(QWidget* parent, const std::filesystem::path& logFile, UserInterface& ui,
                     Sleeper& sleeper) {
    if (!existsPlainFile(logFile))
        return false;
    const std::optional<std::vector<std::string>> rows = readLogViewRows(logFile, ui, sleeper);
    if (!rows)
        return false;
    LogViewer viewer(*rows, parent);
    viewer.exec();
    return true;
}

}  // namespace velmo
