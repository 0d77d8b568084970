#pragma once
// An OptionsHost for tests of the options dialog and its pages: plain option values,
// scripted pickers, and a record of every operation the dialog asked for, in order.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/options/options_host.h"
#include "tests/support/fake_clock.h"
#include "tests/support/scripted_user_interface.h"

namespace velmo::testing {

class FakeOptionsHost : public OptionsHost {
public:
    TorkaSettings values{};
    OptionsRunFacts runFacts{};
    ScriptedUserInterface scriptedUi;
    FakeClock fakeClock;
    RecordingSleeper recordingSleeper{&fakeClock};

    // Every operation by name ("applyStatusPanel", "setChangeCheck 1", …).
    std::vector<std::string> calls;
    // The pickers' next answers; an empty queue means cancelled.
    std::deque<std::optional<Colour>> colours;
    std::deque<std::optional<std::string>> folders;
    std::deque<std::optional<std::string>> files;
    std::vector<std::string> pickerTitles;

    bool networkOn = false;
    int rights = 0;
    std::array<int, 4> counters{1, 2, 3, 4};
    std::string clockPath;
    bool clockRunning = false;
    bool startupShortcut = false;
    std::string editor;
    std::string printer;

    bool called(const std::string& name) const {
        for (const std::string& c : calls) {
            if (c == name)
                return true;
        }
        return false;
    }

    TorkaSettings& options() override { return values; }
    const OptionsRunFacts& facts() const override { return runFacts; }
    UserInterface& ui() override { return scriptedUi; }
    Sleeper& sleeper() override { return recordingSleeper; }
    const Clock& clock() const override { return fakeClock; }

    void applyStatusPanel() override { calls.push_back("applyStatusPanel"); }
    void applyStatusClock() override { calls.push_back("applyStatusClock"); }
    void applyCalendarOptions() override { calls.push_back("applyCalendarOptions"); }
    void applyMonthButtons() override { calls.push_back("applyMonthButtons"); }
    std::optional<Colour> chooseColour(Colour) override {
        calls.push_back("chooseColour");
        return take(colours);
    }
    std::optional<std::string> chooseFolder(const std::string& title, const std::string&) override {
        pickerTitles.push_back(title);
        return take(folders);
    }
    std::optional<std::string> chooseFile(const std::string& title, const std::string&) override {
        pickerTitles.push_back(title);
        return take(files);
    }

    bool networkMode() const override { return networkOn; }
    void networkModeOff() override {
        networkOn = false;
        calls.push_back("networkModeOff");
    }
    void setChangeCheck(int rbNetKoushin) override {
        calls.push_back("setChangeCheck " + std::to_string(rbNetKoushin));
    }
    void setNetOnEnabled(bool enabled) override {
        calls.push_back(std::string("setNetOnEnabled ") + (enabled ? "1" : "0"));
    }
    std::array<int, 4> changeCheckCounters() const override { return counters; }
    int rightsLevel() const override { return rights; }
    void evaluateRights(const std::string& folder) override {
        calls.push_back("evaluateRights " + folder);
    }
    void sharedFolderChanged(const std::string& folder) override {
        calls.push_back("sharedFolderChanged " + folder);
    }
    void searchLocks(const std::string& folder) override {
        calls.push_back("searchLocks " + folder);
    }
    void forceUnlock(const std::string& folder) override {
        calls.push_back("forceUnlock " + folder);
    }
    std::filesystem::path createSharedFolder(FolderCreationMode mode,
                                             const std::string& folder) override {
        calls.push_back("createSharedFolder " + std::to_string(static_cast<int>(mode)) + " " +
                        folder);
        return {};
    }
    void networkBackupAndRestore() override { calls.push_back("networkBackupAndRestore"); }
    void settingsInUserFolder(bool inUserFolder) override {
        calls.push_back(std::string("settingsInUserFolder ") + (inUserFolder ? "1" : "0"));
    }

    void setStartLog(bool on) override {
        calls.push_back(std::string("setStartLog ") + (on ? "1" : "0"));
    }
    void setTimerFunction(bool on) override {
        calls.push_back(std::string("setTimerFunction ") + (on ? "1" : "0"));
    }
    void setCorrectionMenuEnabled(bool enabled) override {
        calls.push_back(std::string("setCorrectionMenuEnabled ") + (enabled ? "1" : "0"));
    }
    std::string clockCompanion() const override { return clockPath; }
    void setClockCompanion(const std::string& path) override {
        clockPath = path;
        calls.push_back("setClockCompanion " + path);
    }
    bool clockCompanionRunning() const override { return clockRunning; }
    void startClockCompanion() override { calls.push_back("startClockCompanion"); }
    bool startupShortcutExists(const std::string&) const override { return startupShortcut; }

    void applyEditorCompanion(bool inUse) override {
        calls.push_back(std::string("applyEditorCompanion ") + (inUse ? "1" : "0"));
    }
    void applyMemoButtonCaption() override { calls.push_back("applyMemoButtonCaption"); }
    void setPrintButtonCaption(bool shown) override {
        calls.push_back(std::string("setPrintButtonCaption ") + (shown ? "1" : "0"));
    }
    std::string editorCompanion() const override { return editor; }
    void setEditorCompanion(const std::string& path) override {
        editor = path;
        calls.push_back("setEditorCompanion " + path);
    }
    std::string printCompanion() const override { return printer; }
    void setPrintCompanion(const std::string& path) override {
        printer = path;
        calls.push_back("setPrintCompanion " + path);
    }

private:
    template <class T>
    static std::optional<T> take(std::deque<std::optional<T>>& queue) {
        if (queue.empty())
            return std::nullopt;
        std::optional<T> next = queue.front();
        queue.pop_front();
        return next;
    }
};

}  // namespace velmo::testing
