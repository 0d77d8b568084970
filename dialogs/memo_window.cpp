#include "dialogs/memo_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/line_editor.h"
#include "store/line_file.h"

namespace velmo {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

constexpr const char* kModeNames[] = {"メモ", "Readme.txt", "使用法", "Editor"};

// The memo and the program's texts are CP932 with CR LF, whatever bytes they hold.
TextDocument programText() {
    TextDocument document;
    document.encoding = TextEncoding::Cp932;
    document.lineEnding = LineEnding::CrLf;
    document.finalLineEnd = true;
    return document;
}

std::optional<std::filesystem::path> desktopOpenDialog(QWidget* owner) {
    const QString chosen = QFileDialog::getOpenFileName(
        owner, qs("ファイルを開く"), QString(),
        qs("テキスト( txt )(*.txt);;ハイパーテキスト( htm, html )(*.htm *.html);;"
           "すべてのファイル(*)"),
        nullptr);
    if (chosen.isEmpty())
        return std::nullopt;
    return std::filesystem::path(chosen.toStdString());
}

bool isFile(const std::filesystem::path& file) {
    std::error_code error;
    return !file.empty() && std::filesystem::is_regular_file(file, error);
}

}  // namespace

TfmMemo::TfmMemo(MemoWindowContext context, QWidget* parent)
    : TextWindow(context.text, parent), memo_(std::move(context)) {
    setObjectName(QStringLiteral("fmMemo"));
    setWindowTitle(qs("ベルモ -Velmo-"));
    clearsSelectionWhenNotFound_ = false;
    if (!memo_.openDialog)
        memo_.openDialog = desktopOpenDialog;

    // The editor and the jump column side by side.
    auto* centre = new QWidget(this);
    auto* row = new QHBoxLayout(centre);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    LineEditor* text = editor();
    takeCentralWidget();
    text->setParent(centre);
    row->addWidget(text, 1);
    jumpColumn_ = buildJumpColumn();
    row->addWidget(jumpColumn_);
    setCentralWidget(centre);

    connect(text, &LineEditor::textEdited, this, [this] {
        refreshCaption();
        if (!loading_ && editor()->lineCount() != lastLineCount_ && jumpButtonsShown())
            rescanMarks();
        lastLineCount_ = editor()->lineCount();
    });
    buildMenus();
}

QWidget* TfmMemo::buildJumpColumn() {
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("pnlJump"));
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(2, 0, 0, 0);
    layout->setSpacing(1);
    const auto add = [&](const QString& caption, const QString& name, int stretch) {
        auto* button = new QPushButton(caption, column);
        button->setObjectName(name);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedWidth(40);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        // The editor gets the focus back after every jump.
        connect(button, &QPushButton::released, this, [this] { editor()->setFocus(); });
        layout->addWidget(button, stretch);
        return button;
    };
    QPushButton* first = add(qs("最初"), QStringLiteral("btnJSaisho"), 0);
    connect(first, &QPushButton::pressed, this, &TextWindow::goToStart);
    for (int mark = 0; mark < 10; ++mark) {
        QPushButton* button = add(QString::number(mark), QStringLiteral("btnJump%1").arg(mark), 1);
        connect(button, &QPushButton::pressed, this, [this, mark] {
            jumpTo(mark, QApplication::keyboardModifiers() & Qt::ShiftModifier);
        });
        numberButtons_[mark] = button;
    }
    QPushButton* last = add(qs("最後"), QStringLiteral("btnJSaigo"), 0);
    connect(last, &QPushButton::pressed, this, &TextWindow::goToEnd);
    return column;
}

