#include "dialogs/day_page.h"

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "calendar/comma_text.h"
#include "dialogs/weekday_label.h"
#include "platform/dialog_fonts.h"
#include "store/entry_line.h"

namespace velmo {
namespace {

using Menu = DayCommand::Menu;
using Kind = DayCommand::Kind;
using ColourCommand = DayPage::ColourCommand;

template <ColourCommand command>
void colourWith(DayPage& page) {
    page.colourLines(command);
}

const DayCommand kCommands[] = {
    {"pmInsert", "挿入(&I)", Qt::CTRL | Qt::Key_I, nullptr, Menu::Insert, Kind::Submenu, true,
     false},
    {"pmNow", "現在時刻", Qt::CTRL | Qt::Key_N, [](DayPage& p) { p.insertNow(); }, Menu::Insert,
     Kind::Item, false, false},
    {"pmFontColor", "文字色(&M)", QKeyCombination(Qt::Key_F9),
     [](DayPage& p) { p.popupColourMenu(); }, Menu::Colour, Kind::Submenu, false, false},
    {"pmColor1", "赤色", Qt::CTRL | Qt::Key_R, colourWith<ColourCommand::Red>, Menu::Colour,
     Kind::Checkable, false, false},
    {"pmColor2", "青色", Qt::CTRL | Qt::Key_B, colourWith<ColourCommand::Blue>, Menu::Colour,
     Kind::Checkable, false, false},
    {"pmColor3", "ピンク", Qt::CTRL | Qt::Key_F, colourWith<ColourCommand::Pink>, Menu::Colour,
     Kind::Checkable, false, false},
    {"pmColor4", "青緑", Qt::CTRL | Qt::Key_G, colourWith<ColourCommand::Teal>, Menu::Colour,
     Kind::Checkable, false, false},
    {"pmColor5", "茶色", Qt::CTRL | Qt::Key_H, colourWith<ColourCommand::Brown>, Menu::Colour,
     Kind::Checkable, false, false},
    {"pmColorSet", "色指定", Qt::CTRL | Qt::Key_L, colourWith<ColourCommand::Choose>, Menu::Colour,
     Kind::Item, false, false},
    {"pmColorStd", "標準色", Qt::CTRL | Qt::Key_O, colourWith<ColourCommand::Standard>,
     Menu::Colour, Kind::Checkable, false, false},
    {"pmUndo", "元に戻す(&U)", Qt::CTRL | Qt::Key_Z, [](DayPage& p) { p.memo()->undoStep(); },
     Menu::Popup, Kind::Item, true, true},
    {"pmRedo", "やり直し(&R)", Qt::CTRL | Qt::ALT | Qt::Key_Z,
     [](DayPage& p) { p.memo()->redoStep(); }, Menu::Popup, Kind::Item, true, true},
    {"pmCut", "切り取り(&T)", Qt::CTRL | Qt::Key_X, [](DayPage& p) { p.memo()->cut(); },
     Menu::Popup, Kind::Item, false, true},
    {"pmCopy", "コピー(&C)", Qt::CTRL | Qt::Key_C, [](DayPage& p) { p.copySelection(); },
     Menu::Popup, Kind::Item, false, false},
    {"pmPaste", "貼り付け(&P)", Qt::CTRL | Qt::Key_V, [](DayPage& p) { p.memo()->paste(); },
     Menu::Popup, Kind::Item, false, true},
    {"mnSelectAll", "すべてを選択(&A)", Qt::CTRL | Qt::Key_A,
     [](DayPage& p) { p.memo()->selectAll(); }, Menu::Popup, Kind::Item, false, true},
};

QString fullWidthDigits(int number) {
    QString text = QString::number(number);
    for (QChar& c : text) {
        if (c.isDigit())
            c = QChar(0xFF10 + (c.unicode() - '0'));
    }
    return text;
}

}  // namespace

std::span<const DayCommand> dayCommands() {
    return kCommands;
}

const DayCommand* dayCommandForKey(QKeyCombination key) {
    const QKeyCombination counted(
        key.keyboardModifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier),
        key.key());
    const auto found = std::ranges::find_if(kCommands, [&](const DayCommand& command) {
        return !command.editorKey && command.key == counted;
    });
    return found == std::end(kCommands) ? nullptr : &*found;
}

// Keeps the attribute list in step with the editor's lines and in its undo history.
class DayPage::Tracker final : public LineTracker {
public:
    explicit Tracker(DayPage& owner) : owner_(owner) {}

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
    DayPage& owner_;
};

DayPage::DayPage(UserInterface& ui, const Clock& clock, ColourChooser chooser, QWidget* parent)
    : QWidget(parent),
      ui_(ui),
      clock_(clock),
      chooser_(std::move(chooser)),
      tracker_(std::make_unique<Tracker>(*this)) {
    setObjectName(QStringLiteral("tsDay"));
    header_ = new QFrame(this);
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

    memo_ = new LineEditor(this);
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(header_);
    layout->addWidget(memo_, 1);
    buildMenu();
}

DayPage::~DayPage() {
    // The editor outlives this object's members: it must not call back into them.
    memo_->setLineTracker(nullptr);
    memo_->setLineColours({});
}

