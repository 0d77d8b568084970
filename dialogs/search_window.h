#pragma once
// The search window "【検索】": the listing of every schedule line of every month of the
// current data set ("kensaku.txt"), a search box with its history, find next and
// previous, and the listing kept up to date (rebuilt on request, when missing, and
// after asking when older than a month).

#include <QStringList>
#include <functional>

#include "dialogs/text_window.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace velmo {

struct SearchWindowContext {
    TextWindowContext text;
    const Clock& clock;
    // The data folder whose months are listed, asked for at each opening.
    std::function<std::filesystem::path()> dataFolder;
    // Writes what the main window holds unsaved, so the listing sees every edit.
    std::function<void()> saveOpenData;
    // The memo form of the options dialog on these settings.
    std::function<void(QWidget* owner, TextWindowSettings& settings)> options;
};

class TfmKensaku : public TextWindow {
    Q_OBJECT

public:
    explicit TfmKensaku(SearchWindowContext context, QWidget* parent = nullptr);

    QComboBox* searchBox() const { return cbKensaku_; }
    QStringList searchBoxItems() const;

    // "検索": from the top of the listing with the box's text.
    void searchFromBox();
    // "上候補" / "下候補": from the caret with the box's text.
    void searchBoxAgain(bool forward);
    // "再作成" and "検索ファイル再作成".
    void rebuild();
    void saveUnderAnotherName();

protected:
    void showEvent(QShowEvent* event) override;
    bool leaving() override;

private:
    void openSearchData();
    void restoreRows();
    void fillSearchBox();
    void writeSettings();
    std::filesystem::path listingFile() const;
    void showProgress(int done, int total);
    void hideWaitLabel();

    SearchWindowContext search_;
    TextWindowSettings settings_;
    std::filesystem::path currentFile_;
    std::vector<std::string> history_;
    QComboBox* cbKensaku_;
    QLabel* waitLabel_ = nullptr;
    bool opened_ = false;
};

}  // namespace velmo
