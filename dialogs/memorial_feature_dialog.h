#pragma once
// The memorial-day feature page of the setup window, captioned "ベルモ -Velmo-": the
// feature's name and title, the engraved product label, and the import of memorial
// schedules (shown, shown first, in which colour). It edits a copy of the settings; the
// caller takes them back after OK.

#include <QDialog>

#include "store/memorial_settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace velmo {

class MemorialFeatureDialog : public QDialog {
    Q_OBJECT

public:
    explicit MemorialFeatureDialog(const MemorialSettings& settings, QWidget* parent = nullptr);

    // The values as the page shows them now.
    MemorialSettings settings() const;
    void setImportColour(Colour colour);

private:
    void chooseImportColour();
    void refreshTitle();

    MemorialSettings settings_;
    QLabel* title_;
    QLineEdit* name_;
    QLineEdit* titleText_;
    QCheckBox* engraved_;
    QCheckBox* importShown_;
    QCheckBox* importFirst_;
    QPushButton* importColour_;
};

}  // namespace velmo
