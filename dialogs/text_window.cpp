#include "dialogs/text_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include "dialogs/find_dialog.h"
#include "dialogs/line_editor.h"
#include "dialogs/link_opener.h"
#include "platform/window_positions.h"

namespace velmo {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

// X11 keeps the lock states in the key event's state mask.
constexpr quint32 kCapsLockMask = 0x02;
constexpr quint32 kNumLockMask = 0x10;

bool isUntitledName(const std::filesystem::path& file) {
    return QString::fromStdString(file.filename().string()).toUpper().contains(qs("無題.TXT"));
}

}  // namespace

SaveNameDialog desktopSaveNameDialog() {
    return [](QWidget* owner, const std::filesystem::path& proposed) {
        QFileDialog dialog(
            owner, qs("保存するファイル名を指定してください。"),
            QString::fromStdString(proposed.string()),
            qs("テキスト( txt )(*.txt);;ハイパーテキスト( htm, html )(*.htm *.html);;"
               "すべてのファイル(*)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        // The window asks about an existing file itself.
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::optional<std::filesystem::path>();
        return std::optional(std::filesystem::path(dialog.selectedFiles().first().toStdString()));
    };
}

TextWindow::TextWindow(TextWindowContext context, QWidget* parent)
    : QMainWindow(parent), context_(std::move(context)), editor_(new LineEditor(this)) {
    setCentralWidget(editor_);
    editor_->installEventFilter(this);
    editor_->setActivatesLinks(true);
    editor_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(editor_, &QWidget::customContextMenuRequested, this, &TextWindow::showContextMenu);
    connect(editor_, &LineEditor::caretMoved, this, &TextWindow::refreshStatus);
    connect(editor_, &LineEditor::overwriteChanged, this, &TextWindow::refreshStatus);
    connect(editor_, &LineEditor::linkActivated, this, &TextWindow::openLinkAtClick);

    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(true);
    const int widths[] = {130, 70, 40, 40, 40, 40, 80, 0};
    for (int i = 0; i < 8; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0) {
            panels_[i]->setMinimumWidth(widths[i]);
            bar->addWidget(panels_[i]);
        } else {
            bar->addWidget(panels_[i], 1);
        }
    }
}

TextWindow::~TextWindow() = default;

QString TextWindow::statusPanelText(int panel) const {
    return panel >= 0 && panel < 8 ? panels_[panel]->text() : QString();
}

std::vector<std::string> TextWindow::editorLines() const {
    const QStringList lines = editor_->lines();
    std::vector<std::string> result;
    result.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& line : lines)
        result.push_back(line.toStdString());
    return result;
}

void TextWindow::showLines(const std::vector<std::string>& lines) {
    QStringList shown;
    shown.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines)
        shown << QString::fromStdString(line);
    editor_->setLines(shown);
}

void TextWindow::setModeName(const QString& name) {
    panels_[6]->setText(name);
}

void TextWindow::setProgressText(const QString& text) {
    panels_[0]->setText(text);
    panels_[0]->repaint();
}

void TextWindow::refreshStatus() {
    panels_[0]->setText(
        QString::asprintf("%5d 行:%4d 桁", editor_->caretRow() + 1, editor_->caretColumn() + 1));
    panels_[1]->setText(editor_->isReadOnly() ? QStringLiteral("Read Only") : QString());
    panels_[2]->setText(editor_->overwriting() ? qs("上書") : qs("挿入"));
    panels_[3]->setText(capsLock_ ? QStringLiteral("Caps") : QString());
    // No desktop of ours has a kana lock.
    panels_[4]->setText(QString());
    panels_[5]->setText(numLock_ ? QStringLiteral("Num") : QString());
}

// ----- menus -----

