#include "dialogs/options/carried_pages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/options/options_host.h"
#include "dialogs/options/page_controls.h"
#include "store/file_calls.h"
#include "store/file_helpers.h"
#include "store/line_file.h"
#include "store/marker_files.h"

namespace velmo {

namespace {

constexpr const char* kStartMarkerName = "Kidou.myc";
constexpr const char* kErrorCaption = "エラー";

std::optional<std::filesystem::path> findStartMarker(const OptionsHost& host) {
    return findCaseInsensitive(host.facts().startFolder, kStartMarkerName);
}

}  // namespace

KanriPage::KanriPage(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent),
      cbCursor_(namedCheckBox(this, "cbCursor", "カーソルを表示する")),
      cbKOption_(namedCheckBox(this, "cbKOption", "記念日オプションを使う")),
      udCalSize_(new QSpinBox(this)),
      cbZenkai_(namedCheckBox(this, "cbZenkai", "前回と同じ表示から始める")),
      cbNextDay_(namedCheckBox(this, "cbNextDay", "祭日表示を次の日にまで延長")),
      cbTukiYotei_(namedCheckBox(this, "cbTukiYotei", "月予定表示")) {
    setObjectName(QStringLiteral("tsKanri"));
    udCalSize_->setObjectName(QStringLiteral("udCalSize"));
    udCalSize_->setRange(0, 1);

    auto* size = new QGridLayout;
    size->addWidget(new QLabel(pageText("カレンダーの大きさ："), this), 0, 0);
    size->addWidget(udCalSize_, 0, 1);
    size->addWidget(new QLabel(pageText("（[0] ３行表示  [1] ５行表示）"), this), 0, 2);
    size->setColumnStretch(3, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cbCursor_);
    layout->addWidget(cbKOption_);
    layout->addLayout(size);
    layout->addWidget(cbZenkai_);
    layout->addWidget(cbNextDay_);
    layout->addWidget(cbTukiYotei_);
    layout->addStretch();
}

void KanriPage::load(const TorkaSettings& options) {
    cbCursor_->setChecked(options.behaviour.cbCursor);
    cbKOption_->setChecked(options.behaviour.cbKOption);
    udCalSize_->setValue(options.display.udCalSize);
    cbZenkai_->setChecked(options.behaviour.cbZenkai);
    cbNextDay_->setChecked(options.calendar.cbNextDay);
    cbTukiYotei_->setChecked(options.display.cbTukiYotei);
}

void KanriPage::store(TorkaSettings& options) const {
    options.behaviour.cbCursor = cbCursor_->isChecked();
    options.behaviour.cbKOption = cbKOption_->isChecked();
    options.display.udCalSize = udCalSize_->value();
    options.behaviour.cbZenkai = cbZenkai_->isChecked();
    options.calendar.cbNextDay = cbNextDay_->isChecked();
    options.display.cbTukiYotei = cbTukiYotei_->isChecked();
}

Net2Page::Net2Page(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent),
      cbNetKidou_(
          namedCheckBox(this, "cbNetKidou", "ネットワーク、又はリムーバブルフォルダで起動する")),
      notes_{
          noteLabel(this,
                    "↑ネットワークフォルダの場合、多人数で使用されるときは、"
                    "チェックしないでください。"),
          noteLabel(this, "バージョンアップが少々困難になります。"),
          noteLabel(this, "（使用している人が、すべて終了しないとバージョンアップできません。）")},
      cbLNetf_(namedCheckBox(this, "cbLNetf", "")) {
    setObjectName(QStringLiteral("tsNet2"));
    // Usable without the chord only in a program started from a network drive.
    cbNetKidou_->setEnabled(host().facts().startedFromNetwork);
    for (QLabel* note : notes_)
        note->setEnabled(false);
    // Carries its option only.
    cbLNetf_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(cbNetKidou_);
    for (QLabel* note : notes_)
        layout->addWidget(note);
    layout->addWidget(cbLNetf_);
    layout->addStretch();

    connect(cbNetKidou_, &QCheckBox::clicked, this, &Net2Page::startMarkerClicked);
}

void Net2Page::load(const TorkaSettings& options) {
    cbNetKidou_->setChecked(findStartMarker(host()).has_value());
    cbLNetf_->setChecked(options.network.cbLNetf);
}

void Net2Page::store(TorkaSettings& options) const {
    options.network.cbLNetf = cbLNetf_->isChecked();
}

void Net2Page::revealByChord() {
    cbNetKidou_->setEnabled(true);
    for (QLabel* note : notes_)
        note->setEnabled(true);
}

void Net2Page::startMarkerClicked(bool checked) {
    if (loading())
        return;
    const bool exists = findStartMarker(host()).has_value();
    if (checked == exists)
        return;
    // The settings move only once the marker really says so; a failed write or delete
    // puts the box back and leaves the settings where they are.
    if (checked ? writeStartMarker() : deleteStartMarker())
        host().settingsInUserFolder(checked);
    else
        cbNetKidou_->setChecked(!checked);
}

bool Net2Page::writeStartMarker() {
    const std::string path = withTrailingSeparator(host().facts().startFolder) + kStartMarkerName;
    if (writeLinesRetrying(path, {"ネットフォルダ(" + path + ")"}, kMarkerRetry,
                           host().sleeper()) == WriteOutcome::Written)
        return true;
    host().ui().error("[ " + path + " ]の書込に失敗しました。", kErrorCaption);
    return false;
}

bool Net2Page::deleteStartMarker() {
    const std::optional<std::filesystem::path> marker = findStartMarker(host());
    if (!marker || fileCalls().unlink(marker->c_str()) == 0)
        return true;
    host().ui().error("[ " + marker->string() + " ]は削除できませんでした。", kErrorCaption);
    return false;
}

}  // namespace velmo
