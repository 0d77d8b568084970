#include "dialogs/folder_wait_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <utility>

#include "shared/folder_probe.h"

namespace velmo {

namespace {

// A spinning bar beside the folder line while the search runs; eight frames a tick.
constexpr std::array<const char*, 4> kSpinFrames = {"｜", "／", "―", "＼"};
constexpr int kSpinFramesPerTick = 8;
constexpr int kSpinPixelSize = 28;

ExistenceTest orReachable(ExistenceTest test) {
    if (test)
        return test;
    return [](const std::filesystem::path& folder) { return folderReachable(folder); };
}

QLabel* textLabel(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

}  // namespace

TfmInfo2::TfmInfo2(const std::string& folder, QWidget* owner, std::chrono::milliseconds tick,
                   ExistenceTest test)
    : QDialog(owner),
      model_(folder, orReachable(std::move(test))),
      tick_(tick),
      timer_(new QTimer(this)),
      animationTimer_(new QTimer(this)),
      progress_(new QProgressBar(this)),
      counter_(new QLabel(this)),
      animation_(new QLabel(this)),
      foundText_(textLabel("ネットフォルダが見つかりました。", this)),
      pleaseWait_(textLabel("少々お待ちください。", this)),
      local_(new QPushButton(QStringLiteral("ローカルフォルダで起動"), this)) {
    setWindowTitle(QString::fromUtf8(kFolderWaitCaption));
    // A dialog with an owner is placed centred over it when shown.
    setModal(true);

    progress_->setRange(0, kFolderWaitTicks);
    progress_->setTextVisible(false);
    counter_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    counter_->setMinimumWidth(counter_->fontMetrics().horizontalAdvance(QStringLiteral("000")));

    QFont spinFont = animation_->font();
    spinFont.setPixelSize(kSpinPixelSize);
    animation_->setFont(spinFont);
    animation_->setAlignment(Qt::AlignCenter);
    animation_->setText(QString::fromUtf8(kSpinFrames[0]));

    QPalette red = foundText_->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    foundText_->setPalette(red);
    foundText_->hide();
    pleaseWait_->hide();

    auto* count = new QHBoxLayout;
    count->addWidget(progress_, 1);
    count->addWidget(counter_);
    count->addWidget(textLabel("／ 100", this));

    auto* search = new QHBoxLayout;
    search->addWidget(animation_);
    search->addWidget(new QLabel(QStringLiteral("検索フォルダ[ ") + QString::fromStdString(folder) +
                                     QStringLiteral(" ]"),
                                 this),
                      1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(textLabel("ネット上のフォルダが使用できるまで待機中です。", this));
    layout->addWidget(textLabel(
        "前回終了時に使用していたフォルダが使用できるようになれば自動的に起動します。", this));
    layout->addLayout(search);
    layout->addLayout(count);
    layout->addWidget(foundText_);
    layout->addWidget(pleaseWait_);
    layout->addWidget(local_, 0, Qt::AlignHCenter);

    connect(local_, &QPushButton::clicked, this, &QDialog::reject);
    connect(timer_, &QTimer::timeout, this, &TfmInfo2::onTick);
    connect(animationTimer_, &QTimer::timeout, this, [this] {
        animationFrame_ = (animationFrame_ + 1) % static_cast<int>(kSpinFrames.size());
        animation_->setText(QString::fromUtf8(kSpinFrames[animationFrame_]));
    });

    showCount();
    timer_->start(tick_);
    animationTimer_->start(std::max(tick_ / kSpinFramesPerTick, std::chrono::milliseconds{1}));
}

void TfmInfo2::onTick() {
    switch (model_.tick()) {
        case FolderWait::Step::Waiting:
            showCount();
            break;
        case FolderWait::Step::Found:
            showFound();
            break;
        case FolderWait::Step::TimedOut:
            timer_->stop();
            reject();
            break;
    }
}

void TfmInfo2::showFound() {
    timer_->stop();
    animationTimer_->stop();
    local_->hide();
    animation_->hide();
    foundText_->show();
    pleaseWait_->show();
    showCount();
    repaint();
    // The found message stays for one more tick before the form gives way.
    QTimer::singleShot(tick_, this, &QDialog::accept);
}

void TfmInfo2::showCount() {
    progress_->setValue(model_.count());
    counter_->setText(QString::number(model_.count()));
}

bool waitForSharedFolder(QWidget* owner, const std::string& folder) {
    TfmInfo2 form(folder, owner);
    form.exec();
    return form.folderFound();
}

}  // namespace velmo
