#pragma once
// Push buttons of the editor windows. Enter belongs to the fields and cells the user
// types in, so these never act as default buttons.

class QPushButton;
class QWidget;

namespace velmo {

QPushButton* plainButton(const char* text, const char* objectName, QWidget* parent);

}  // namespace velmo