void TextWindow::addEditMenu(QMenu* menu, bool withClipboardKeys) {
    editMenu_ = menu;
    undo_ = menu->addAction(qs("やり直し(&U)"), QKeySequence(QStringLiteral("Ctrl+Z")), editor_,
                            &LineEditor::undoStep);
    redo_ = menu->addAction(qs("やり直しのやり直し(&R)"), QKeySequence(QStringLiteral("Ctrl+Y")),
                            editor_, &LineEditor::redoStep);
    menu->addSeparator();
    const auto key = [withClipboardKeys](const char* sequence) {
        return withClipboardKeys ? QKeySequence(QString::fromLatin1(sequence)) : QKeySequence();
    };
    cut_ = menu->addAction(qs("切り取り(&T)"), key("Ctrl+X"), editor_, &QPlainTextEdit::cut);
    copy_ = menu->addAction(qs("コピー(&C)"), key("Ctrl+C"), editor_, &QPlainTextEdit::copy);
    paste_ = menu->addAction(qs("貼り付け(&P)"), key("Ctrl+V"), editor_, &QPlainTextEdit::paste);
    menu->addSeparator();
    menu->addAction(qs("すべて選択(&A)"), QKeySequence(QStringLiteral("Ctrl+A")), editor_,
                    &QPlainTextEdit::selectAll);
    connect(menu, &QMenu::aboutToShow, this, &TextWindow::refreshEditMenu);
}

void TextWindow::refreshEditMenu() {
    const bool writable = !editor_->isReadOnly();
    const bool selected = editor_->textCursor().hasSelection();
    copy_->setEnabled(selected);
    cut_->setEnabled(selected && writable);
    paste_->setEnabled(writable && !QApplication::clipboard()->text().isEmpty());
    undo_->setEnabled(writable && editor_->canUndo());
    redo_->setEnabled(writable && editor_->canRedo());
}

void TextWindow::addFindMenu(QMenu* menu) {
    QAction* find = menu->addAction(qs("検索(&S)"), QKeySequence(QStringLiteral("Ctrl+F")), this,
                                    &TextWindow::openFindDialog);
    find->setObjectName(QStringLiteral("miFind"));
    findPrevious_ = menu->addAction(qs("上候補(&P)"), QKeySequence(QStringLiteral("Shift+F3")),
                                    this, [this] { findAgain(false); });
    findNext_ = menu->addAction(qs("下候補(&N)"), QKeySequence(QStringLiteral("F3")), this,
                                [this] { findAgain(true); });
    connect(menu, &QMenu::aboutToShow, this, [this] {
        findPrevious_->setEnabled(!searchString_.isEmpty());
        findNext_->setEnabled(!searchString_.isEmpty());
    });
}

void TextWindow::showContextMenu(const QPoint& at) {
    QMenu menu(this);
    menu.addAction(qs("切り取り(&T)"), editor_, &QPlainTextEdit::cut)
        ->setEnabled(editor_->textCursor().hasSelection() && !editor_->isReadOnly());
    menu.addAction(qs("コピー(&C)"), editor_, &QPlainTextEdit::copy)
        ->setEnabled(editor_->textCursor().hasSelection());
    menu.addAction(qs("貼り付け(&P)"), editor_, &QPlainTextEdit::paste)
        ->setEnabled(!editor_->isReadOnly() && !QApplication::clipboard()->text().isEmpty());
    menu.addSeparator();
    menu.addAction(qs("最初"), this, &TextWindow::goToStart);
    menu.addAction(qs("最後"), this, &TextWindow::goToEnd);
    menu.addSeparator();
    menu.addAction(qs("閉じる(&Q)"), this, &QWidget::close);
    menu.exec(editor_->mapToGlobal(at));
}

// ----- finding -----

bool TextWindow::findAgain(bool forward) {
    if (searchString_.isEmpty())
        return false;
    FindOptions options = options_;
    options.forward = forward;
    if (editor_->find(searchString_, options))
        return true;
    if (clearsSelectionWhenNotFound_)
        editor_->clearSelection();
    context_.ui.information(
        "検索文字列  ' " + searchString_.toStdString() + " '\r\nは見つかりませんでした。",
        kMainInformationCaption);
    return false;
}

void TextWindow::findWith(const QString& text, FindOptions options) {
    searchString_ = text;
    options_ = options;
    findAgain(options.forward);
}

