#pragma once

#include <QObject>
#include <QVariant>

// Child windows carry the id they had on the original platform as the property "controlId",
// so that code and tests can find them (see commandids.h).
inline void SetControlId(QObject& object, int id) {
    object.setProperty("controlId", id);
}

inline int ControlId(const QObject& object) {
    return object.property("controlId").toInt();
}
