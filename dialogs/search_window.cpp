#include "dialogs/search_window.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

#include "dialogs/line_editor.h"
#include "editor_models/search_history.h"
#include "store/search_listing.h"

namespace velmo {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

}  // namespace

TfmKensaku::TfmKensaku(SearchWindowContext context, QWidget* parent)
    : TextWindow(context.text, parent),
      search_(std::move(context)),
      cbKensaku_(new QComboBox(this)) {
    setObjectName(QStringLiteral("fmKensaku"));
    setWindowTitle(qs("ベルモ -Velmo-"));
    cbKensaku_->setObjectName(QStringLiteral("cbKensaku"));
    cbKensaku_->setEditable(true);
    cbKensaku_->setInsertPolicy(QComboBox::NoInsert);
    cbKensaku_->setMinimumWidth(180);
    connect(cbKensaku_->lineEdit(), &QLineEdit::returnPressed, this, &TfmKensaku::searchFromBox);

    auto* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("tbKensaku"));
    bar->setMovable(false);
    bar->addWidget(cbKensaku_);
    const struct {
        const char* caption;
        const char* name;
        std::function<void()> action;
    } buttons[] = {
        {"検索", "btnKensaku", [this] { searchFromBox(); }},
        {"上候補", "btnUe", [this] { searchBoxAgain(false); }},
        {"下候補", "btnShita", [this] { searchBoxAgain(true); }},
        {"最初", "btnSaisho", [this] { goToStart(); }},
        {"最後", "btnSaigo", [this] { goToEnd(); }},
        {"再作成", "btnSaisakusei", [this] { rebuild(); }},
        {"閉じる", "btnClose", [this] { close(); }},
    };
    for (const auto& b : buttons) {
        auto* button = new QPushButton(qs(b.caption), bar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setFocusPolicy(Qt::NoFocus);
        // As narrow as the caption allows, so the row fits the designed width.
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
        connect(button, &QPushButton::clicked, this, b.action);
        bar->addWidget(button);
    }
    addToolBar(Qt::TopToolBarArea, bar);

    QMenu* file = menuBar()->addMenu(qs("ファイル(&F)"));
    file->addAction(qs("名前を付けて保存(&A)"), this, &TfmKensaku::saveUnderAnotherName);
    file->addAction(qs("検索ファイル再作成"), this, &TfmKensaku::rebuild);
    file->addSeparator();
    file->addAction(qs("閉じる(&C)"), QKeySequence(Qt::Key_F2), this, &QWidget::close);
    addEditMenu(menuBar()->addMenu(qs("編集(&E)")), false);
    QMenu* find = menuBar()->addMenu(qs("検索(&S)"));
    addFindMenu(find);
    find->addSeparator();
    find->addAction(qs("最初"), this, &TextWindow::goToStart);
    find->addAction(qs("最後"), this, &TextWindow::goToEnd);
    QMenu* other = menuBar()->addMenu(qs("その他(&O)"));
    other->addAction(qs("オプション設定(&O)"), this, [this] {
        if (search_.options)
            search_.options(this, settings_);
    });
}

std::filesystem::path TfmKensaku::listingFile() const {
    return search_.dataFolder() / kSearchListingFileName;
}

QStringList TfmKensaku::searchBoxItems() const {
    QStringList items;
    for (int i = 0; i < cbKensaku_->count(); ++i)
        items << cbKensaku_->itemText(i);
    return items;
}

void TfmKensaku::fillSearchBox() {
    cbKensaku_->clear();
    for (const std::string& item : history_)
        cbKensaku_->addItem(QString::fromStdString(item));
    if (!history_.empty())
        cbKensaku_->setCurrentIndex(0);
}

void TfmKensaku::showEvent(QShowEvent* event) {
    TextWindow::showEvent(event);
    if (opened_)
        return;
    opened_ = true;
    editor()->setLines({});
    settings_ =
        loadTextWindowSettings(context_.settingsFile, kSearchWindowSection, context_.sleeper);
    applyPlace(settings_);
    history_ = fromCommaText(settings_.vItems);
    if (history_.size() > static_cast<std::size_t>(kSearchHistoryLimit))
        history_.resize(static_cast<std::size_t>(kSearchHistoryLimit));
    fillSearchBox();
    refreshStatus();
    // The listing opens once the window stands, so its questions and its wait show
    // over it.
    QTimer::singleShot(0, this, &TfmKensaku::openSearchData);
}

