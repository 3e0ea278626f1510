#pragma once

#include "library/catalogue.h"

#include <QJsonObject>
#include <QString>
#include <functional>

// What adding and removing resources needs to know per category: the controller's resource
// type, the add dialog's type, the upload folder and the file chooser's texts.
namespace library {

struct ResourceTypeSpec
{
    Category category;
    const char *resType; // "ResType" of AddResource and DelResource
    int dialogType;      // type of DialogAddResource
    const char *folder;  // upload folder; empty for typed addresses (web pages, net video)
    const char *filter;  // file chooser filter (translation context "DialogAddResource")
    const char *title;   // file chooser title
};

// The row of a category that takes resources; null for scene, USB and caption.
const ResourceTypeSpec *resourceTypeOf(Category category);
// The first checked category that takes resources, tested in the order web, network video,
// picture, video, Office, other, music; null when none of them is checked.
const ResourceTypeSpec *checkedResourceType(const std::function<bool(Category)> &isChecked);
// The row of a dialog type (0, 1, 2, 3, 4, 5, 12); null for any other.
const ResourceTypeSpec *resourceTypeOfDialog(int dialogType);

bool needsUpload(const ResourceTypeSpec &row);

// "AddResource": "ResType"; for web pages, "UserName" and "Password" only when both are
// non-empty; "ResName", "ResPath", "Command".
QJsonObject addResourceRequest(const ResourceTypeSpec &row, const QString &name, const QString &path,
                               const QString &userName, const QString &password);
// "DelResource": "Command", "ResName", "ResType".
QJsonObject delResourceRequest(const ResourceTypeSpec &row, const QString &name);

} // namespace library