void TfmMemo::buildMenus() {
    QMenu* file = menuBar()->addMenu(qs("ファイル(&F)"));
    newItem_ = file->addAction(qs("新規作成(&N)"), QKeySequence(QStringLiteral("Ctrl+N")), this,
                               &TfmMemo::newText);
    openItem_ = file->addAction(qs("開く(&O)"), QKeySequence(QStringLiteral("Ctrl+O")), this,
                                &TfmMemo::openFile);
    saveAsItem_ = file->addAction(qs("名前を付けて保存(&A)"), this, &TfmMemo::saveUnderAnotherName);
    file->addAction(qs("再読込[編集取消](&O)"), this, &TfmMemo::reload);
    file->addSeparator();
    file->addAction(qs("閉じる(&C)"), QKeySequence(Qt::Key_F2), this, &QWidget::close);
    connect(file, &QMenu::aboutToShow, this, &TfmMemo::refreshMenus);

    addEditMenu(menuBar()->addMenu(qs("編集(&E)")), true);

    QMenu* find = menuBar()->addMenu(qs("検索(&S)"));
    addFindMenu(find);
    find->addSeparator();
    find->addAction(qs("テキストの先頭へ(&F)"), this, &TextWindow::goToStart);
    find->addAction(qs("テキストの最後に(&L)"), this, &TextWindow::goToEnd);

    QMenu* modes = menuBar()->addMenu(qs("切替(&K)"));
    const char* captions[] = {"メモ(&M)", "ReadMe.txt(&R)", "使用法(&S)", "Editor(&E)"};
    for (int m = 0; m < 4; ++m) {
        modeItems_[m] = modes->addAction(qs(captions[m]), this,
                                         [this, m] { switchMode(static_cast<MemoMode>(m)); });
        modeItems_[m]->setCheckable(true);
    }
    connect(modes, &QMenu::aboutToShow, this, &TfmMemo::refreshMenus);

    QMenu* jump = menuBar()->addMenu(qs("ジャンプ(&J)"));
    jumpToggle_ = jump->addAction(qs("ジャンプボタンＯｎ(&G)"), this, &TfmMemo::toggleJumpButtons);
    jumpReset_ = jump->addAction(qs("ジャンプボタン再セット(&R)"), this, &TfmMemo::rescanMarks);
    connect(jump, &QMenu::aboutToShow, this, &TfmMemo::refreshMenus);

    QMenu* other = menuBar()->addMenu(qs("その他(&O)"));
    other->addAction(qs("オプション設定(&O)"), this, [this] {
        if (memo_.options)
            memo_.options(this, settings_);
    });
}

void TfmMemo::refreshMenus() {
    const bool editorMode = mode_ == MemoMode::Editor;
    newItem_->setEnabled(editorMode);
    openItem_->setEnabled(editorMode);
    saveAsItem_->setEnabled(mode_ == MemoMode::Memo || editorMode);
    for (int m = 0; m < 4; ++m) {
        modeItems_[m]->setEnabled(modeAvailable(static_cast<MemoMode>(m)));
        modeItems_[m]->setChecked(m == static_cast<int>(mode_));
    }
    jumpToggle_->setText(jumpButtonsShown() ? qs("ジャンプボタンＯｆｆ(&G)")
                                            : qs("ジャンプボタンＯｎ(&G)"));
    jumpReset_->setEnabled(jumpButtonsShown());
}

bool TfmMemo::modeAvailable(MemoMode mode) const {
    switch (mode) {
        case MemoMode::ReadMe:
            return isFile(memo_.readmeFile);
        case MemoMode::Usage:
            return isFile(memo_.usageFile);
        default:
            return true;
    }
}

bool TfmMemo::jumpButtonsShown() const {
    return settings_.modes[static_cast<int>(mode_)].buttons;
}

// ----- showing and the modes' texts -----

void TfmMemo::showMode(MemoMode mode) {
    if (isVisible()) {
        if (mode != mode_)
            switchMode(mode);
        raise();
        activateWindow();
        return;
    }
    mode_ = modeAvailable(mode) ? mode : MemoMode::Memo;
    show();
}

void TfmMemo::showEvent(QShowEvent* event) {
    TextWindow::showEvent(event);
    if (event->spontaneous())
        return;
    settings_ = loadTextWindowSettings(context_.settingsFile, kMemoWindowSection, context_.sleeper);
    applyPlace(settings_);
    goToStart();
    openModeText();
    restoreView();
    refreshStatus();
}

void TfmMemo::openModeText() {
    loading_ = true;
    const bool readOnly = mode_ == MemoMode::ReadMe || mode_ == MemoMode::Usage;
    editor()->setReadOnly(readOnly);
    document_ = programText();
    switch (mode_) {
        case MemoMode::ReadMe:
        case MemoMode::Usage: {
            // A text gone since the last showing leaves the previous one, read-only.
            const std::filesystem::path& file =
                mode_ == MemoMode::ReadMe ? memo_.readmeFile : memo_.usageFile;
            currentFile_ = file;
            LineList lines;
            if (isFile(file) && readLineFile(file, lines, context_.ui, context_.sleeper))
                showLines(lines);
            break;
        }
        case MemoMode::Memo: {
            currentFile_ = memo_.memoFile;
            LineList lines;
            if (isFile(currentFile_)) {
                // A memo that could not be read is never written over.
                if (!readLineFile(currentFile_, lines, context_.ui, context_.sleeper))
                    editor()->setReadOnly(true);
                showLines(lines);
            } else {
                // The file is created by the first save, not by looking at it.
                context_.ui.information(kMemoMissingMessage, kMainInformationCaption);
                editor()->setLines({});
            }
            break;
        }
        case MemoMode::Editor: {
            const std::filesystem::path last = settings_.vEditorFile;
            currentFile_.clear();
            const bool untitled =
                settings_.vEditorFile == kUntitledName || settings_.vEditorFile.empty();
            if (!untitled && !isFile(last))
                context_.ui.message(kEditorFileMissingMessage);
            if (untitled || !isFile(last) || !loadEditorFile(last))
                editor()->setLines({});
            break;
        }
    }
    editor()->setModified(false);
    lastLineCount_ = editor()->lineCount();
    loading_ = false;
    setModeName(qs(kModeNames[static_cast<int>(mode_)]));
    refreshCaption();
    refreshMenus();
    refreshJumpColumn();
}

