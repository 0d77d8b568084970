#include "dialogs/day_editor.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <cstdio>
#include <functional>

#include "calendar/comma_text.h"
#include "calendar/japanese_date_text.h"
#include "dialogs/dialog_fonts.h"
#include "dialogs/plain_button.h"
#include "platform/window_positions.h"
#include "store/profile_file.h"
#include "store/settings.h"

namespace velmo {
namespace {

constexpr const char* kPlaceSection = "fmDay";
constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

QString fullWidthDigits(int number) {
    QString text = QString::number(number);
    for (QChar& c : text) {
        if (c.isDigit())
            c = QChar(0xFF10 + (c.unicode() - '0'));
    }
    return text;
}

QString weekdayText(int weekday) {
    return QStringLiteral("（ %1曜日 ）").arg(fromUtf8(youbiShortName(weekday)));
}

void colourWeekday(QLabel* label, int weekday) {
    QPalette palette = label->palette();
    const QColor colour = weekday == kSunday ? qColourOf(kRed)
                          : weekday == kSaturday
                              ? qColourOf(kBlue)
                              : QApplication::palette().color(QPalette::WindowText);
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

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

// Keeps the attribute list in step with the editor's lines and in its undo history.
class TfmDay::Tracker final : public LineTracker {
public:
    explicit Tracker(TfmDay& owner) : owner_(owner) {}

    void linesEdited(const LineEdit& edit) override {
        owner_.attrs_.apply(edit);
        if (owner_.attrs_.count() != owner_.memo_->lineCount())
            informMain(owner_.ui_, kAttrMismatchMessage);
    }
    std::any saveLines() const override { return owner_.attrs_.records(); }
    void restoreLines(const std::any& saved) override {
        if (const auto* records = std::any_cast<std::vector<DayLineRecord>>(&saved))
            owner_.attrs_.assign(*records);
    }

private:
    TfmDay& owner_;
};

TfmDay::TfmDay(UserInterface& ui, const Clock& clock, EditorPlace place, QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      clock_(clock),
      place_(std::move(place)),
      chooser_(chooseColourInDialog),
      tracker_(std::make_unique<Tracker>(*this)) {
    setObjectName(QStringLiteral("fmDay"));
    setModal(true);

    pages_ = new QStackedWidget(this);
    buildDayPage();
    periodPage_ = new PeriodPage(
        ui_, [this](Colour c, QWidget* p) { return chooser_(c, p); }, pages_);
    periodPage_->setObjectName(QStringLiteral("tsKikan"));
    buildMemorialPage();
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

    buildMenu();
    resize(kEditorDesignWidth, kEditorDesignHeight);
    loadPlace();
    place_.settingsAsRead = nullptr;  // it describes the file only at this moment
}

TfmDay::~TfmDay() {
    // The editor outlives this object's members: it must not call back into them.
    memo_->setLineTracker(nullptr);
    memo_->setLineColours({});
}

void TfmDay::buildDayPage() {
    dayPage_ = new QWidget(pages_);
    dayPage_->setObjectName(QStringLiteral("tsDay"));
    header_ = new QFrame(dayPage_);
    header_->setObjectName(QStringLiteral("pnlHeader"));
    header_->setFrameShape(QFrame::Panel);
    header_->setFrameShadow(QFrame::Raised);
    headerCaption_ = new QLabel(header_);
    headerCaption_->setAlignment(Qt::AlignCenter);
    label1_ = new QLabel(header_);
    label1_->setObjectName(QStringLiteral("Label1"));
    youbi_ = new QLabel(header_);
    youbi_->setObjectName(QStringLiteral("lblYoubi"));
    saijitu_ = new QLabel(header_);
    saijitu_->setObjectName(QStringLiteral("ImgSaijitu"));
    saijitu_->setMinimumHeight(16);
    saijitu_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    auto* top = new QHBoxLayout;
    top->addWidget(label1_);
    top->addWidget(youbi_);
    top->addStretch(1);
    auto* headerLayout = new QVBoxLayout(header_);
    headerLayout->setContentsMargins(4, 2, 4, 2);
    headerLayout->setSpacing(1);
    headerLayout->addWidget(headerCaption_);
    headerLayout->addLayout(top);
    headerLayout->addWidget(saijitu_);

    memo_ = new LineEditor(dayPage_);
    memo_->setObjectName(QStringLiteral("Memo2"));
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setFont(mappedFont(QStringLiteral("ＭＳ ゴシック"), 14));
    memo_->setLineTracker(tracker_.get());
    memo_->setLineColours([this](int row) { return lineColour(row); });
    memo_->setContextMenuPolicy(Qt::CustomContextMenu);
    memo_->installEventFilter(this);
    connect(memo_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        updateMenuState();
        popup_->popup(memo_->viewport()->mapToGlobal(at));
    });

    auto* layout = new QVBoxLayout(dayPage_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(header_);
    layout->addWidget(memo_, 1);
}

void TfmDay::buildMemorialPage() {
    memorialPage_ = new QWidget(pages_);
    memorialPage_->setObjectName(QStringLiteral("tsKinenbi"));
    kinenbi_ = new OneLineEdit(memorialPage_);
    kinenbi_->setObjectName(QStringLiteral("edtKinenbi"));
    fromYear_ = new QLineEdit(memorialPage_);
    fromYear_->setObjectName(QStringLiteral("edtYear1"));
    toYear_ = new QLineEdit(memorialPage_);
    toYear_->setObjectName(QStringLiteral("edtYear2"));
    for (QLineEdit* year : {fromYear_, toYear_}) {
        year->setValidator(new QIntValidator(0, 9999, year));
        year->setMaxLength(4);
    }
    kinenbiYoubi_ = new QLabel(memorialPage_);
    kinenbiDate_ = new QLabel(memorialPage_);
    kinenbiDate_->setObjectName(QStringLiteral("lblKinenbiDate"));

    auto* years = new QHBoxLayout;
    years->addWidget(new QLabel(QString::fromUtf8("年１～"), memorialPage_));
    years->addWidget(fromYear_);
    years->addWidget(new QLabel(QString::fromUtf8("～年２"), memorialPage_));
    years->addWidget(toYear_);
    auto* day = new QHBoxLayout;
    day->addWidget(kinenbiDate_);
    day->addWidget(kinenbiYoubi_);
    day->addStretch(1);
    auto* layout = new QVBoxLayout(memorialPage_);
    layout->addLayout(day);
    layout->addWidget(new QLabel(QString::fromUtf8("記念日等 ："), memorialPage_));
    layout->addWidget(kinenbi_);
    layout->addLayout(years);
    layout->addStretch(1);
}

void TfmDay::buildMenu() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    const auto add = [this](QMenu* menu, const char* name, const char* text,
                            const QKeySequence& keys, auto slot) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setObjectName(QString::fromUtf8(name));
        // The keys are handled by the editor's key filter; the menu only shows them.
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WidgetShortcut);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    insertMenu_ = popup_->addMenu(QString::fromUtf8("挿入(&I)"));
    insertMenu_->menuAction()->setObjectName(QStringLiteral("pmInsert"));
    insertMenu_->menuAction()->setVisible(false);
    add(insertMenu_, "pmNow", "現在時刻", QKeySequence(Qt::CTRL | Qt::Key_N),
        [this] { insertNow(); });

    colourMenu_ = popup_->addMenu(QString::fromUtf8("文字色(&M)"));
    colourMenu_->menuAction()->setObjectName(QStringLiteral("pmFontColor"));
    colourMenu_->menuAction()->setShortcut(QKeySequence(Qt::Key_F9));
    struct Item {
        const char* name;
        const char* text;
        Qt::Key key;
        ColourCommand command;
    };
    const Item items[] = {
        {"pmColor1", "赤色", Qt::Key_R, ColourCommand::Red},
        {"pmColor2", "青色", Qt::Key_B, ColourCommand::Blue},
        {"pmColor3", "ピンク", Qt::Key_F, ColourCommand::Pink},
        {"pmColor4", "青緑", Qt::Key_G, ColourCommand::Teal},
        {"pmColor5", "茶色", Qt::Key_H, ColourCommand::Brown},
        {"pmColorSet", "色指定", Qt::Key_L, ColourCommand::Choose},
        {"pmColorStd", "標準色", Qt::Key_O, ColourCommand::Standard},
    };
    for (const Item& item : items) {
        QAction* a = add(colourMenu_, item.name, item.text, QKeySequence(Qt::CTRL | item.key),
                         [this, c = item.command] { colourLines(c); });
        a->setCheckable(item.command != ColourCommand::Choose);
    }
    connect(colourMenu_, &QMenu::aboutToShow, this, &TfmDay::updateColourMarks);

    QAction* undo = add(popup_, "pmUndo", "元に戻す(&U)", QKeySequence(Qt::CTRL | Qt::Key_Z),
                        [this] { memo_->undoStep(); });
    undo->setVisible(false);
    QAction* redo =
        add(popup_, "pmRedo", "やり直し(&R)", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z),
            [this] { memo_->redoStep(); });
    redo->setVisible(false);
    add(popup_, "pmCut", "切り取り(&T)", QKeySequence(Qt::CTRL | Qt::Key_X),
        [this] { memo_->cut(); });
    add(popup_, "pmCopy", "コピー(&C)", QKeySequence(Qt::CTRL | Qt::Key_C),
        [this] { copySelection(); });
    add(popup_, "pmPaste", "貼り付け(&P)", QKeySequence(Qt::CTRL | Qt::Key_V),
        [this] { memo_->paste(); });
    add(popup_, "mnSelectAll", "すべてを選択(&A)", QKeySequence(Qt::CTRL | Qt::Key_A),
        [this] { memo_->selectAll(); });
}

QAction* TfmDay::action(const char* name) const {
    const QString wanted = QString::fromUtf8(name);
    for (QAction* a : popup_->findChildren<QAction*>()) {
        if (a->objectName() == wanted)
            return a;
    }
    for (QMenu* menu : {popup_, colourMenu_, insertMenu_}) {
        for (QAction* a : menu->actions()) {
            if (a->objectName() == wanted)
                return a;
        }
    }
    return nullptr;
}

void TfmDay::setColourChooser(ColourChooser chooser) {
    chooser_ = std::move(chooser);
}

std::optional<QColor> TfmDay::lineColour(int row) const {
    const DayLineRecord* record = attrs_.at(row);
    if (!record || isSystemColour(record->attr.color))
        return std::nullopt;
    return qColourOf(record->attr.color);
}

// ----- opening -----

void TfmDay::prepareDayPage() {
    mode_ = DayMode;
    sizeBefore_.reset();
}

void TfmDay::openDay(const DayHeader& header, const DayEditorLines& lines,
                     const DayPageSettings& settings) {
    prepareDayPage();
    monthMemo_ = false;
    dayHeader_ = header;
    standardColour_ = settings.standardColour;
    QStringList texts;
    for (const std::string& text : lines.texts)
        texts << fromUtf8(textForEditing(text));
    if (texts.isEmpty())
        texts << QString();
    memo_->setLines(texts);
    attrs_.assign(lines.records);
    attrs_.fitTo(memo_->lineCount());
    memo_->setTabWidth(settings.tabWidth);

    const int weekday =
        weekdayOf(ymdToJuliusDay(header.date.year, header.date.month, header.date.day));
    youbi_->setText(weekdayText(weekday));
    colourWeekday(youbi_, weekday);
    memo_->refreshLineColours();
}

void TfmDay::openMonthMemo(int year, int month, const DayEditorLines& lines,
                           const DayPageSettings& settings) {
    openDay(DayHeader{{year, month, 1}, {}, 0, 0}, lines, settings);
    monthMemo_ = true;
    memoYear_ = year;
    memoMonth_ = month;
    // Memo lines carry no colour of their own.
    attrs_.assign(std::vector<DayLineRecord>(static_cast<std::size_t>(memo_->lineCount())));
    memo_->refreshLineColours();
}

void TfmDay::openPeriod(const PeriodForm& form) {
    mode_ = PeriodMode;
    periodPage_->setForm(form);
}

void TfmDay::openMemorialDay(const MemorialDayFields& fields) {
    mode_ = MemorialMode;
    memorialBefore_ = fields;
    kinenbi_->setText(fromUtf8(fields.name));
    kinenbi_->setModified(false);
    fromYear_->setText(fromUtf8(fields.fromYear));
    toYear_->setText(fromUtf8(fields.toYear));
    kinenbiYoubi_->setText(weekdayText(fields.weekday));
    colourWeekday(kinenbiYoubi_, fields.weekday);
    kinenbiDate_->setText(fromUtf8(fields.dateLabel));
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
            kinenbi_->setFocus();
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
    if (layout())
        layout()->activate();
    memo_->setFocus();
    memo_->setTopRow(0);
    memo_->horizontalScrollBar()->setValue(0);
    if (memo_->lineCount() == 1 && memo_->line(0).trimmed().isEmpty()) {
        memo_->setCaret(0, 0);
    } else if (memo_->lineCount() > memo_->visibleRows()) {
        memo_->setCaret(memo_->visibleRows() - 1, 0);
    } else {
        const int last = memo_->lineCount() - 1;
        memo_->setCaret(last, static_cast<int>(memo_->line(last).size()));
    }

    label1_->setVisible(!monthMemo_);
    youbi_->setVisible(!monthMemo_);
    saijitu_->setVisible(!monthMemo_);
    headerCaption_->setVisible(monthMemo_);
    if (monthMemo_) {
        headerCaption_->setText(QStringLiteral("%1年%2月メモ")
                                    .arg(fullWidthDigits(memoYear_), fullWidthDigits(memoMonth_)));
    } else {
        headerCaption_->clear();
        char date[48];
        std::snprintf(date, sizeof date, "%4d.%2d.%2d", dayHeader_.date.year, dayHeader_.date.month,
                      dayHeader_.date.day);
        label1_->setText(QString::fromLatin1(date));
        drawHolidayStrip();
    }
}

void TfmDay::drawHolidayStrip() {
    const int width = std::max(saijitu_->width(), 1);
    const int height = std::max(saijitu_->height(), 16);
    QPixmap strip(width, height);
    strip.fill(palette().color(QPalette::Button));
    const std::vector<std::string> names = splitCommaText(dayHeader_.names.names);
    const std::string& kinds = dayHeader_.names.kinds;
    if (!names.empty()) {
        QPainter painter(&strip);
        const QFont font = mappedFont(QStringLiteral("ＭＳ Ｐゴシック"), 12);
        painter.setFont(font);
        const QFontMetrics metrics(font);
        const QString joined = fromUtf8(dayHeader_.names.names);
        int x = (width - metrics.horizontalAdvance(joined)) / 2 -
                metrics.horizontalAdvance(QLatin1Char(' '));
        const int baseline = (height + metrics.ascent() - metrics.descent()) / 2;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const bool special = i < kinds.size() && kinds[i] == 'S';
            QString text = fromUtf8(names[i]);
            if (special && i + 1 < names.size()) {
                const bool nextSpecial = i + 1 < kinds.size() && kinds[i + 1] == 'S';
                text += nextSpecial ? QStringLiteral("，") : QStringLiteral(" ");
            }
            painter.setPen(
                qColourOf(special ? dayHeader_.memorialNameColour : dayHeader_.holidayNameColour));
            painter.drawText(x, baseline, text);
            x += metrics.horizontalAdvance(text);
        }
    }
    saijitu_->setPixmap(strip);
}

