#pragma once
// The folder boxes of the network pages: the shared folder and its three history boxes.

#include <string>

class QLineEdit;
class QPushButton;
class QWidget;

namespace velmo {

class OptionsHost;

inline constexpr const char* kFolderPickerTitle = "フォルダを指定してください";

// The desktop's folder picker for the box. A folder whose path CP932 cannot hold is
// refused with a message, since the settings file could not store it. A chosen folder
// that differs from the box text replaces it; the box then becomes editable with the
// window colour and takes the focus. True when a folder was chosen and taken.
bool pickFolderIntoBox(OptionsHost& host, QLineEdit& box);

// The small button beside a folder box that opens the picker.
QPushButton* folderButton(const char* name, QWidget* parent);

// The box's background: the window colour, or the button face of an unused box.
void setFolderBoxFace(QLineEdit& box, bool windowColour);

// The text a folder operation is handed for the box: the folder it names, normalised
// and ending with "/"; empty when it names none.
std::string folderOfBox(const QLineEdit& box);

}  // namespace velmo
