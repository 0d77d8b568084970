#pragma once
// The local data folder box of the options dialog and its buttons "変更", "変更実行" and
// "キャンセル". The box is idle (read-only, grey, both action buttons off) or being edited
// (editable, both buttons on). A change is only ever recorded for the next start: no data
// is moved, and the box text reaches the data root option when the dialog closes.
//
// Folder texts end with "/"; a blank box means the start folder.

#include <functional>
#include <optional>
#include <string>

#include "core/user_interface.h"

namespace velmo {

// The box text for a data root: blank when the folder is the start folder, compared
// ignoring ASCII letter case and with a trailing "/" added.
std::string dataRootBoxText(const std::string& folder, const std::string& startFolder);

// How the page reaches the file system; tests plug in their own.
struct DataFolderCalls {
    std::function<bool(const std::string&)> exists;
    // Creates the folder with every missing parent; success is judged by exists().
    std::function<void(const std::string&)> create;
};

// The folder calls of this computer.
DataFolderCalls localDataFolderCalls();

class DataFolderChange {
public:
    // What the page does with the focus after an operation.
    enum class Focus { Unchanged, ToBoxEnd };

    DataFolderChange(UserInterface& ui, DataFolderCalls calls);

    // The box takes the data root option; the result is the starting data root.
    void load(const std::string& edFolder, const std::string& startFolder);

    const std::string& text() const { return text_; }
    const std::string& startingRoot() const { return startingRoot_; }
    bool editable() const { return editable_; }
    bool actionButtonsEnabled() const { return actionButtonsEnabled_; }
    bool pending() const { return pending_; }
    // The option the box stands for at closing.
    std::string storedValue() const { return dataRootBoxText(text_, startFolder_); }

    // The user edited the box text.
    void typed(std::string text) { text_ = std::move(text); }

    // "変更".
    Focus beginChange();
    // The folder button's picker answered; nullopt when it was cancelled. A folder whose
    // path CP932 cannot hold is refused, since the settings file could not store it.
    Focus folderChosen(const std::optional<std::string>& folder);
    // The focus leaves the box. ToBoxEnd when it must come back, because the change has
    // to be applied or cancelled first.
    Focus boxLeft();
    // The focus moved elsewhere on the page: the box turns read-only, the buttons stay.
    void focusLeftGroup() { editable_ = false; }
    // "キャンセル".
    void cancel();
    // The page is left or the dialog closes: a pending change is dropped as by "キャンセル".
    void cancelPending();
    // "変更実行".
    Focus apply();

private:
    bool refusedAsUnencodable(const std::string& folder);
    void endEditing();

    UserInterface& ui_;
    DataFolderCalls calls_;
    std::string startFolder_;
    std::string startingRoot_;
    std::string text_;
    bool editable_ = false;
    bool actionButtonsEnabled_ = false;
    bool pending_ = false;
};

}  // namespace velmo