void TfmDay::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    emit editingHidden();
}

void TfmDay::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && mode_ == DayMode &&
        !monthMemo_) {
        drawHolidayStrip();
    }
}

void TfmDay::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    updateStandardSizeButton();
    if (mode_ == DayMode && !monthMemo_ && isVisible())
        drawHolidayStrip();
}

void TfmDay::updateStandardSizeButton() {
    standardSize_->setVisible(width() > kStandardSizeButtonWidth);
}

// ----- results -----

DayEditorLines TfmDay::dayLines() const {
    DayEditorLines result;
    for (const QString& text : memo_->lines())
        result.texts.push_back(text.toStdString());
    result.records = attrs_.records();
    result.records.resize(result.texts.size());
    return result;
}

PeriodForm TfmDay::periodForm() const {
    return periodPage_->form();
}

MemorialDayFields TfmDay::memorialDayFields() const {
    return {kinenbi_->text().toStdString(), fromYear_->text().toStdString(),
            toYear_->text().toStdString(), memorialBefore_.weekday, memorialBefore_.dateLabel};
}

bool TfmDay::hasUnsavedInput() const {
    if (mode_ == PeriodMode)
        return periodPage_->summaryModified();
    if (mode_ == MemorialMode)
        return kinenbi_->isModified();
    return memo_->isModified();
}

