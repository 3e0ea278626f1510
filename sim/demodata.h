#pragma once

#include <QJsonObject>

namespace sim {

// The installation the simulator starts with unless a config file replaces it: three screen
// groups, a full catalogue, two applications, music, three scenes, two users, fonts, a
// caption and some windows open on the first group. Same shape as a --config file.
QJsonObject demoState();

} // namespace sim
