#pragma once

#include "wallmodel.h"

#include <QJsonObject>
#include <QString>
#include <functional>

// JSON bodies of the window commands. Rectangles are inclusive inside the console and go
// out with right and bottom exclusive (rectToWire).
namespace wall {

// The controller path of a resource of a category, looked up by name; empty when unknown.
using ResourcePath = std::function<QString(int category, const QString &name)>;

// "NewWindow" for the window type of `window` (its variant keys included).
QJsonObject newWindowRequest(const S_WINDOW &window, const ResourcePath &resourcePath);
QJsonObject moveWindowRequest(uint windowId, const QRect &rect);
// windowId -1 closes every window of the group.
QJsonObject closeWindowRequest(qint64 windowId, int screenGroup);
// type "MoveTop" or "MoveBottom".
QJsonObject setWindowPosRequest(uint windowId, const QString &type, int screenGroup);

} // namespace wall
