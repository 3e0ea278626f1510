#include "windowrequests.h"

#include "wallreplies.h"

#include <QJsonArray>

namespace wall {

namespace {
QJsonArray entries(const S_WINDOW &window, int category, const ResourcePath &resourcePath)
{
    const QStringList names = window.fileList.isEmpty() ? QStringList{window.name} : window.fileList;
    QJsonArray list;
    for (const QString &name : names) {
        list.append(
            QJsonObject{{QStringLiteral("Name"), name},
                        {QStringLiteral("Path"), resourcePath ? resourcePath(category, name) : QString()}});
    }
    return list;
}
} // namespace

QJsonObject newWindowRequest(const S_WINDOW &window, const ResourcePath &resourcePath)
{
    const auto path = [&](int category, const QString &name) {
        return resourcePath ? resourcePath(category, name) : QString();
    };
    QJsonObject request{{QStringLiteral("Command"), QStringLiteral("NewWindow")},
                        {QStringLiteral("RealRect"), rectToWire(window.realRect)},
                        {QStringLiteral("WindowId"), static_cast<qint64>(window.windowId)}};
    int type = window.winType;
    switch (window.winType) {
    case TypeVideo:
        request.insert(QStringLiteral("VideoList"), entries(window, TypeVideo, resourcePath));
        break;
    case TypePicture:
        request.insert(QStringLiteral("Effect"), 5);
        request.insert(QStringLiteral("FillMode"), 1);
        request.insert(QStringLiteral("SwitchTime"), window.fileList.isEmpty() ? 3 : 0);
        request.insert(QStringLiteral("ShowTime"), 10);
        request.insert(QStringLiteral("Pictures"), entries(window, TypePicture, resourcePath));
        break;
    case TypeNetVideo: {
        const QJsonArray list = entries(window, TypeNetVideo, resourcePath);
        const QJsonObject first = list.first().toObject();
        request.insert(QStringLiteral("VideoList"), list);
        request.insert(QStringLiteral("ShowTime"), 10);
        request.insert(QStringLiteral("Name"), first.value(QStringLiteral("Name")));
        request.insert(QStringLiteral("Path"), first.value(QStringLiteral("Path")));
        break;
    }
    case TypeDocument:
        type = window.videoId >= 0 ? TypeApplication : TypeDocument;
        request.insert(QStringLiteral("VideoId"), window.videoId);
        request.insert(QStringLiteral("Name"), window.name);
        request.insert(QStringLiteral("Path"), path(TypeDocument, window.name));
        break;
    default: // web page, Office document, USB video
        request.insert(QStringLiteral("Name"), window.name);
        request.insert(QStringLiteral("Path"), path(window.winType, window.name));
        break;
    }
    request.insert(QStringLiteral("Type"), type);
    return request;
}

QJsonObject moveWindowRequest(uint windowId, const QRect &rect)
{
    return QJsonObject{{QStringLiteral("Command"), QStringLiteral("MoveWindow")},
                       {QStringLiteral("RealRect"), rectToWire(rect)},
                       {QStringLiteral("WindowId"), static_cast<qint64>(windowId)}};
}

QJsonObject closeWindowRequest(qint64 windowId, int screenGroup)
{
    return QJsonObject{{QStringLiteral("Command"), QStringLiteral("CloseWindow")},
                       {QStringLiteral("WindowId"), windowId},
                       {QStringLiteral("ScreenGroup"), screenGroup}};
}

QJsonObject setWindowPosRequest(uint windowId, const QString &type, int screenGroup)
{
    return QJsonObject{{QStringLiteral("Command"), QStringLiteral("SetWindowPos")},
                       {QStringLiteral("WindowId"), static_cast<qint64>(windowId)},
                       {QStringLiteral("Type"), type},
                       {QStringLiteral("ScreenGroup"), screenGroup}};
}

} // namespace wall
