#include "dialogs/day_editor.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "dialogs/plain_button.h"
#include "platform/window_positions.h"
#include "store/profile_file.h"
#include "store/settings.h"

namespace velmo {
namespace {

constexpr const char* kPlaceSection = "fmDay";

// The desktop work area the window should lie in.
QRect workAreaFor(const QRect& frame) {
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

// Moves a rectangle into the area: down below its top, up over its bottom, then the
// same for left and right.
QRect fitIntoArea(QRect rect, const QRect& area) {
    if (area.isEmpty())
        return rect;
    if (rect.top() < area.top())
        rect.moveTop(area.top());
    if (rect.bottom() > area.bottom())
        rect.moveBottom(area.bottom());
    if (rect.left() < area.left())
        rect.moveLeft(area.left());
    if (rect.right() > area.right())
        rect.moveRight(area.right());
    return rect;
}

}  // namespace

TfmDay::TfmDay(UserInterface& ui, const Clock& clock, EditorPlace place, QWidget* parent)
    : QDialog(parent), ui_(ui), place_(std::move(place)), chooser_(chooseColourInDialog) {
    setObjectName(QStringLiteral("fmDay"));
    setModal(true);

    pages_ = new QStackedWidget(this);
    // The pages ask for colours through the window, so a chooser set later reaches them.
    dayPage_ = new DayPage(
        ui_, clock,
        [this](Colour c, QWidget* p) { return chooser_ ? chooser_(c, p) : std::nullopt; }, pages_);
    periodPage_ = new PeriodPage(
        ui_, [this](Colour c, QWidget* p) { return chooser_(c, p); }, pages_);
    periodPage_->setObjectName(QStringLiteral("tsKikan"));
    memorialPage_ = new MemorialDayPage(ui_, pages_);
    pages_->addWidget(dayPage_);
    pages_->addWidget(periodPage_);
    pages_->addWidget(memorialPage_);

    write_ = plainButton("書込／閉じる(&W)", "btnOK", this);
    cancel_ = plainButton("キャンセル(&Q)", "btnCancel", this);
    standardSize_ = plainButton("定型", "btnTeikei", this);
    standardSize_->setToolTip(QString::fromUtf8("元の大きさに戻します"));
    connect(write_, &QPushButton::clicked, this, &TfmDay::write);
    connect(cancel_, &QPushButton::clicked, this, &TfmDay::cancel);
    connect(standardSize_, &QPushButton::clicked, this, [this] {
        resize(kEditorDesignWidth, kEditorDesignHeight);
        updateStandardSizeButton();
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(standardSize_);
    buttons->addStretch(1);
    buttons->addWidget(write_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);

    for (const auto key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | key), this);
        connect(shortcut, &QShortcut::activated, this, &TfmDay::write);
    }

    resize(kEditorDesignWidth, kEditorDesignHeight);
    loadPlace();
    place_.settingsAsRead = nullptr;  // it describes the file only at this moment
}

TfmDay::~TfmDay() = default;

void TfmDay::setColourChooser(ColourChooser chooser) {
    chooser_ = std::move(chooser);
}

// ----- opening -----

void TfmDay::openDay(const DayHeader& header, const DayEditorLines& lines,
                     const DayPageSettings& settings) {
    mode_ = DayMode;
    sizeBefore_.reset();
    dayPage_->openDay(header, lines, settings);
}

void TfmDay::openMonthMemo(int year, int month, const DayEditorLines& lines,
                           const DayPageSettings& settings) {
    mode_ = DayMode;
    sizeBefore_.reset();
    dayPage_->openMonthMemo(year, month, lines, settings);
}

void TfmDay::openPeriod(const PeriodForm& form) {
    mode_ = PeriodMode;
    periodPage_->setForm(form);
}

void TfmDay::openMemorialDay(const MemorialDayFields& fields) {
    mode_ = MemorialMode;
    memorialPage_->setFields(fields);
}

bool TfmDay::execEditor() {
    writeBack_ = false;
    cancelled_ = false;
    if (mode_ != DayMode) {
        sizeBefore_ = size();
        resize(kEditorDesignWidth, kEditorDesignHeight);
    }
    setWindowTitle(QString::fromUtf8(kEditorCaption));
    exec();
    setWindowTitle(QString());
    if (sizeBefore_) {
        resize(*sizeBefore_);
        sizeBefore_.reset();
        updateStandardSizeButton();
    }
    return writeBack_;
}

// ----- showing -----

void TfmDay::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    writeBack_ = false;
    cancelled_ = false;
    switch (mode_) {
        case MemorialMode:
            pages_->setCurrentWidget(memorialPage_);
            memorialPage_->focusName();
            break;
        case PeriodMode:
            pages_->setCurrentWidget(periodPage_);
            periodPage_->focusSummary();
            break;
        default:
            showDayPage();
            break;
    }
    emit editingShown();
}

void TfmDay::showDayPage() {
    pages_->setCurrentWidget(dayPage_);
    // The caret row depends on how many rows the editor shows.
    if (layout())
        layout()->activate();
    dayPage_->showLines();
}

void TfmDay::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    emit editingHidden();
}

