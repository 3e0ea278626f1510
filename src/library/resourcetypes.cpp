#include "resourcetypes.h"

#include <QtGlobal>

namespace library {

namespace {
const ResourceTypeSpec kTypes[] = {
    {Category::Web, "WEB", 2, "", "", ""},
    {Category::NetVideo, "NetVideo", 4, "", "", ""},
    {Category::Picture, "Picture", 1, "/pictures/",
     QT_TRANSLATE_NOOP("DialogAddResource", "图片文件(*.bmp *.jpg *.png)"),
     QT_TRANSLATE_NOOP("DialogAddResource", "请选择图片文件")},
    {Category::Video, "Video", 0, "/videos/",
     QT_TRANSLATE_NOOP("DialogAddResource", "视频文件(*.mkv *.mp4 *.wmv *.avi)"),
     QT_TRANSLATE_NOOP("DialogAddResource", "请选择视频文件")},
    {Category::Office, "Office", 3, "/office/",
     QT_TRANSLATE_NOOP("DialogAddResource",
                       "Office文件(*.doc *.docx *.ppt *.pptx *.xls *.xlsx *.xlsm *.xltm)"),
     QT_TRANSLATE_NOOP("DialogAddResource", "请选择Office文件")},
    {Category::Doc, "Other", 5, "/others/", QT_TRANSLATE_NOOP("DialogAddResource", "所有文件(*.*)"),
     QT_TRANSLATE_NOOP("DialogAddResource", "请选择其他文件")},
    {Category::Music, "Music", 12, "/audios/",
     QT_TRANSLATE_NOOP("DialogAddResource", "音乐文件(*.mp3 *.wav *.wmv *.ogg *.m4a *.aac)"),
     QT_TRANSLATE_NOOP("DialogAddResource", "请选择音乐文件")},
};
} // namespace

const ResourceTypeSpec *resourceTypeOf(Category category)
{
    for (const ResourceTypeSpec &row : kTypes) {
        if (row.category == category)
            return &row;
    }
    return nullptr;
}

const ResourceTypeSpec *checkedResourceType(const std::function<bool(Category)> &isChecked)
{
    for (const ResourceTypeSpec &row : kTypes) {
        if (isChecked(row.category))
            return &row;
    }
    return nullptr;
}

const ResourceTypeSpec *resourceTypeOfDialog(int dialogType)
{
    for (const ResourceTypeSpec &row : kTypes) {
        if (row.dialogType == dialogType)
            return &row;
    }
    return nullptr;
}

bool needsUpload(const ResourceTypeSpec &row)
{
    return *row.folder != '\0';
}

QJsonObject addResourceRequest(const ResourceTypeSpec &row, const QString &name, const QString &path,
                               const QString &userName, const QString &password)
{
    QJsonObject request{{QStringLiteral("ResType"), QLatin1String(row.resType)}};
    if (row.category == Category::Web && !userName.isEmpty() && !password.isEmpty()) {
        request.insert(QStringLiteral("UserName"), userName);
        request.insert(QStringLiteral("Password"), password);
    }
    request.insert(QStringLiteral("ResName"), name);
    request.insert(QStringLiteral("ResPath"), path);
    request.insert(QStringLiteral("Command"), QStringLiteral("AddResource"));
    return request;
}

QJsonObject delResourceRequest(const ResourceTypeSpec &row, const QString &name)
{
    return {{QStringLiteral("Command"), QStringLiteral("DelResource")},
            {QStringLiteral("ResName"), name},
            {QStringLiteral("ResType"), QLatin1String(row.resType)}};
}

} // namespace library
