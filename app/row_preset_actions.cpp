#include "app/row_preset_actions.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>

#include "app/month_page.h"
#include "app/month_tab_bar.h"
#include "app/page_bounds.h"
#include "app/startup/run_settings.h"
#include "monthview/grid_geometry.h"
#include "monthview/qt_month_view.h"
#include "platform/window_positions.h"

namespace velmo {

namespace {

constexpr const char* kSizeText = "横：%1 × 縦：%2";

// Layouts answer a changed size hint with posted requests, one level of widgets at a
// time; the window's geometry is only consistent once all of them ran.
void settleLayouts(QWidget& window) {
    for (int level = 0; level < 8; ++level)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (QLayout* layout = window.layout())
        layout->activate();
}

// Whether Ctrl and Shift are both down with this press. Some platforms leave a modifier
// key's own flag out of its press, so the key counts as well.
bool holdsCtrlShift(const QKeyEvent& press) {
    Qt::KeyboardModifiers modifiers = press.modifiers();
    if (press.key() == Qt::Key_Control)
        modifiers |= Qt::ControlModifier;
    if (press.key() == Qt::Key_Shift)
        modifiers |= Qt::ShiftModifier;
    return modifiers.testFlag(Qt::ControlModifier) && modifiers.testFlag(Qt::ShiftModifier);
}

}  // namespace

RowPresetActions::RowPresetActions(RowPresetActionsContext context, QMenu& viewMenu,
                                   QObject* parent)
    : QObject(parent),
      context_(std::move(context)),
      menu_(viewMenu.addMenu("表示行数")),
      sizeDisplay_(new QAction("横×縦", &context_.window)),
      buttonColumn_(viewMenu.addAction(QString())),
      sizeLabel_(new QLabel(context_.window.statusBar())) {
    menu_->setObjectName("mnGyou");
    for (const RowPreset& preset : rowPresets()) {
        QAction* action = menu_->addAction(QString::fromUtf8(preset.caption));
        action->setObjectName(preset.menuName);
        action->setCheckable(true);
        const int id = preset.id;
        connect(action, &QAction::triggered, this, [this, id] { apply(id, true); });
    }
    connect(menu_, &QMenu::aboutToShow, this, &RowPresetActions::refreshMenu);

    // Not in the menu; the shortcut works through the window.
    sizeDisplay_->setObjectName("mnTateYoko");
    sizeDisplay_->setShortcut(QKeySequence("Ctrl+Alt+H"));
    context_.window.addAction(sizeDisplay_);
    connect(sizeDisplay_, &QAction::triggered, this, &RowPresetActions::toggleSizeDisplay);
    buttonColumn_->setObjectName("miMonthBtn");
    buttonColumn_->setShortcut(QKeySequence("Ctrl+H"));
    connect(buttonColumn_, &QAction::triggered, this, &RowPresetActions::toggleButtonColumn);
    refreshButtonColumnItem();
    sizeLabel_->setObjectName("lblTateYoko");
    context_.window.statusBar()->addWidget(sizeLabel_);
    sizeLabel_->hide();

    compact_ = compactWorkArea(workArea().height());
    // Printing is off on such a screen for this run only: the stored option stays for the
    // next start on a larger one.
    if (compact_)
        context_.pages.setTabVisible(kYearPageIndex, false);
    qApp->installEventFilter(this);
}

RowPresetActions::~RowPresetActions() {
    qApp->removeEventFilter(this);
}

QAction* RowPresetActions::presetAction(int id) const {
    return menu_->findChild<QAction*>(presetFor(id).menuName);
}

QRect RowPresetActions::workArea() const {
    const QScreen* screen = context_.window.screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void RowPresetActions::refreshMenu() {
    const QRect area = workArea();
    // The bottom edge as the desktop reports it: one past the last row of pixels.
    const int bottom = area.y() + area.height();
    const int current = context_.settings.settings().display.vCalGyou;
    for (const RowPreset& preset : rowPresets()) {
        QAction* action = menu_->findChild<QAction*>(preset.menuName);
        action->setEnabled(presetFits(preset, bottom));
        action->setChecked(preset.id == current);
    }
}

void RowPresetActions::measureDifferences() {
    // The month page's own layout says what it needs around the view; the rest of the
    // window (page tabs, menu, status bar, frame) is whatever surrounds the page.
    QWidget& window = context_.window;
    // Sizes are known only once the window is shown; until then nothing is kept.
    if (!window.isVisible()) {
        differences_.reset();
        return;
    }
    MonthPage& page = context_.monthPage;
    const QWidget* view = page.view();
    const QWidget* buttons = page.findChild<QWidget*>("pnlMonthBtn");
    settleLayouts(window);
    const int buttonsWidth = buttons ? buttons->width() : 0;
    const QSize pageHint = page.sizeHint();
    const int buttonsInHint = buttons && buttons->isVisible() ? 0 : buttonsWidth;
    WindowDifferences d;
    d.panelWidth = pageHint.width() + buttonsInHint - view->width();
    d.panelWidthWithoutButtons = d.panelWidth - buttonsWidth;
    d.panelHeight = pageHint.height() - view->height();
    d.clientWidth = window.width() - page.width() + d.panelWidth;
    d.clientWidthWithoutButtons = d.clientWidth - buttonsWidth;
    d.clientHeight = window.height() - page.height() + d.panelHeight;
    d.frameWidth = d.clientWidth + window.frameGeometry().width() - window.width();
    d.frameHeight = d.clientHeight + window.frameGeometry().height() - window.height();
    differences_ = compact_ ? compactDifferences(d) : d;
}

const WindowDifferences& RowPresetActions::differences() const {
    static const WindowDifferences none;
    return differences_ ? *differences_ : none;
}

void RowPresetActions::apply(int id, bool fromMenu) {
    if (!differences_)
        measureDifferences();
    const RowPreset& preset = presetFor(id);
    DisplayKeys& display = context_.settings.settings().display;
    TKvMCalModel& model = context_.monthPage.view()->model();
    display.vSizeNo = preset.sizeCode;
    const WidthInputs inputs{display.cbMonthBtn, display.udYokoC, workArea().width(),
                             differences().frameWidth};
    KvMCalProperties properties =
        presetProperties(model.properties(), preset, presetDayWidth(preset, inputs));
    // One layout after everything is in place, not one for every metric.
    properties.SkipUpDate = true;
    model.setProperties(properties);
    resizeView();
    display.vCalGyou = preset.id;
    fitWindow();
    keepDayEditorOnScreen();
    if (fromMenu || context_.settings.settings().window.HyoujiIchi == 0)
        centreOnWorkArea();
}

void RowPresetActions::applyStored() {
    apply(context_.settings.settings().display.vCalGyou);
}

void RowPresetActions::stepWidth(int step) {
    if (!differences_)
        measureDifferences();
    DisplayKeys& display = context_.settings.settings().display;
    TKvMCalModel& model = context_.monthPage.view()->model();
    const WidthStep stepped = stepDayWidth(model.properties().LenDayW, display.udYokoC, step);
    model.set(&KvMCalProperties::SkipUpDate, true);
    model.set(&KvMCalProperties::LenDayW, stepped.dayWidth);
    resizeView();
    fitWindow();
    display.udYokoC = stepped.udYokoC;
}

void RowPresetActions::resizeView() {
    TKvMCal* view = context_.monthPage.view();
    TKvMCalModel& model = view->model();
    const Size size = preferredControlSize(model.properties());
    view->setFixedSize(size.width, size.height);
    model.set(&KvMCalProperties::SkipUpDate, false);
    model.updateMetrics();
    if (auto* tabs = qobject_cast<MonthTabBar*>(context_.monthPage.tabs()))
        tabs->setFixedTabWidth(model.properties().LenDayW);
}

void RowPresetActions::applyMonthButtons() {
    fitWindow();
}

void RowPresetActions::fitWindow() {
    const DisplayKeys& display = context_.settings.settings().display;
    const QWidget* view = context_.monthPage.view();
    showButtonColumn(!display.cbMonthBtn || holdingCtrlShift_);
    const WindowFit fit = velmo::fitWindow(differences(), {view->width(), view->height()},
                                           display.cbMonthBtn && !holdingCtrlShift_);
    // The window may shrink only once the layouts know the new view size.
    settleLayouts(context_.window);
    if (differences_) {
        context_.window.resize(fit.client.width, fit.client.height);
        settleLayouts(context_.window);
    }
    context_.settings.settings().display.vClientHeight = context_.window.height();
}

void RowPresetActions::keepDayEditorOnScreen() {
    QWidget* editor = context_.dayEditor ? context_.dayEditor() : nullptr;
    if (!editor || workArea().contains(editor->frameGeometry()))
        return;
    QRect frame = editor->frameGeometry();
    frame.moveCenter(context_.window.frameGeometry().center());
    editor->move(frame.topLeft());
}

void RowPresetActions::centreOnWorkArea() {
    if (!platform::positionsHonoured())
        return;
    QRect frame = context_.window.frameGeometry();
    frame.moveCenter(workArea().center());
    context_.window.move(frame.topLeft());
}

void RowPresetActions::showButtonColumn(bool shown) {
    if (QWidget* buttons = context_.monthPage.findChild<QWidget*>("pnlMonthBtn"))
        buttons->setVisible(shown);
}

void RowPresetActions::toggleSizeDisplay() {
    if (sizeLabel_->isVisible()) {
        sizeLabel_->hide();
        sizeLabel_->clear();
        return;
    }
    const QRect frame = context_.window.frameGeometry();
    sizeLabel_->setText(QString(kSizeText).arg(frame.width()).arg(frame.height()));
    sizeLabel_->show();
}

void RowPresetActions::toggleButtonColumn() {
    bool& hides = context_.settings.settings().display.cbMonthBtn;
    hides = !hides;
    refreshButtonColumnItem();
    applyStored();
}

void RowPresetActions::refreshButtonColumnItem() {
    buttonColumn_->setText(context_.settings.settings().display.cbMonthBtn ? "右ボタン表示"
                                                                           : "右ボタン非表示");
}

bool RowPresetActions::keepsWindowOnPageChange() const {
    const int id = context_.settings.settings().display.vCalGyou;
    return compact_ && (id == 5 || id == 6);
}

bool RowPresetActions::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    if ((press || event->type() == QEvent::KeyRelease) && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &context_.window &&
        context_.settings.settings().display.cbMonthBtn) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Releasing any key ends the hold.
        const bool held = press && holdsCtrlShift(*key);
        if (held != holdingCtrlShift_) {
            holdingCtrlShift_ = held;
            fitWindow();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velmo