void TextWindow::openFindDialog() {
    if (auto chosen = FindDialog::ask(this, editor_->wordAtCaret(), context_.findSettings))
        findWith(chosen->first, chosen->second);
}

void TextWindow::goToStart() {
    editor_->setCaret(0, 0);
    editor_->setTopRow(0);
}

void TextWindow::goToEnd() {
    const int last = std::max(editor_->lineCount() - 1, 0);
    editor_->setCaret(last, 0);
    editor_->setTopRow(std::max(last - editor_->visibleRows() + 1, 0));
}

void TextWindow::openLinkAtClick(const QString& link) {
    openLink(link, context_.ui);
}

// ----- place -----

void TextWindow::applyPlace(const TextWindowSettings& settings) {
    QRect frame(settings.left, settings.top, std::max(settings.width, 200),
                std::max(settings.height, 150));
    const QScreen* on = QGuiApplication::screenAt(frame.center());
    if (!on)
        on = QGuiApplication::primaryScreen();
    if (on) {
        const QRect area = on->availableGeometry();
        if (frame.width() > area.width() || frame.height() > area.height()) {
            frame.moveTopLeft(area.topLeft());
        } else if (!area.contains(frame)) {
            frame.moveTopLeft(area.topLeft() + QPoint((area.width() - frame.width()) / 2,
                                                      (area.height() - frame.height()) / 2));
        }
    }
    resize(frame.size());
    if (platform::positionsHonoured())
        move(frame.topLeft());
}

void TextWindow::keepPlace(TextWindowSettings& settings) const {
    settings.width = width();
    settings.height = height();
    if (const QPoint at = pos(); platform::positionsHonoured() && at != QPoint(0, 0)) {
        settings.left = at.x();
        settings.top = at.y();
    }
    settings.closeTopLine = editor_->topRow();
    settings.closeRow = editor_->caretRow();
    settings.closeColumn = editor_->caretColumn();
}

std::optional<std::filesystem::path> TextWindow::askSaveName(
    const std::filesystem::path& proposed) {
    std::filesystem::path start = proposed;
    for (;;) {
        std::optional<std::filesystem::path> chosen = context_.saveNameDialog(this, start);
        if (!chosen)
            return std::nullopt;
        start = *chosen;
        if (isUntitledName(*chosen)) {
            context_.ui.message(
                "[無題] というファイル名では登録できません。\r\nファイル名を変更してください。");
            continue;
        }
        std::error_code error;
        if (std::filesystem::exists(*chosen, error) &&
            !context_.ui.question(kOverwriteQuestion, kMainInformationCaption, DefaultButton::Yes))
            continue;
        return chosen;
    }
}

// ----- keys and closing -----

void TextWindow::closeTowards(ViewRequest request) {
    pendingRequest_ = request;
    close();
}

void TextWindow::closeEvent(QCloseEvent* event) {
    if (!leaving()) {
        event->ignore();
        pendingRequest_ = ViewRequest::None;
        return;
    }
    event->accept();
    QMainWindow::closeEvent(event);
    if (pendingRequest_ != ViewRequest::None)
        emit viewRequested(pendingRequest_);
    pendingRequest_ = ViewRequest::None;
    emit windowClosed();
}

bool TextWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        capsLock_ = (key->nativeModifiers() & kCapsLockMask) != 0;
        numLock_ = (key->nativeModifiers() & kNumLockMask) != 0;
        if (key->modifiers() == Qt::AltModifier) {
            switch (key->key()) {
                case Qt::Key_Right:
                    closeTowards(ViewRequest::MonthView);
                    return true;
                case Qt::Key_Left:
                    closeTowards(ViewRequest::YearView);
                    return true;
                case Qt::Key_M:
                    close();
                    return true;
                default:
                    break;
            }
        }
        // Ctrl+Enter closes when the key comes up; it never breaks the line.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() & Qt::ControlModifier)
            return true;
        refreshStatus();
    }
    if (watched == editor_ && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() & Qt::ControlModifier) {
            close();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace velmo
