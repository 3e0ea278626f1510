#include "app/startup.h"

#include "platform/platformpaths.h"
#include "uikit/dialogs.h"
#include "uikit/stylesheet.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>

namespace app {

namespace {
const char *const kChineseFamily = "Noto Sans CJK SC";

void showFolderError()
{
    uikit::showError(QCoreApplication::translate("MainWindow2", "创建目录失败！"));
}
} // namespace

void setUpChineseFonts(QApplication &application)
{
#ifdef Q_OS_WIN
    Q_UNUSED(application)
#else
    const QString family = QString::fromLatin1(kChineseFamily);
    QFont::insertSubstitution(QStringLiteral("Microsoft YaHei"), family);
    QFont::insertSubstitution(QStringLiteral("微软雅黑"), family);
    if (QFontDatabase().families().contains(family)) {
        QFont font = application.font();
        font.setFamily(family);
        application.setFont(font);
    }
#endif
}

void applyGlobalLook(QApplication &application)
{
    application.setStyleSheet(uikit::loadStyleSheet(platform::programDir()));
    application.setPalette(QPalette(QColor(QStringLiteral("#F0F0F0"))));
    setUpChineseFonts(application);
}

QSize fixedWindowSize(const QSize &available)
{
    const int width = qMin(available.width(), 1920);
    const int height = qMin(available.height(), 1080);
    if (width < height)
        return QSize(height, width);
    return QSize(width, height);
}

void createLocalFolders()
{
    // The root's parent is a drive root on Windows; elsewhere it is a data folder that a
    // fresh home may not have yet, so the root is created with its parents.
    const QString root = platform::zevRoot();
    if (!QDir(root).exists() && !QDir().mkpath(root))
        showFolderError();
    const QString modals = platform::modalsRoot();
    if (!QDir(modals).exists() && !QDir().mkpath(modals))
        showFolderError();
    if (!QDir(platform::modalGroupDir(1)).exists()) {
        for (int group = 1; group <= 4; ++group)
            QDir().mkpath(platform::modalGroupDir(group));
    }
}

} // namespace app
