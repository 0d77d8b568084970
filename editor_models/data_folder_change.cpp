#include "editor_models/data_folder_change.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "store/file_helpers.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

constexpr const char* kErrorCaption = "エラー";

bool blank(const std::string& text) {
    return trimSpaces(text).empty();
}

bool equalIgnoringAsciiCase(const std::string& a, const std::string& b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

std::string dataRootBoxText(const std::string& folder, const std::string& startFolder) {
    if (blank(folder) || equalIgnoringAsciiCase(withTrailingSeparator(folder), startFolder))
        return {};
    return folder;
}

DataFolderCalls localDataFolderCalls() {
    return {[](const std::string& folder) {
                std::error_code error;
                return std::filesystem::is_directory(folder, error);
            },
            [](const std::string& folder) { createFolderChain(folder); }};
}

DataFolderChange::DataFolderChange(UserInterface& ui, DataFolderCalls calls)
    : ui_(ui), calls_(std::move(calls)) {}

void DataFolderChange::load(const std::string& edFolder, const std::string& startFolder) {
    startFolder_ = startFolder;
    startingRoot_ = dataRootBoxText(edFolder, startFolder);
    text_ = startingRoot_;
    editable_ = false;
    actionButtonsEnabled_ = false;
    pending_ = false;
}

DataFolderChange::Focus DataFolderChange::beginChange() {
    editable_ = true;
    actionButtonsEnabled_ = true;
    pending_ = true;
    return Focus::ToBoxEnd;
}

DataFolderChange::Focus DataFolderChange::folderChosen(const std::optional<std::string>& folder) {
    if (!folder || refusedAsUnencodable(*folder))
        return Focus::Unchanged;
    if (*folder != text_)
        text_ = withTrailingSeparator(*folder);
    return beginChange();
}

DataFolderChange::Focus DataFolderChange::boxLeft() {
    if (!blank(text_))
        text_ = withTrailingSeparator(text_);
    if (!actionButtonsEnabled_)
        return Focus::Unchanged;
    informMain(ui_, "変更実行か、キャンセルか、決めて下さい。");
    return Focus::ToBoxEnd;
}

void DataFolderChange::cancel() {
    text_ = startingRoot_;
    editable_ = false;
    actionButtonsEnabled_ = false;
    pending_ = false;
}

void DataFolderChange::cancelPending() {
    if (pending_)
        cancel();
}

DataFolderChange::Focus DataFolderChange::apply() {
    // Refused before anything is asked: the user corrects the text and applies again.
    if (refusedAsUnencodable(text_))
        return Focus::ToBoxEnd;
    if (!ask(ui_, "データフォルダの変更を行いますか？", DefaultButton::No, kMainInformationCaption))
        return Focus::Unchanged;
    pending_ = false;
    // Every way out below leaves both buttons off.
    actionButtonsEnabled_ = false;
    if (blank(text_))
        text_.clear();
    else
        text_ = withTrailingSeparator(text_);

    if (text_ == startingRoot_) {
        informMain(ui_, "フォルダが変更されていません\r\n中止します。");
        endEditing();
        return Focus::Unchanged;
    }
    if (!text_.empty() && !calls_.exists(text_)) {
        // The change stays pending, so leaving the page or closing puts the starting
        // data root back.
        pending_ = true;
        if (!ask(ui_, "指定されたフォルダーが、存在しません。\r\n作成しますか？", DefaultButton::No,
                 kMainInformationCaption)) {
            informMain(ui_, "変更は、キャンセルされます。");
            return Focus::ToBoxEnd;
        }
        calls_.create(text_);
        if (!calls_.exists(text_)) {
            ui_.error("データフォルダを作成できません。", kErrorCaption);
            text_ = startingRoot_;
            return Focus::ToBoxEnd;
        }
        pending_ = false;
    }
    informMain(ui_,
               "データフォルダを変更しました。\r\n次回起動時から、このデータフォルダを使用します。"
               "\r\n^^^^^^^^^^^^^^\r\nデータの移動が必要な場合は、\r\nベルモを終了後、"
               "ご自分でデータの移動を行ってください。");
    endEditing();
    return Focus::Unchanged;
}

bool DataFolderChange::refusedAsUnencodable(const std::string& folder) {
    const std::optional<std::string> message = unencodableTextMessage(folder);
    if (message)
        informMain(ui_, *message);
    return message.has_value();
}

void DataFolderChange::endEditing() {
    editable_ = false;
    actionButtonsEnabled_ = false;
}

}  // namespace velmo
