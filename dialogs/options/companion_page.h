#pragma once
// The options page 連携 (tsRenkei): the text editor companion ルボン and the print
// companion ベルプリン, each with its switch, its options and the file it is started from.

#include <string>

#include "dialogs/options/option_page.h"

class QCheckBox;
class QLineEdit;

namespace velmo {

class CompanionPage : public OptionPage {
    Q_OBJECT

public:
    explicit CompanionPage(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;

    // What the file button of one companion looks for and whom it tells.
    struct FileChoice {
        const char* title;
        const char* nameMark;  // the upper-cased path must contain it
        const char* wrongFileMessage;
        std::string (OptionsHost::*known)() const;
        void (OptionsHost::*setKnown)(const std::string&);
    };

private:
    QWidget* buildEditorGroup();
    QWidget* buildPrintGroup();
    QWidget* fileRow(const char* caption, QLineEdit*& box, const char* boxName,
                     const char* buttonName, const FileChoice& choice, QCheckBox* switchBox,
                     QWidget* parent);

    void editorClicked(bool checked);
    void printClicked(bool checked);
    void chooseFile(QLineEdit* box, QCheckBox* switchBox, const FileChoice& choice);
    std::string initialFolder(const std::string& boxText, const FileChoice& choice) const;

    QCheckBox* cbEditor_;
    QCheckBox* cbVelmoJ_;
    QLineEdit* edtEditorFolder_;
    QCheckBox* cbVelmoM_;
    QCheckBox* cbPrint_;
    QCheckBox* cbVelmoP_;
    QLineEdit* edtPrintFolder_;
    // Carried only: the link to that companion is off and it has no option.
    QCheckBox* cbVelki_;
};

}  // namespace velmo
