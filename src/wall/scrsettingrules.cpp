#include "wall/scrsettingrules.h"

#include <QJsonArray>
#include <algorithm>
#include <climits>

namespace wall {

namespace {

QJsonArray intArray(const QList<int> &values)
{
    QJsonArray array;
    for (int value : values)
        array.append(value);
    return array;
}

} // namespace

int maxSplitCount(int total)
{
    return std::max(1, total / kMinCellPixels);
}

std::optional<int> parseSplitCount(const QString &text, int total)
{
    bool ok = false;
    const int count = text.trimmed().toInt(&ok);
    if (!ok || count < 1 || count > maxSplitCount(total))
        return std::nullopt;
    return count;
}

int sumOf(const QList<int> &sizes)
{
    qint64 sum = 0;
    for (int size : sizes)
        sum += size;
    return static_cast<int>(std::clamp<qint64>(sum, INT_MIN, INT_MAX));
}

SizesProblem checkSizes(const QList<int> &sizes, int count, int total)
{
    if (sizes.size() != count)
        return SizesProblem::WrongCount;
    if (std::any_of(sizes.begin(), sizes.end(), [](int size) { return size < kMinCellPixels; }))
        return SizesProblem::TooSmall;
    if (sumOf(sizes) != total)
        return SizesProblem::WrongSum;
    return SizesProblem::None;
}

QList<int> sizesFor(const QList<int> &sizes, int count, int total)
{
    if (checkSizes(sizes, count, total) == SizesProblem::None)
        return sizes;
    return splitLength(total, count);
}

std::optional<QList<int>> withRestOnLast(const QList<int> &sizes, int index, int value, int total)
{
    if (index < 0 || index >= sizes.size())
        return std::nullopt;
    QList<int> result = sizes;
    const int last = result.size() - 1;
    if (index != last) {
        if (value < kMinCellPixels)
            return std::nullopt;
        result[index] = value;
    }
    qint64 others = 0;
    for (int i = 0; i < last; ++i)
        others += result.at(i);
    const qint64 rest = qint64(total) - others;
    if (rest < kMinCellPixels)
        return std::nullopt;
    result[last] = static_cast<int>(rest);
    return result;
}

QJsonObject scrSettingRequest(const S_SCR_GROUP &group, int index)
{
    return QJsonObject{{QStringLiteral("Command"), QStringLiteral("SetScrSetting")},
                       {QStringLiteral("Rows"), group.scrRows},
                       {QStringLiteral("Cols"), group.scrCols},
                       {QStringLiteral("Name"), group.name},
                       {QStringLiteral("Index"), index},
                       {QStringLiteral("CustomHeight"), intArray(group.customHeight)},
                       {QStringLiteral("CustomWidth"), intArray(group.customWidth)}};
}

} // namespace wall