void DayPage::buildMenu() {
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupMenu1"));
    for (const DayCommand& command : kCommands) {
        QMenu* in = command.menu == Menu::Colour   ? colourMenu_
                    : command.menu == Menu::Insert ? insertMenu_
                                                   : popup_;
        QAction* a = nullptr;
        if (command.kind == Kind::Submenu) {
            QMenu* submenu = popup_->addMenu(QString::fromUtf8(command.caption));
            (command.menu == Menu::Colour ? colourMenu_ : insertMenu_) = submenu;
            a = submenu->menuAction();
            a->setShortcut(command.key);
        } else {
            a = in->addAction(QString::fromUtf8(command.caption));
            // The keys are handled by the key filter or the editor; the menu only shows
            // them.
            a->setShortcut(command.key);
            a->setShortcutContext(Qt::WidgetShortcut);
            a->setCheckable(command.kind == Kind::Checkable);
            connect(a, &QAction::triggered, this, [this, run = command.run] { run(*this); });
        }
        a->setObjectName(QString::fromUtf8(command.name));
        if (command.hidden)
            a->setVisible(false);
    }
    connect(colourMenu_, &QMenu::aboutToShow, this, &DayPage::updateColourMarks);
}

QAction* DayPage::action(const char* name) const {
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

std::optional<QColor> DayPage::lineColour(int row) const {
    const DayLineRecord* record = attrs_.at(row);
    if (!record || isSystemColour(record->attr.color))
        return std::nullopt;
    return qColourOf(record->attr.color);
}

// ----- opening and showing -----

void DayPage::openDay(const DayHeader& header, const DayEditorLines& lines,
                      const DayPageSettings& settings) {
    monthMemo_ = false;
    dayHeader_ = header;
    standardColour_ = settings.standardColour;
    QStringList texts;
    for (const std::string& text : lines.texts)
        texts << QString::fromStdString(textForEditing(text));
    if (texts.isEmpty())
        texts << QString();
    memo_->setLines(texts);
    attrs_.assign(lines.records);
    attrs_.fitTo(memo_->lineCount());
    memo_->setTabWidth(settings.tabWidth);

    showWeekday(youbi_,
                weekdayOf(ymdToJuliusDay(header.date.year, header.date.month, header.date.day)));
    memo_->refreshLineColours();
}

void DayPage::openMonthMemo(int year, int month, const DayEditorLines& lines,
                            const DayPageSettings& settings) {
    openDay(DayHeader{{year, month, 1}, {}, 0, 0}, lines, settings);
    monthMemo_ = true;
    memoYear_ = year;
    memoMonth_ = month;
    // Memo lines carry no colour of their own.
    attrs_.assign(std::vector<DayLineRecord>(static_cast<std::size_t>(memo_->lineCount())));
    memo_->refreshLineColours();
}

void DayPage::showLines() {
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

void DayPage::drawHolidayStrip() {
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
        const QString joined = QString::fromStdString(dayHeader_.names.names);
        int x = (width - metrics.horizontalAdvance(joined)) / 2 -
                metrics.horizontalAdvance(QLatin1Char(' '));
        const int baseline = (height + metrics.ascent() - metrics.descent()) / 2;
        for (std::size_t i = 0; i < names.size(); ++i) {
            const bool special = i < kinds.size() && kinds[i] == 'S';
            QString text = QString::fromStdString(names[i]);
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

// ----- results -----

DayEditorLines DayPage::lines() const {
    DayEditorLines result;
    for (const QString& text : memo_->lines())
        result.texts.push_back(text.toStdString());
    result.records = attrs_.records();
    result.records.resize(result.texts.size());
    return result;
}

bool DayPage::checkBeforeStoring() {
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

// ----- commands -----

void DayPage::updateMenuState() {
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

void DayPage::updateColourMarks() {
    const std::optional<ColourMarks> marks =
        attrs_.colourMarks(memo_->selectionRect(), memo_->caretRow());
    if (!marks)
        return;
    // The marks come in the order of the checkable colour items.
    std::size_t i = 0;
    for (const DayCommand& command : kCommands) {
        if (command.kind == Kind::Checkable && i < marks->size())
            action(command.name)->setChecked((*marks)[i++]);
    }
}

void DayPage::colourLines(ColourCommand command) {
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
            const std::optional<Colour> chosen =
                chooser_ ? chooser_(initial, window()) : std::nullopt;
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

void DayPage::insertNow() {
    if (memo_->textCursor().hasSelection())
        return;  // the insert group is off while text is selected
    const LocalDateTime now = clock_.now();
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", now.hour, now.minute);
    memo_->insertPlainText(QString::fromLatin1(text));
}

void DayPage::copySelection() {
    memo_->copy();
    memo_->clearSelection();
}

void DayPage::popupColourMenu() {
    updateMenuState();
    if (!colourMenu_->menuAction()->isEnabled())
        return;
    const QRect caret = memo_->cursorRect();
    colourMenu_->popup(memo_->viewport()->mapToGlobal(caret.bottomLeft()));
}

bool DayPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched != memo_ ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const DayCommand* command = dayCommandForKey(key->keyCombination());
    if (!command)
        return QWidget::eventFilter(watched, event);
    event->accept();
    if (event->type() == QEvent::KeyPress && command->run)
        command->run(*this);
    return true;
}

}  // namespace velmo