void TfmKensaku::showProgress(int done, int total) {
    if (!waitLabel_) {
        waitLabel_ = new QLabel(qs("少々お待ちください"), this,
                                Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        waitLabel_->setWindowTitle(qs("ベルモ -Velmo-"));
        waitLabel_->setAlignment(Qt::AlignCenter);
        waitLabel_->setFrameShape(QFrame::Box);
        waitLabel_->setMargin(16);
        waitLabel_->adjustSize();
        waitLabel_->move(geometry().center() - waitLabel_->rect().center());
        waitLabel_->show();
    }
    setProgressText(QStringLiteral("%1 / %2").arg(done).arg(total));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfmKensaku::hideWaitLabel() {
    delete waitLabel_;
    waitLabel_ = nullptr;
    refreshStatus();
}

void TfmKensaku::openSearchData() {
    if (!isVisible())
        return;
    if (search_.saveOpenData)
        search_.saveOpenData();
    ListingOpening opening =
        openSearchListing(search_.dataFolder(), search_.clock, context_.ui, context_.sleeper,
                          [this](int done, int total) { showProgress(done, total); });
    hideWaitLabel();
    currentFile_ = listingFile();
    showLines(opening.lines);
    editor()->setModified(opening.modified);
    restoreRows();
    setWindowTitle(qs("【検索】"));
    setModeName(qs("検索"));
    refreshStatus();
    editor()->setFocus();
}

void TfmKensaku::restoreRows() {
    const ModeViewState& view = settings_.modes[0];
    if (view.row >= 0 && view.row < editor()->lineCount()) {
        editor()->setCaret(view.row, 0);
        editor()->setTopRow(std::max(view.topRow, 0));
    } else {
        goToStart();
    }
}

void TfmKensaku::rebuild() {
    if (search_.saveOpenData)
        search_.saveOpenData();
    editor()->setLines({});
    const std::vector<std::string> lines =
        buildSearchListing(search_.dataFolder(), context_.ui, context_.sleeper,
                           [this](int done, int total) { showProgress(done, total); });
    hideWaitLabel();
    showLines(lines);
    editor()->setModified(true);
    goToStart();
    refreshStatus();
}

void TfmKensaku::searchFromBox() {
    const QString text = cbKensaku_->currentText();
    if (text.isEmpty())
        return;
    pushHistory(history_, storableHistoryItem(text.toStdString()),
                static_cast<std::size_t>(kSearchHistoryLimit));
    fillSearchBox();
    editor()->setCaret(0, 0);
    FindOptions options = currentOptions();
    options.forward = true;
    findWith(text, options);
}

void TfmKensaku::searchBoxAgain(bool forward) {
    FindOptions options = currentOptions();
    options.forward = forward;
    findWith(cbKensaku_->currentText(), options);
}

void TfmKensaku::saveUnderAnotherName() {
    const std::optional<std::filesystem::path> chosen = askSaveName(currentFile_);
    if (!chosen)
        return;
    if (!writeSearchListing(*chosen, editorLines(), context_.ui, context_.sleeper))
        return;
    currentFile_ = *chosen;
    editor()->setModified(false);
}

bool TfmKensaku::leaving() {
    settings_.modes[0].topRow = editor()->topRow();
    settings_.modes[0].row = editor()->caretRow();
    if (editor()->isModified() && !editor()->isReadOnly() && editor()->isEnabled()) {
        if (writeSearchListing(listingFile(), editorLines(), context_.ui, context_.sleeper))
            editor()->setModified(false);
    }
    writeSettings();
    opened_ = false;
    return true;
}

void TfmKensaku::writeSettings() {
    keepPlace(settings_);
    if (history_.size() > static_cast<std::size_t>(kSearchHistoryLimit))
        history_.resize(static_cast<std::size_t>(kSearchHistoryLimit));
    settings_.vItems = toCommaText(history_);
    saveTextWindowSettings(context_.settingsFile, kSearchWindowSection, settings_,
                           context_.sleeper);
}

}  // namespace velmo
