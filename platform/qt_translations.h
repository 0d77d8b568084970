#pragma once
// Qt's own dialogs (colours, files, folders, printing) speak Japanese like the rest of the
// program, whatever the system locale says.

class QCoreApplication;

namespace velmo::platform {

// Loads Qt's Japanese translations into the application; false when they are not
// installed (the dialogs then stay in English).
bool installJapaneseQtTranslations(QCoreApplication& application);

}  // namespace velmo::platform
