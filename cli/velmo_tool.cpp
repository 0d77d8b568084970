// velmo-tool: the program's libraries from the command line, for scripts, checks and
// tests that need no window.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/startup/launch_options.h"
#include "app/startup/start_folders.h"
#include "core/clock.h"
#include "core/user_interface.h"
#include "platform/posix/system_info.h"
#include "store/line_file.h"

namespace {

// Messages go to stderr; nobody is there to answer, so every question gets No.
class ConsoleUserInterface final : public velmo::UserInterface {
  public:
    bool question(const std::string& text, const std::string& caption,
                  velmo::DefaultButton) override {
        print(caption, text + " → いいえ");
        return false;
    }
    void information(const std::string& text, const std::string& caption) override {
        print(caption, text);
    }
    void error(const std::string& text, const std::string& caption) override {
        print(caption, text);
    }
    void message(const std::string& text) override { print("velmo-tool", text); }
    void showWaitWindow() override {}
    void hideWaitWindow() override {}

  private:
    static void print(const std::string& caption, const std::string& text) {
        std::string plain;
        for (char c : text) {
            if (c != '\r')
                plain += c;
        }
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), plain.c_str());
    }
};

int usage(int code) {
    std::fputs(
        "Usage: velmo-tool [--start-folder DIR] COMMAND\n"
        "Commands:\n"
        "  --version        print the version\n"
        "  cat FILE         print a CP932 line file as UTF-8, one line per line\n"
        "  folders          print the start folder, the computer name and the folders\n"
        "                   derived from them\n",
        code == 0 ? stdout : stderr);
    return code;
}

int catFile(const std::string& file) {
    ConsoleUserInterface ui;
    velmo::ThreadSleeper sleeper;
    velmo::LineList lines;
    if (!velmo::readLineFile(file, lines, ui, sleeper))
        return 1;
    for (const std::string& line : lines) {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::ferror(stdout) ? 1 : 0;
}

int printFolders(const velmo::LaunchOptions& options) {
    const velmo::StartLocation start = velmo::resolveStartLocation(
        options.startFolder, velmo::platform::environmentValue("VELMO_HOME"),
        velmo::platform::dataHomeFolder().string());
    const velmo::MachineFacts facts = velmo::readMachineFacts(start);
    std::printf("start folder: %s\n", start.folder.c_str());
    std::printf("start drive kind: %s\n", facts.startDriveKind.c_str());
    std::printf("computer name: %s\n", facts.computerName.c_str());
    std::printf("user name: %s\n", velmo::platform::userName().c_str());
    std::printf("settings file: %sTorka.ini\n", start.folder.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    const velmo::LaunchOptions options = velmo::parseLaunchOptions(arguments);
    if (options.showVersion) {
        std::printf("velmo-tool %s\n", VELMO_VERSION);
        return 0;
    }
    if (options.showHelp)
        return usage(0);
    // The command is the first argument that is not the start-folder option.
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--start-folder") {
            ++i;
        } else if (!arguments[i].starts_with("--start-folder=")) {
            rest.push_back(arguments[i]);
        }
    }
    if (rest.empty())
        return usage(2);
    if (rest[0] == "cat" && rest.size() == 2)
        return catFile(rest[1]);
    if (rest[0] == "folders" && rest.size() == 1)
        return printFolders(options);
    return usage(2);
}