bool TfmMemo::loadEditorFile(const std::filesystem::path& file) {
    std::optional<TextDocument> read = readTextDocument(file, context_.ui, context_.sleeper);
    if (!read)
        return false;
    document_ = std::move(*read);
    currentFile_ = file;
    settings_.vEditorFile = file.string();
    showLines(document_.lines);
    // Bytes that are not text are shown but never written back.
    editor()->setReadOnly(document_.binary);
    if (document_.binary)
        context_.ui.message(kBinaryDocumentNotice);
    return true;
}

void TfmMemo::refreshCaption() {
    const QString modified = editor()->isModified() ? qs("(更新)") : QString();
    const QString path =
        currentFile_.empty() ? qs(kUntitledName) : QString::fromStdString(currentFile_.string());
    switch (mode_) {
        case MemoMode::Memo:
            setWindowTitle(qs("メモ : ") + path + modified);
            break;
        case MemoMode::ReadMe:
            setWindowTitle(QStringLiteral("ReadMe.txt"));
            break;
        case MemoMode::Usage:
            setWindowTitle(qs("使用法"));
            break;
        case MemoMode::Editor:
            setWindowTitle(qs("Editor : ") + path + modified);
            break;
    }
}

void TfmMemo::rememberView() {
    view().topRow = editor()->topRow();
    view().row = editor()->caretRow();
}

void TfmMemo::restoreView() {
    const ModeViewState& state = view();
    if (state.row >= 0 && state.row < editor()->lineCount()) {
        editor()->setCaret(state.row, 0);
        editor()->setTopRow(std::max(state.topRow, 0));
    }
    refreshJumpColumn();
}

void TfmMemo::switchMode(MemoMode mode) {
    if (!modeAvailable(mode) || !leaveText())
        return;
    rememberView();
    mode_ = mode;
    goToStart();
    openModeText();
    restoreView();
    refreshStatus();
}

// ----- leaving and saving -----

bool TfmMemo::writeCurrent(const std::filesystem::path& file) {
    TextDocument document = document_;
    document.lines = editorLines();
    if (!writeTextDocument(file, document, context_.ui, context_.sleeper))
        return false;
    document_ = std::move(document);
    editor()->setModified(false);
    refreshCaption();
    return true;
}

bool TfmMemo::leaveText() {
    if (!editor()->isModified() || editor()->isReadOnly() || !editor()->isEnabled())
        return true;
    switch (mode_) {
        case MemoMode::Memo:
            writeCurrent(currentFile_);
            return true;
        case MemoMode::Editor:
            if (!context_.ui.question(kLeaveModifiedQuestion, kQuestionCaption, DefaultButton::Yes))
                return true;
            if (currentFile_.empty())
                return saveUntitled();
            if (isFile(currentFile_) &&
                !context_.ui.question(kOverwriteQuestion, kMainInformationCaption,
                                      DefaultButton::Yes))
                return true;
            writeCurrent(currentFile_);
            return true;
        default:
            return true;
    }
}

bool TfmMemo::saveUntitled() {
    const std::filesystem::path files = memo_.startFolder / "Files";
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::is_directory(files, error) ? files : memo_.startFolder;
    for (;;) {
        if (const auto chosen = askSaveName(folder / "無題.txt")) {
            if (writeCurrent(*chosen)) {
                currentFile_ = *chosen;
                settings_.vEditorFile = chosen->string();
                refreshCaption();
            }
            return true;
        }
        if (context_.ui.question("保存しなくてもいいですか？", kMainInformationCaption,
                                 DefaultButton::No)) {
            informMain(context_.ui, "この無題のファイルは保存しません");
            editor()->setModified(false);
            refreshCaption();
            return true;
        }
    }
}

