#include "platform/qt_user_interface.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace velmo::platform {

QString boxText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace("\r\n", "\n");
    return result;
}

namespace {

QMessageBox::StandardButton showBox(QWidget* owner, QMessageBox::Icon icon,
                                    const std::string& caption, const std::string& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, QString::fromStdString(caption), boxText(text), buttons, owner);
    box.setDefaultButton(defaultButton);
    if (QAbstractButton* yes = box.button(QMessageBox::Yes))
        yes->setText("はい(&Y)");
    if (QAbstractButton* no = box.button(QMessageBox::No))
        no->setText("いいえ(&N)");
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

bool QtUserInterface::question(const std::string& text, const std::string& caption,
                               DefaultButton defaultButton) {
    const auto preset = defaultButton == DefaultButton::Yes ? QMessageBox::Yes : QMessageBox::No;
    return showBox(owner_, QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                   preset) == QMessageBox::Yes;
}

void QtUserInterface::information(const std::string& text, const std::string& caption) {
    showBox(owner_, QMessageBox::Information, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtUserInterface::error(const std::string& text, const std::string& caption) {
    showBox(owner_, QMessageBox::Critical, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtUserInterface::message(const std::string& text) {
    showBox(owner_, QMessageBox::NoIcon, QApplication::applicationDisplayName().toStdString(), text,
            QMessageBox::Ok, QMessageBox::Ok);
}

void QtUserInterface::showWaitWindow() {
    if (waitDepth_++ > 0)
        return;
    if (!waitWindow_)
        waitWindow_ = new WaitWindow(owner_);
    waitWindow_->show();
    waitWindow_->raise();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUserInterface::hideWaitWindow() {
    if (waitDepth_ == 0 || --waitDepth_ > 0)
        return;
    if (waitWindow_)
        waitWindow_->hide();
}

void QtUserInterface::showProgress(const std::string& caption, unsigned long long done,
                                   unsigned long long total) {
    if (!progress_) {
        progress_ = new QProgressDialog(owner_);
        progress_->setWindowTitle(QStringLiteral("ベルモ -Velmo-"));
        // A copy that has begun is finished or undone by the copier, never cut off here.
        progress_->setCancelButton(nullptr);
        progress_->setMinimumDuration(500);
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setAttribute(Qt::WA_DeleteOnClose);
    }
    progress_->setLabelText(QString::fromStdString(caption));
    // The bar counts per mille, so sizes beyond an int fit.
    progress_->setRange(0, 1000);
    progress_->setValue(total == 0 ? 0 : static_cast<int>(done * 1000 / total));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void QtUserInterface::hideProgress() {
    if (progress_)
        progress_->close();
}

WaitWindow::WaitWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      label_(new QLabel("少々お待ちください", this)),
      blink_(new QTimer(this)) {
    setWindowTitle("処理中");
    setFixedSize(304, 110);
    label_->setAlignment(Qt::AlignCenter);
    QFont font = label_->font();
    font.setPixelSize(18);
    label_->setFont(font);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    setStyleSheet("WaitWindow { border: 1px solid palette(mid); background: palette(window); }");
    if (const QScreen* screen = QApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() + 1, area.top());
    }
    blink_->setInterval(800);
    connect(blink_, &QTimer::timeout, this, [this] { label_->setEnabled(!label_->isEnabled()); });
    blink_->start();
}

}  // namespace velmo::platform
