#include "app/startup/launch_options.h"

#include <cctype>
#include <charconv>
#include <string_view>

namespace velmo {

namespace {

bool hasPrefix(std::string_view argument, std::string_view prefix) {
    if (argument.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(argument[i])) != prefix[i])
            return false;
    }
    return true;
}

// The two characters after "/J" as a number; anything else gives 0.
int countdownSeconds(std::string_view argument) {
    const std::string_view digits = argument.substr(2, 2);
    int value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size() || value < 0)
        return 0;
    return value;
}

void takePath(std::string_view argument, std::string& target) {
    const std::string_view rest = argument.substr(3);
    // Cutting a path could point a deletion at a different file; ignore it instead.
    if (rest.size() <= kMaxSwitchPathLength)
        target = std::string(rest);
}

}  // namespace

LaunchOptions parseLaunchOptions(const std::vector<std::string>& arguments) {
    LaunchOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--start-folder" && i + 1 < arguments.size()) {
            options.startFolder = arguments[++i];
        } else if (argument.starts_with("--start-folder=")) {
            options.startFolder = std::string(argument.substr(15));
        } else if (argument == "--help" || argument == "-h") {
            options.showHelp = true;
        } else if (argument == "--version") {
            options.showVersion = true;
        } else if (argument == "--quit-after-first-paint") {
            options.quitAfterFirstPaint = true;
        } else if (hasPrefix(argument, "/2")) {
            options.ignoreRunningCopy = true;
        } else if (hasPrefix(argument, "/F")) {
            options.firstNetworkSetup = true;
        } else if (hasPrefix(argument, "/J")) {
            options.autoResidentSeconds = countdownSeconds(argument);
        } else if (hasPrefix(argument, "/D1")) {
            takePath(argument, options.deleteFile);
        } else if (hasPrefix(argument, "/D2")) {
            takePath(argument, options.offerArchiveDeletion);
        } else if (hasPrefix(argument, "/D3")) {
            takePath(argument, options.offerWorkFolderDeletion);
        } else if (hasPrefix(argument, "/DN")) {
            takePath(argument, options.sharedFolderOverride);
        }
    }
    return options;
}

}  // namespace velmo
