#pragma once
// The find window "検索": the text to find (an editable list of the texts searched
// before, newest first), the options and the direction. OK keeps the text at the top of
// the history and the options in the user's find settings.

#include <QDialog>
#include <QStringList>
#include <optional>
#include <utility>

#include "dialogs/find_settings.h"
#include "dialogs/text_find.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QRadioButton;

namespace velmo {

class FindDialog : public QDialog {
    Q_OBJECT

public:
    using Request = std::pair<QString, FindOptions>;

    // The history and options come from the settings; the word at the caret (when not
    // blank) goes to the top of the history and is preselected.
    FindDialog(const FindSettings& settings, const QString& wordAtCaret, QWidget* owner = nullptr);

    // Shows the window modally; the text and options after OK, nothing after cancel.
    static std::optional<Request> ask(QWidget* owner, const QString& wordAtCaret,
                                      const FindSettings& settings = FindSettings());

    // The text and options as the window shows them.
    Request request() const;
    // The list as the window shows it, newest first.
    QStringList history() const;

    QComboBox* textBox() const { return text_; }
    QPushButton* okButton() const { return ok_; }

    void accept() override;

private:
    void setHistory(const QStringList& items);

    FindSettings settings_;
    QComboBox* text_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    QCheckBox* ignoreWidth_ = nullptr;
    QCheckBox* ignoreBreaks_ = nullptr;
    QRadioButton* backward_ = nullptr;
    QRadioButton* forward_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace velmo