// ----- commands -----

void TfmDay::updateMenuState() {
    const bool selected = memo_->textCursor().hasSelection();
    colourMenu_->menuAction()->setEnabled(!monthMemo_);
    action("pmUndo")->setEnabled(memo_->canUndo());
    action("pmRedo")->setEnabled(memo_->canRedo());
    action("pmPaste")->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
    action("pmCut")->setEnabled(selected);
    action("pmCopy")->setEnabled(selected);
    // The insert group is hidden, and a hidden action reads as disabled: its item
    // carries the state.
    action("pmNow")->setEnabled(!selected);
}

void TfmDay::updateColourMarks() {
    const std::optional<ColourMarks> marks =
        attrs_.colourMarks(memo_->selectionRect(), memo_->caretRow());
    if (!marks)
        return;
    const char* const names[] = {"pmColor1", "pmColor2", "pmColor3",
                                 "pmColor4", "pmColor5", "pmColorStd"};
    for (std::size_t i = 0; i < marks->size(); ++i)
        action(names[i])->setChecked((*marks)[i]);
}

void TfmDay::colourLines(ColourCommand command) {
    if (monthMemo_)
        return;
    Colour colour = standardColour_;
    ColourSource source = ColourSource::Standard;
    switch (command) {
        case ColourCommand::Choose: {
            const DayLineRecord* record = attrs_.at(memo_->caretRow());
            const Colour initial = record && !isSystemColour(record->attr.color)
                                       ? record->attr.color
                                       : standardColour_;
            const std::optional<Colour> chosen = chooser_ ? chooser_(initial, this) : std::nullopt;
            if (!chosen)
                return;
            colour = *chosen;
            source = ColourSource::Dialog;
            break;
        }
        case ColourCommand::Standard:
            break;
        default:
            colour = kFixedLineColours[static_cast<std::size_t>(command)];
            source = ColourSource::Fixed;
            break;
    }
    const std::optional<LineSelection> selection = memo_->selectionRect();
    memo_->beginOwnerStep();
    attrs_.colourRows(selection, memo_->caretRow(), colour, source, standardColour_);
    if (selection)
        memo_->clearSelection();
    memo_->refreshLineColours();
    memo_->setModified(true);
}