void TfmDay::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && mode_ == DayMode &&
        !dayPage_->monthMemo()) {
        dayPage_->drawHolidayStrip();
    }
}

void TfmDay::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    updateStandardSizeButton();
    if (mode_ == DayMode && !dayPage_->monthMemo() && isVisible())
        dayPage_->drawHolidayStrip();
}

void TfmDay::updateStandardSizeButton() {
    standardSize_->setVisible(width() > kStandardSizeButtonWidth);
}

// ----- results -----

DayEditorLines TfmDay::dayLines() const {
    return dayPage_->lines();
}

PeriodForm TfmDay::periodForm() const {
    return periodPage_->form();
}

MemorialDayFields TfmDay::memorialDayFields() const {
    return memorialPage_->fields();
}

bool TfmDay::hasUnsavedInput() const {
    if (mode_ == PeriodMode)
        return periodPage_->summaryModified();
    if (mode_ == MemorialMode)
        return memorialPage_->nameModified();
    return dayPage_->memo()->isModified();
}

// ----- keys and closing -----

void TfmDay::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (ask(ui_, kCancelQuestion, DefaultButton::Yes, kMainInformationCaption))
            cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfmDay::write() {
    closeEditor(false, true);
}

void TfmDay::cancel() {
    closeEditor(true, false);
}

void TfmDay::reject() {
    // The close box: a close without Cancelled.
    closeEditor(false, false);
}

bool TfmDay::computeWriteBack() const {
    if (mode_ == MemorialMode)
        return memorialPage_->changed() && !cancelled_;
    if (cancelled_)
        return false;
    return mode_ == PeriodMode || dayPage_->memo()->isModified();
}

bool TfmDay::checkBeforeStoring(bool writeButton) {
    switch (mode_) {
        case PeriodMode:
            return writeButton ? periodPage_->prepareWrite() : periodPage_->checkFields();
        case MemorialMode:
            return memorialPage_->checkBeforeStoring();
        default:
            return dayPage_->checkBeforeStoring();
    }
}

void TfmDay::closeEditor(bool cancelled, bool writeButton) {
    cancelled_ = cancelled;
    const bool store = computeWriteBack();
    // Nothing that is to be stored leaves the window before it can be stored whole.
    if (store && !checkBeforeStoring(writeButton)) {
        cancelled_ = false;
        return;
    }
    writeBack_ = store;
    savePlace();
    QDialog::done(store ? QDialog::Accepted : QDialog::Rejected);
}

// ----- position and size -----

void TfmDay::loadPlace() {
    QRect frame(QPoint(0, 0), size());
    const QRect area = workAreaFor(frame);
    frame.moveCenter(area.center());
    std::optional<ProfileFile> read;
    const ProfileFile* file = place_.settingsAsRead;
    if (!file && !place_.settingsFile.empty() && place_.sleeper) {
        read = ProfileFile::load(place_.settingsFile, kSettingsRetry, *place_.sleeper);
        file = &*read;
    }
    if (file) {
        frame = QRect(file->readInt(kPlaceSection, "fmLeft", frame.left()),
                      file->readInt(kPlaceSection, "fmTop", frame.top()),
                      std::max(file->readInt(kPlaceSection, "fmWidth", kEditorDesignWidth), 100),
                      std::max(file->readInt(kPlaceSection, "fmHeight", kEditorDesignHeight), 100));
    }
    frame = fitIntoArea(frame, workAreaFor(frame));
    resize(frame.size());
    updateStandardSizeButton();
    if (platform::positionsHonoured())
        move(frame.topLeft());
}

void TfmDay::savePlace() {
    if (place_.settingsFile.empty() || !place_.sleeper)
        return;
    // The period and memorial-day pages borrow a fixed size; the day page's is kept.
    const QSize kept = sizeBefore_.value_or(size());
    WindowPlace place{.width = kept.width(), .height = kept.height()};
    if (const QPoint at = pos(); platform::positionsHonoured() && at != QPoint(0, 0)) {
        place.left = at.x();
        place.top = at.y();
    }
    saveWindowPlace(place_.settingsFile, kPlaceSection, place, *place_.sleeper);
}

}  // namespace velmo
