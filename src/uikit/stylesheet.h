#pragma once

#include <QString>

namespace uikit {

// The application's style sheet: "guiColor-new.css" in `programDir` when that file can be
// opened, else the built-in ":/images/guiColor-new.css" (empty when that is missing too).
// The text is decoded as Latin-1.
QString loadStyleSheet(const QString &programDir);

} // namespace uikit
