#pragma once

#include <QColor>
#include <QJsonObject>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVector>

// The settings of the scrolling caption, as the caption panel hands them to the sender:
// a plain value, copied into the announcement and read by the sender inside the emit.
struct OSD_INFO
{
    QColor textColor = QColor(255, 255, 255);
    QColor bgColor = QColor(0, 0, 0);
    int scrollSpeed = 1; // index into the speed list: 0 no scrolling, 1..5 = "1x".."5x"
    int alpha = 255;     // the band's transparency slider, 0..255
    int fontSize = 48;
    QString text;     // plain text
    QString fontName; // one of the controller's fonts
    bool showOsd = false;
    int fontIndex = -1; // index of fontName in the font list; never sent
};
Q_DECLARE_METATYPE(OSD_INFO)

// Wire forms of the caption commands, the lists of the caption panel and its colour board.
namespace caption {

// The change mask of a caption record: which fields carry news, so which keys are sent.
enum Change : int {
    ChangeText = 1,
    ChangeBgColor = 2,
    ChangeTextColor = 4,
    ChangeScrollSpeed = 8,
    ChangeFontName = 16,
    ChangeFontSize = 32,
    ChangeAlpha = 64,
    ChangeAll = -1, // a start: every key
};

// Speed entries of the panel: "no scrolling" and "1x".."5x".
inline constexpr int kSpeedCount = 6;
// The caption band is always this high on the wall.
inline constexpr int kBandHeight = 1080;

// Six upper-case hexadecimal digits RRGGBB; the alpha is not part of the wire form.
QString colourText(const QColor &colour);
// "RRGGBB" read base 16 as an opaque colour; anything that is not a hexadecimal number
// reads as black.
QColor colourFromText(const QString &text);

// "SetZEVOsdText" for screen group 1 with the keys of the set bits of `flag` and the band
// "ScrRange" [0, 0, wallWidth, 1080].
QJsonObject setOsdTextRequest(const OSD_INFO &info, int flag, int wallWidth);
// "ClearOsdText" for screen group 1.
QJsonObject clearOsdTextRequest();
// The caption of a "GetZEVOSD" reply; numbers missing or not whole read as 0.
OSD_INFO osdInfoFromReply(const QJsonObject &reply);

// The size list of the panel, smallest first.
QStringList fontSizeTexts();

// The colour board: a transparent entry and a grid of 6 rows by 8 columns.
inline constexpr int kBoardRows = 6;
inline constexpr int kBoardColumns = 8;
// The grid's colours, row by row.
QVector<QColor> boardColours();
// The transparent entry: red, green, blue and alpha 0.
QColor transparentColour();

} // namespace caption
