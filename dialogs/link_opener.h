#pragma once
// Opening a link the user activated in an editor's text.

#include <QString>

namespace velmo {

class UserInterface;

// A web address or a document opens with the desktop's program for it; a missing file
// is named; something that would run a program runs only after the user answered Yes
// (No is preselected).
void openLink(const QString& link, UserInterface& ui);

}  // namespace velmo
