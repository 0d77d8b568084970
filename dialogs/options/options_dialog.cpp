#include "dialogs/options/options_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/user_interface.h"
#include "dialogs/options/options_host.h"
#include "platform/dialog_fonts.h"
#include "store/options_dialog_sections.h"

namespace velmo {

namespace {

constexpr int kClientWidth = 567;
constexpr int kClientHeight = 548;

bool isModifierKey(int key) {
    return key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

bool withCtrlAndShift(const QKeyEvent& key) {
    const Qt::KeyboardModifiers m = key.modifiers();
    return m.testFlag(Qt::ControlModifier) && m.testFlag(Qt::ShiftModifier);
}

}  // namespace

TfmOption::TfmOption(OptionsForm form, OptionsHost& host, const std::vector<OptionPageEntry>& pages,
                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      form_(form),
      host_(host),
      entries_(pages),
      pageControl_(new QTabWidget(this)),
      closeButton_(new QPushButton("設定を閉じる", this)) {
    setObjectName("fmOption");
    setWindowTitle("ベルモ -Velmo-");
    setFont(mappedFont("ＭＳ Ｐゴシック", font().pixelSize() > 0 ? font().pixelSize() : 12));
    resize(kClientWidth, kClientHeight);
    pageControl_->setObjectName("pcOption");
    closeButton_->setObjectName("btnClose");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pageControl_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(closeButton_);
    layout->addLayout(bottom);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    // Creation and loading: every page of the table, shown or not, holds its controls
    // so their options pass through the dialog unchanged.
    state_.loading = true;
    for (const OptionPageEntry& entry : entries_) {
        OptionPage* page = entry.create(OptionPageContext{host_, state_}, pageControl_);
        page->setObjectName(QString::fromUtf8(entry.name));
        pages_.push_back(page);
        pageControl_->addTab(page, QString::fromUtf8(entry.caption));
    }
    for (OptionPage* page : pages_)
        page->load(host_.options());
    showPagesOfForm();
    connect(pageControl_, &QTabWidget::currentChanged, this, &TfmOption::currentPageChanged);
    qApp->installEventFilter(this);
}

TfmOption::~TfmOption() {
    qApp->removeEventFilter(this);
}

bool TfmOption::tabShownInForm(PageShown shown) const {
    switch (form_) {
        case OptionsForm::Memo:
            return shown == PageShown::MemoForm;
        case OptionsForm::Network:
            return shown == PageShown::FullAndNetworkForm;
        case OptionsForm::Full:
        case OptionsForm::TimeCorrection:
            return shown == PageShown::FullForm || shown == PageShown::FullAndNetworkForm;
    }
    return false;
}

void TfmOption::showPagesOfForm() {
    const char* opening = "tsSetAll";
    if (form_ == OptionsForm::TimeCorrection)
        opening = "tsKinou";
    else if (form_ == OptionsForm::Network)
        opening = "tsNet1";
    else if (form_ == OptionsForm::Memo)
        opening = "tsMemo";
    int current = -1;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const int tab = static_cast<int>(i);
        const bool shown = tabShownInForm(entries_[i].shown);
        pageControl_->setTabVisible(tab, shown);
        if (shown && (current < 0 || QString::fromUtf8(entries_[i].name) == opening))
            current = tab;
    }
    if (current >= 0)
        pageControl_->setCurrentIndex(current);
}

OptionPage* TfmOption::page(const QString& name) const {
    for (OptionPage* page : pages_) {
        if (page->objectName() == name)
            return page;
    }
    return nullptr;
}

int TfmOption::activePageIndex() const {
    // The tabs are the page table in its order, hidden ones included.
    return pageControl_->currentIndex();
}

void TfmOption::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!state_.loading)
        return;
    state_.loading = false;
    shownPage_ = qobject_cast<OptionPage*>(pageControl_->currentWidget());
    if (shownPage_)
        shownPage_->pageShown();
}

void TfmOption::currentPageChanged(int tab) {
    if (state_.loading || closed_)
        return;
    // Ctrl+Tab steps onto hidden tabs too; go on to the next shown one that way.
    if (!pageControl_->isTabVisible(tab)) {
        const int count = pageControl_->count();
        const int from = shownPage_ ? pageControl_->indexOf(shownPage_) : 0;
        const int step = (tab == (from + 1) % count) ? 1 : -1;
        for (int i = 1; i < count; ++i) {
            const int next = ((tab + step * i) % count + count) % count;
            if (pageControl_->isTabVisible(next)) {
                pageControl_->setCurrentIndex(next);
                return;
            }
        }
        return;
    }
    if (shownPage_)
        shownPage_->pageLeft();
    shownPage_ = qobject_cast<OptionPage*>(pageControl_->widget(tab));
    chordFirstKey_ = 0;
    if (shownPage_)
        shownPage_->pageShown();
}

bool TfmOption::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this &&
        previewKey(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool TfmOption::previewKey(const QKeyEvent& key) {
    if (isModifierKey(key.key()) || key.isAutoRepeat())
        return false;
    // Chords are letters; every other key, Ctrl+Shift+Tab included, goes on to the
    // controls and ends a chord.
    const bool letter = key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z;
    if (!withCtrlAndShift(key) || !letter) {
        chordFirstKey_ = 0;
        return false;
    }
    if (chordFirstKey_ == 0) {
        chordFirstKey_ = key.key();
        return false;
    }
    const int first = chordFirstKey_;
    auto* current = qobject_cast<OptionPage*>(pageControl_->currentWidget());
    if (!current || !current->keyChord(first, key.key())) {
        // The key may start the next chord.
        chordFirstKey_ = key.key();
        return false;
    }
    chordFirstKey_ = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const char* on = entries_[i].revealedByChordOn;
        if (on && current->objectName() == QString::fromUtf8(on)) {
            pageControl_->setTabVisible(static_cast<int>(i), true);
            pages_[i]->revealed();
        }
    }
    return true;
}

void TfmOption::done(int result) {
    closing();
    QDialog::done(result);
}

void TfmOption::closing() {
    if (closed_)
        return;
    closed_ = true;
    // A pending data-folder change is cancelled before anything is copied back.
    for (OptionPage* page : pages_)
        page->pageLeft();
    TorkaSettings& options = host_.options();
    for (OptionPage* page : pages_)
        page->store(options);
    JikokuSection jikoku;
    for (OptionPage* page : pages_)
        page->storeDialogSection(jikoku);
    const std::string file = host_.facts().settingsFile;
    if (!file.empty() &&
        !writeOptionsDialogSections(file, activePageIndex(), jikoku, host_.sleeper())) {
        informMain(host_.ui(), "[ " + file + " ]の書込に失敗しました。");
    }
}

}  // namespace velmo
