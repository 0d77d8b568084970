#include "app/startup/session_ending.h"

#include <utility>

#include "store/file_helpers.h"

namespace velmo {

namespace {

constexpr const char* kCloseRefusedText =
    "データを保存できなかったため、終了を取り止めました。\r\n"
    "保存先のフォルダやディスクを確認してから、もう一度終了してください。";

}  // namespace

SessionEnding::SessionEnding(SessionEndingContext context, SessionEndingHooks hooks)
    : context_(std::move(context)), hooks_(std::move(hooks)) {}

std::string SessionEnding::rootText() const {
    return withTrailingSeparator(context_.rescueRoot.string());
}

void SessionEnding::endOnSignal() {
    if (signalled_)
        return;
    signalled_ = true;
    context_.ui.goUnattended();
    // A close query already running finishes by itself once its box is gone; otherwise
    // the window closes now. Either way the application ends.
    if (!closing_ && !hooks_.closeWindow())
        rescueUnsaved();
    hooks_.quit();
}

bool SessionEnding::runCloseQuery(const std::function<bool()>& closeQuery) {
    closing_ = true;
    bool accepted = closeQuery();
    closing_ = false;
    if (!accepted && signalled_) {
        // Refused for another reason (the months are being rebuilt): the run ends all
        // the same, with whatever is unsaved put aside.
        rescueUnsaved();
        accepted = true;
    }
    return accepted;
}

bool SessionEnding::closeAfterFailedSave() {
    UserInterface& ui = context_.ui;
    if (!signalled_) {
        // Nowhere to put copies: the window stays until the data can be saved.
        if (context_.rescueRoot.empty()) {
            informMain(ui, kCloseRefusedText);
            return false;
        }
        const bool yes =
            ask(ui,
                std::string(kCloseRefusedText) +
                    "\r\n\r\nただし、保存できなかった予定を退避フォルダ[" + rootText() +
                    "]に書き出して、今すぐ終了することもできます。\r\n"
                    "退避して終了しますか？",
                DefaultButton::No);
        // A signal that came while the question was open decides for the user.
        if (!yes && !signalled_)
            return false;
    }
    if (rescueUnsaved())
        return true;
    const std::string failure =
        "保存できなかった予定を、退避フォルダ[" + rootText() + "]にも書き込めませんでした。";
    if (signalled_) {
        ui.message(failure);
        return true;
    }
    ui.message(failure + "\r\n終了を取り止めました。");
    return false;
}

bool SessionEnding::rescueUnsaved() {
    if (rescued_)
        return true;
    const std::vector<RescueFile> files = hooks_.unsavedFiles();
    if (files.empty()) {
        rescued_ = true;
        return true;
    }
    const std::optional<std::string> folder =
        writeRescueCopies(files, context_.rescueRoot, context_.clock, context_.sleeper);
    if (!folder)
        return false;
    rescued_ = true;
    // The next start tells where the copies are; without a record (or at a log-out, into
    // the log) that is said now.
    if (!recordRescueNotice(context_.rescueRoot, *folder, context_.sleeper) ||
        context_.ui.unattended())
        context_.ui.message(rescuedText(*folder));
    return true;
}

void SessionEnding::tellAboutRescuedFiles() {
    for (const std::string& folder : takeRescueNotices(context_.rescueRoot))
        informMain(context_.ui, rescueNoticeText(folder));
}

}  // namespace velmo
