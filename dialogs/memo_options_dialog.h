#pragma once
// The memo form of the options dialog, opened from the memo and search windows: the
// jump positions, the reversed jump, the menu count and hiding the main window.

#include <QDialog>

#include "store/text_window_settings.h"

class QCheckBox;
class QSpinBox;

namespace velmo {

struct MemoOptionValues {
    int vCLine1 = 2;
    int vCLine2 = 3;
    bool vJHanten = false;
    int vMenuCount = 8;
    bool visMemoMHide = false;
};

// The page " メモ " (tsMemo).
class MemoOptionsPage : public QWidget {
    Q_OBJECT

public:
    explicit MemoOptionsPage(QWidget* parent = nullptr);
    void load(const MemoOptionValues& values);
    MemoOptionValues values() const;

private:
    QSpinBox* edtCLine1_;
    QSpinBox* edtCLine2_;
    QCheckBox* cbJHanten_;
    QSpinBox* edtMenuCount_;
    QCheckBox* cbMemoMHide_;
};

// Shows the dialog over its owner and takes the values back when it closes.
void runMemoOptions(QWidget* owner, MemoOptionValues& values);

// The same for a text window's settings and the main window's visMemoMHide.
void editTextWindowOptions(QWidget* owner, TextWindowSettings& settings, bool& visMemoMHide);

}  // namespace velmo
