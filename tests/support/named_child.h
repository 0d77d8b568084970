#pragma once
// A control of a window or page by its object name; a missing one ends the test run,
// since every later step would only fail in a less telling way.

#include <QObject>
#include <QString>
#include <QWidget>

namespace velmo::testing {

template <class T = QWidget>
T* namedChild(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("no control %s", name);
    return found;
}

}  // namespace velmo::testing
