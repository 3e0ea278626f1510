#include "resource.h"

#include <QMimeData>

QMimeData *makeResourceMimeData(const QString &name, int videoId, const QString &path, int mediaType)
{
    auto *data = new QMimeData;
    data->setText(name);
    data->setProperty(resourcedrag::kVideoId, videoId);
    data->setProperty(resourcedrag::kType, path);
    data->setProperty(resourcedrag::kSource, QStringLiteral("list"));
    data->setProperty(resourcedrag::kMediaType, mediaType);
    return data;
}
