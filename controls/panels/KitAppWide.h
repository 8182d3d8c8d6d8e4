#pragma once
// The kit's process-wide objects (the application object, the global
// container): made on first use, deleted with the Qt application object (kept
// to the end when there is none).

#include <QCoreApplication>
#include <QObject>

template <class T> T *KitAppWide()
{
    static T *instance = [] {
        auto *o = new T;
        if (QCoreApplication::instance())
            QObject::connect(QCoreApplication::instance(), &QObject::destroyed, [o] { delete o; });
        return o;
    }();
    return instance;
}