void TfmDay::insertNow() {
    if (memo_->textCursor().hasSelection())
        return;  // the insert group is off while text is selected
    const LocalDateTime now = clock_.now();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", now.hour, now.minute);
    memo_->insertPlainText(QString::fromLatin1(text));
}

void TfmDay::copySelection() {
    memo_->copy();
    memo_->clearSelection();
}

bool TfmDay::eventFilter(QObject* watched, QEvent* event) {
    if (watched != memo_ ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)) {
        return QDialog::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    std::function<void()> command;
    if (key->key() == Qt::Key_F9 && mods == Qt::NoModifier) {
        command = [this] {
            updateMenuState();
            if (!colourMenu_->menuAction()->isEnabled())
                return;
            const QRect caret = memo_->cursorRect();
            colourMenu_->popup(memo_->viewport()->mapToGlobal(caret.bottomLeft()));
        };
    } else if (mods == Qt::ControlModifier) {
        switch (key->key()) {
            case Qt::Key_R:
                command = [this] { colourLines(ColourCommand::Red); };
                break;
            case Qt::Key_B:
                command = [this] { colourLines(ColourCommand::Blue); };
                break;
            case Qt::Key_F:
                command = [this] { colourLines(ColourCommand::Pink); };
                break;
            case Qt::Key_G:
                command = [this] { colourLines(ColourCommand::Teal); };
                break;
            case Qt::Key_H:
                command = [this] { colourLines(ColourCommand::Brown); };
                break;
            case Qt::Key_L:
                command = [this] { colourLines(ColourCommand::Choose); };
                break;
            case Qt::Key_O:
                command = [this] { colourLines(ColourCommand::Standard); };
                break;
            case Qt::Key_N:
                command = [this] { insertNow(); };
                break;
            case Qt::Key_I:
                command = [] {};  // the hidden "挿入" group: nothing of its own
                break;
            case Qt::Key_C:
                command = [this] { copySelection(); };
                break;
            default:
                break;
        }
    }
    if (!command)
        return QDialog::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress)
        command();
    return true;
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
    if (mode_ == MemorialMode) {
        const bool yearsChanged = fromYear_->text().toStdString() != memorialBefore_.fromYear ||
                                  toYear_->text().toStdString() != memorialBefore_.toYear;
        return (kinenbi_->isModified() || yearsChanged) && !cancelled_;
    }
    if (cancelled_)
        return false;
    return mode_ == PeriodMode || memo_->isModified();
}

