#pragma once
#include <QObject>
#include <QString>
#include <gtest/gtest.h>

// A control of a window found by its object name, as a person finds it by its place; the test
// fails (and gets null) when the window has no such control.
template <class T>
T* child(const QObject& window, const QString& name)
{
    T* found = window.findChild<T*>(name);
    if (!found) ADD_FAILURE() << "no control named " << name.toStdString() << " in " << window.objectName().toStdString();
    return found;
}