void TfmMemo::saveUnderAnotherName() {
    if (mode_ != MemoMode::Memo && mode_ != MemoMode::Editor)
        return;
    if (currentFile_.empty()) {
        saveUntitled();
        return;
    }
    const std::optional<std::filesystem::path> chosen = askSaveName(currentFile_);
    if (!chosen || !writeCurrent(*chosen))
        return;
    // Until the mode's text is opened again, leaving writes to the new file.
    currentFile_ = *chosen;
    settings_.vEditorFile = chosen->string();
    refreshCaption();
}

void TfmMemo::newText() {
    if (mode_ != MemoMode::Editor || !leaveText())
        return;
    loading_ = true;
    editor()->setReadOnly(false);
    editor()->setLines({});
    loading_ = false;
    document_ = programText();
    currentFile_.clear();
    settings_.vEditorFile = kUntitledName;
    editor()->setModified(false);
    refreshCaption();
    rescanMarks();
}

void TfmMemo::openFile() {
    if (mode_ != MemoMode::Editor)
        return;
    // Unsaved changes are offered for saving before another file replaces them.
    if (!leaveText())
        return;
    const std::optional<std::filesystem::path> chosen = memo_.openDialog(this);
    if (!chosen || !isFile(*chosen))
        return;
    loading_ = true;
    const bool loaded = loadEditorFile(*chosen);
    loading_ = false;
    if (!loaded)
        return;
    editor()->setModified(false);
    lastLineCount_ = editor()->lineCount();
    goToStart();
    refreshCaption();
    refreshJumpColumn();
}

void TfmMemo::reload() {
    UserInterface& ui = context_.ui;
    if (editor()->isModified() && !ui.question("今までの編集がクリアされますがよろしいですか？",
                                               kQuestionCaption, DefaultButton::No)) {
        ui.message(kReloadDeclinedMessage);
        return;
    }
    const bool untitled = mode_ == MemoMode::Editor && currentFile_.empty();
    if (!untitled) {
        // What leaving would write goes: the mode's own text is read again.
        if (mode_ == MemoMode::Editor)
            settings_.vEditorFile = currentFile_.string();
        openModeText();
        restoreView();
    } else {
        if (!ui.question("ファイル名が「無題」です。内容をクリアしてもいいですか？",
                         kQuestionCaption, DefaultButton::No)) {
            ui.message(kReloadDeclinedMessage);
            return;
        }
        if (!ui.question("内容が破棄されます。本当にいいですか？", kQuestionCaption,
                         DefaultButton::No))
            return;
        editor()->setLines({});
    }
    editor()->setModified(false);
    refreshCaption();
}

bool TfmMemo::leaving() {
    rememberView();
    leaveText();
    keepPlace(settings_);
    saveTextWindowSettings(context_.settingsFile, kMemoWindowSection, settings_, context_.sleeper);
    emit modeLeft(static_cast<int>(mode_));
    return true;
}

// ----- jump marks -----

void TfmMemo::toggleJumpButtons() {
    view().buttons = !view().buttons;
    refreshJumpColumn();
}

void TfmMemo::refreshJumpColumn() {
    jumpColumn_->setVisible(jumpButtonsShown());
    if (jumpButtonsShown())
        rescanMarks();
}

void TfmMemo::rescanMarks() {
    // A mark needs only a line's first characters; the text is not copied whole.
    LineEditor* text = editor();
    marks_ = scanJumpMarks(text->lineCount(),
                           [text](int row) { return text->line(row).left(4).toStdString(); });
    for (int mark = 0; mark < 10; ++mark) {
        // A set mark is green and fuchsia under the mouse; an unset one keeps the text
        // colour and turns blue.
        numberButtons_[mark]->setStyleSheet(
            marks_[mark] >= 0 ? QStringLiteral("QPushButton{color:#008000}"
                                               "QPushButton:hover{color:#ff00ff}")
                              : QStringLiteral("QPushButton:hover{color:#0000ff}"));
    }
}

void TfmMemo::jumpTo(int mark, bool shiftHeld) {
    if (mark < 0 || mark > 9 || marks_[mark] < 0)
        return;
    const int row = marks_[mark];
    editor()->setCaret(row, 0);
    editor()->setTopRow(jumpTopRow(row, shiftHeld, settings_.vJHanten, settings_.vCLine1,
                                   settings_.vCLine2, editor()->visibleRows()));
}

}  // namespace velmo
