#pragma once
// What a link in an editor's text leads to, and how the window opens it: a web address
// goes to the browser, a document to the program the desktop chooses for it, and
// something that would run a program only after the user agreed.

#include <string>
#include <string_view>

namespace velmo {

enum class LinkKind { WebAddress, Document, Runnable, MissingFile };

struct LinkTarget {
    LinkKind kind = LinkKind::Document;
    // The URL to open ("www." made "http://www.") or the file's path ("file:" and a "//"
    // after it taken off, %XX decoded).
    std::string target;

    bool operator==(const LinkTarget&) const = default;
};

// http:, https:, ftp: and www. links (any case) are web addresses; anything else names a
// file. A file that does not exist is missing; a folder is a document (the file manager
// shows it); an ordinary file with any execute bit, a script ("#!" first, or .sh, .py, .pl,
// .rb) or a .desktop file is runnable; every other file is a document.
LinkTarget classifyLink(std::string_view link);

// The message for a missing file; the question before running something (No preselected).
std::string missingLinkMessage(std::string_view path);
std::string runLinkQuestion(std::string_view path);

inline constexpr const char* kMissingLinkBefore = "指定されたファイル[ ";
inline constexpr const char* kMissingLinkAfter = " ]が存在しません。\r\n中止します。";
inline constexpr const char* kRunLinkBefore = "このリンクはプログラムを実行します。\r\n[ ";
inline constexpr const char* kRunLinkAfter = " ]\r\n実行しますか？";

}  // namespace velmo
