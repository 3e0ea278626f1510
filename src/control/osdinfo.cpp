#include "control/osdinfo.h"

#include <QJsonArray>

namespace caption {

namespace {

int number(const QJsonObject &reply, const char *key)
{
    return reply.value(QLatin1String(key)).toInt(0);
}

} // namespace

QString colourText(const QColor &colour)
{
    return QStringLiteral("%1%2%3")
        .arg(colour.red(), 2, 16, QLatin1Char('0'))
        .arg(colour.green(), 2, 16, QLatin1Char('0'))
        .arg(colour.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QColor colourFromText(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok)
        return QColor(0, 0, 0);
    return QColor(qRed(value), qGreen(value), qBlue(value));
}

QJsonObject setOsdTextRequest(const OSD_INFO &info, int flag, int wallWidth)
{
    QJsonObject request{{QStringLiteral("Command"), QStringLiteral("SetZEVOsdText")},
                        {QStringLiteral("ScrGroup"), 1}};
    if (flag & ChangeText)
        request.insert(QStringLiteral("Text"), info.text);
    if (flag & ChangeBgColor)
        request.insert(QStringLiteral("BgColor"), colourText(info.bgColor));
    if (flag & ChangeTextColor)
        request.insert(QStringLiteral("TextColor"), colourText(info.textColor));
    if (flag & ChangeScrollSpeed)
        request.insert(QStringLiteral("ScrollSpeed"), info.scrollSpeed);
    if (flag & ChangeFontName)
        request.insert(QStringLiteral("FontName"), info.fontName);
    if (flag & ChangeFontSize)
        request.insert(QStringLiteral("FontSize"), info.fontSize);
    if (flag & ChangeAlpha)
        request.insert(QStringLiteral("Alpha"), info.alpha);
    request.insert(QStringLiteral("ScrRange"), QJsonArray{0, 0, wallWidth, kBandHeight});
    return request;
}

QJsonObject clearOsdTextRequest()
{
    return {{QStringLiteral("Command"), QStringLiteral("ClearOsdText")}, {QStringLiteral("ScrGroup"), 1}};
}

OSD_INFO osdInfoFromReply(const QJsonObject &reply)
{
    OSD_INFO info;
    info.bgColor = colourFromText(reply.value(QStringLiteral("BgColor")).toString());
    info.textColor = colourFromText(reply.value(QStringLiteral("TextColor")).toString());
    info.text = reply.value(QStringLiteral("Text")).toString();
    info.alpha = number(reply, "Alpha");
    info.scrollSpeed = number(reply, "ScrollSpeed");
    info.fontSize = number(reply, "FontSize");
    info.fontName = reply.value(QStringLiteral("FontName")).toString();
    info.showOsd = number(reply, "ShowOsd") > 0;
    return info;
}

QStringList fontSizeTexts()
{
    return {QStringLiteral("20"),  QStringLiteral("24"),  QStringLiteral("28"),  QStringLiteral("36"),
            QStringLiteral("48"),  QStringLiteral("72"),  QStringLiteral("100"), QStringLiteral("120"),
            QStringLiteral("150"), QStringLiteral("180"), QStringLiteral("200"), QStringLiteral("240"),
            QStringLiteral("280"), QStringLiteral("300"), QStringLiteral("330"), QStringLiteral("380"),
            QStringLiteral("430"), QStringLiteral("480")};
}

QVector<QColor> boardColours()
{
    static const QRgb rows[kBoardRows][kBoardColumns] = {
        {0x000000, 0xAA0000, 0x005500, 0xAA5500, 0x00AA00, 0xAAAA00, 0x00FF00, 0xAAFA00},
        {0x00007F, 0xAA007F, 0x00557F, 0xAA557F, 0x00AA7F, 0xAAAA7F, 0x00FF7F, 0xAAFF7F},
        {0x0000FF, 0xAA00FF, 0x0055FF, 0xAA55FF, 0x00AAFF, 0xAAAAFF, 0x00FFFF, 0xAAFFFF},
        {0x550000, 0xFF0000, 0x555500, 0xFF5500, 0x55AA00, 0xFFAA00, 0x55FF00, 0xFFFF00},
        {0x55007F, 0xFF007F, 0x55557F, 0xFF557F, 0x55AA7F, 0xFFAA7F, 0x55FF7F, 0xFFFF7F},
        {0x5500FF, 0xFF00FF, 0x5555FF, 0xFF55FF, 0x55AAFF, 0xFFAAFF, 0x55FFFF, 0xFFFFFF},
    };
    QVector<QColor> colours;
    colours.reserve(kBoardRows * kBoardColumns);
    for (const auto &row : rows) {
        for (QRgb rgb : row)
            colours.append(QColor(rgb));
    }
    return colours;
}

QColor transparentColour()
{
    return QColor(0, 0, 0, 0);
}

} // namespace caption
