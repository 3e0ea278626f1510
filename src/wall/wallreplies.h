#pragma once

#include "wall/wallmodel.h"

#include <QJsonObject>
#include <array>

// Reading the controller's screen-settings and window-list replies into the wall records,
// and the wire form of wall rectangles (right and bottom exclusive on the wire).
namespace wall {

// "GetScrSetting": the settings, one layout per group (same order), and "DontUseMainScr".
struct ScrSettingReply
{
    S_SCR_SETTING setting;
    QList<S_SCR_LAYOUT> layouts;
    bool dontUseMainScr = false;
};

// The most columns (rows) a group of the reply is believed to have. The layout holds one entry
// per column and row, so a larger "ScrCols" ("ScrRows") reads as 0, as a missing one does,
// rather than filling memory with millions of entries.
constexpr int kMaxReplySplitCount = 256;

ScrSettingReply parseScrSetting(const QJsonObject &reply);

// Visibility and checked state of the four screen-group switch buttons.
struct GroupButtonStates
{
    std::array<bool, 4> visible{};
    std::array<bool, 4> checked{};
};

GroupButtonStates groupButtonStates(int groupCount, int scrIndex, bool dontUseMainScr);

// Makes group `index` the current one: scrIndex, rows and cols follow it. False (nothing
// changed) for an index without a group.
bool selectGroup(S_SCR_SETTING &setting, int index);

// One window of "GetCurWindowList".
struct WindowRecord
{
    uint windowId = 0;
    int winType = 0;
    QString name;
    QStringList fileList;
    QRect rect; // wall pixels, inclusive
};

QList<WindowRecord> parseWindowList(const QJsonObject &reply);

// {"Left", "Top", "Right", "Bottom"} with exclusive right and bottom, to and from the
// console's inclusive rectangle. An exclusive edge of the lowest int reads as that int.
QRect rectFromWire(const QJsonObject &wire);
QJsonObject rectToWire(const QRect &rect);

} // namespace wall