bool TfmDay::checkBeforeStoring(bool writeButton) {
    switch (mode_) {
        case PeriodMode:
            return writeButton ? periodPage_->prepareWrite() : periodPage_->checkFields();
        case MemorialMode:
            if (const auto message = unencodableTextMessage(kinenbi_->text().toStdString())) {
                informMain(ui_, *message);
                kinenbi_->setFocus();
                return false;
            }
            return true;
        default: {
            std::vector<std::string> texts;
            for (const QString& text : memo_->lines())
                texts.push_back(text.toStdString());
            if (const auto message = unencodableLinesMessage(texts)) {
                informMain(ui_, *message);
                memo_->setFocus();
                return false;
            }
            return true;
        }
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
    ProfileFile file = ProfileFile::load(place_.settingsFile, kSettingsRetry, *place_.sleeper);
    if (file.isUnreadable())
        return;
    // The period and memorial-day pages borrow a fixed size; the day page's is kept.
    const QSize kept = sizeBefore_.value_or(size());
    const QPoint at = pos();
    if (platform::positionsHonoured() && at != QPoint(0, 0)) {
        file.writeInt(kPlaceSection, "fmTop", at.y());
        file.writeInt(kPlaceSection, "fmLeft", at.x());
    }
    file.writeInt(kPlaceSection, "fmWidth", kept.width());
    file.writeInt(kPlaceSection, "fmHeight", kept.height());
    file.save(kSettingsRetry, *place_.sleeper);
}

}  // namespace velmo
