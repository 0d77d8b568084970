#pragma once
// The pages of the options dialog that are not normally shown: " 管理 " is never shown
// and only carries its options through, and " ネット２ " appears after a key chord on
// " 基本 " with the switch that makes the start folder a network or removable folder.

#include "dialogs/options/option_page.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace velmo {

class KanriPage : public OptionPage {
    Q_OBJECT

public:
    explicit KanriPage(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;

private:
    QCheckBox* cbCursor_;
    QCheckBox* cbKOption_;
    QSpinBox* udCalSize_;
    QCheckBox* cbZenkai_;
    QCheckBox* cbNextDay_;
    QCheckBox* cbTukiYotei_;
};

class Net2Page : public OptionPage {
    Q_OBJECT

public:
    explicit Net2Page(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;

    // The key chord was pressed: the switch and its notes become usable.
    void revealByChord();
    void revealed() override { revealByChord(); }

private:
    void startMarkerClicked(bool checked);
    bool writeStartMarker();
    bool deleteStartMarker();

    QCheckBox* cbNetKidou_;
    QLabel* notes_[3];
    QCheckBox* cbLNetf_;
};

}  // namespace velmo
