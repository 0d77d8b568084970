#pragma once
// Real message boxes and the wait window for the desktop program.

#include <QPointer>
#include <QWidget>

#include "core/user_interface.h"

class QLabel;
class QProgressDialog;
class QTimer;

namespace velmo::platform {

// A borderless "処理中" window in the top right corner whose label blinks every 800 ms.
class WaitWindow : public QWidget {
    Q_OBJECT

public:
    explicit WaitWindow(QWidget* parent = nullptr);

private:
    QLabel* label_;
    QTimer* blink_;
};

class QtUserInterface final : public UserInterface {
public:
    // Boxes are owned by the given window (the main window, once it exists).
    void setOwner(QWidget* owner) { owner_ = owner; }

    bool question(const std::string& text, const std::string& caption,
                  DefaultButton defaultButton) override;
    void information(const std::string& text, const std::string& caption) override;
    void error(const std::string& text, const std::string& caption) override;
    void message(const std::string& text) override;
    void showWaitWindow() override;
    void hideWaitWindow() override;
    void showProgress(const std::string& caption, unsigned long long done,
                      unsigned long long total) override;
    void hideProgress() override;

private:
    QPointer<QWidget> owner_;
    QPointer<WaitWindow> waitWindow_;
    QPointer<QProgressDialog> progress_;
    int waitDepth_ = 0;
};

// Message texts carry Windows line ends; Qt wants plain "\n".
QString boxText(const std::string& text);

}  // namespace velmo::platform
