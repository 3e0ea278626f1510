#include "wall/wallreplies.h"

#include <QJsonArray>

#include <limits>

namespace wall {

namespace {

int splitCount(const QJsonValue &value)
{
    const int count = value.toInt();
    return count > kMaxReplySplitCount ? 0 : count;
}

// The inclusive edge of an exclusive wire edge; the lowest int stays itself.
int inclusiveEdge(const QJsonValue &value)
{
    const int edge = value.toInt();
    return edge == std::numeric_limits<int>::min() ? edge : edge - 1;
}

QList<int> intList(const QJsonValue &value)
{
    QList<int> list;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &item : array)
        list.append(item.toInt());
    return list;
}

S_SCR_GROUP readGroup(const QJsonObject &object)
{
    S_SCR_GROUP group;
    group.name = object.value(QLatin1String("Name")).toString();
    group.width = object.value(QLatin1String("Width")).toInt();
    group.height = object.value(QLatin1String("Height")).toInt();
    group.scrRows = splitCount(object.value(QLatin1String("ScrRows")));
    group.scrCols = splitCount(object.value(QLatin1String("ScrCols")));
    group.customWidth = intList(object.value(QLatin1String("CustomWidth")));
    group.customHeight = intList(object.value(QLatin1String("CustomHeight")));
    return group;
}

bool listsResources(int winType)
{
    return winType == TypeVideo || winType == TypePicture || winType == TypeNetVideo;
}

} // namespace

ScrSettingReply parseScrSetting(const QJsonObject &reply)
{
    ScrSettingReply result;
    result.setting.scrIndex = reply.value(QLatin1String("ScrIndex")).toInt();
    result.setting.cols = reply.value(QLatin1String("Cols")).toInt();
    result.setting.rows = reply.value(QLatin1String("Rows")).toInt();
    result.dontUseMainScr = reply.value(QLatin1String("DontUseMainScr")).toBool(false);
    const QJsonArray list = reply.value(QLatin1String("ScrList")).toArray();
    for (const QJsonValue &value : list) {
        S_SCR_GROUP group = readGroup(value.toObject());
        result.layouts.append(makeScrLayout(group));
        result.setting.groups.append(group);
    }
    if (result.setting.scrIndex >= result.setting.groups.size())
        result.setting.scrIndex = 0;
    return result;
}

GroupButtonStates groupButtonStates(int groupCount, int scrIndex, bool dontUseMainScr)
{
    GroupButtonStates states;
    states.visible[0] = !dontUseMainScr;
    states.checked[0] = scrIndex == 0 && !dontUseMainScr;
    for (int k = 1; k < 4; ++k) {
        states.visible[k] = groupCount > k;
        states.checked[k] = scrIndex == k;
    }
    return states;
}

bool selectGroup(S_SCR_SETTING &setting, int index)
{
    if (index < 0 || index >= setting.groups.size())
        return false;
    setting.scrIndex = index;
    setting.rows = setting.groups.at(index).scrRows;
    setting.cols = setting.groups.at(index).scrCols;
    return true;
}

QList<WindowRecord> parseWindowList(const QJsonObject &reply)
{
    QList<WindowRecord> records;
    const QJsonArray windows = reply.value(QLatin1String("Windows")).toArray();
    for (const QJsonValue &value : windows) {
        const QJsonObject object = value.toObject();
        WindowRecord record;
        record.rect = rectFromWire(object.value(QLatin1String("WindowRect")).toObject());
        record.windowId = static_cast<uint>(object.value(QLatin1String("WindowId")).toVariant().toLongLong());
        record.winType = object.value(QLatin1String("WindowType")).toInt();
        if (listsResources(record.winType)) {
            const QJsonArray resources = object.value(QLatin1String("ResList")).toArray();
            for (const QJsonValue &resource : resources)
                record.fileList.append(resource.toObject().value(QLatin1String("Name")).toString());
            record.name = record.fileList.value(0);
        } else {
            record.name = object.value(QLatin1String("Name")).toString();
        }
        records.append(record);
    }
    return records;
}

QRect rectFromWire(const QJsonObject &wire)
{
    return QRect(QPoint(wire.value(QLatin1String("Left")).toInt(), wire.value(QLatin1String("Top")).toInt()),
                 QPoint(inclusiveEdge(wire.value(QLatin1String("Right"))),
                        inclusiveEdge(wire.value(QLatin1String("Bottom")))));
}

QJsonObject rectToWire(const QRect &rect)
{
    QJsonObject wire;
    wire.insert(QLatin1String("Left"), rect.left());
    wire.insert(QLatin1String("Top"), rect.top());
    wire.insert(QLatin1String("Right"), rect.right() + 1);
    wire.insert(QLatin1String("Bottom"), rect.bottom() + 1);
    return wire;
}

} // namespace wall
