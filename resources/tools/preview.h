#pragma once

#include <QString>

namespace drawimages {

// Builds stand-ins of the main window and of a message box with the object names the
// style sheet expects, applies <resources-dir>/images/guiColor-new.css (its ":/images/"
// paths read from disk) and saves a screenshot of both to `out`.
bool renderPreview(const QString &resourcesDir, const QString &out);

} // namespace drawimages
