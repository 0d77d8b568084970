#pragma once
// What the folder boxes of the options dialog hand on. A box holds whatever the user
// typed or picked; the shared-folder operations need one absolute folder, never a blank
// text that would turn into the current directory.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace velmo {

// The folder the box names: trimmed, lexically normal, ending with "/". Nothing for a
// blank text and for a relative one, which would otherwise be taken from wherever the
// program happens to run.
std::optional<std::filesystem::path> sharedFolderFromBox(std::string_view box);

// The box text, or an empty text when it names the start folder (letter case ignored,
// the trailing "/" added when missing): the start folder is what an empty box means.
std::string emptiedWhenStartFolder(std::string_view box, std::string_view startFolder);

}  // namespace velmo
