#include "testmain.h"

#include "pelmoraresources.h"
#include "platform/platformpaths.h"
#include "uikit/dialogs.h"

#include <QStandardPaths>
#include <QTemporaryDir>

namespace pelmora::test {

namespace {
QStringList g_warnings;
}

void prepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir home;
    platform::setOverrideRoot(home.path());
    QStandardPaths::setTestModeEnabled(true);
}

void initApplication(QApplication &app)
{
    pelmora::initResources();
    app.setApplicationName(QStringLiteral("Pelmora"));
    app.setOrganizationName(QStringLiteral("Strovane"));
    uikit::Dialogs::setTestMode(true);
}

static void collect(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg)
        g_warnings.append(message);
    Q_UNUSED(context)
    fprintf(stderr, "%s\n", qPrintable(message));
}

WarningCatcher::WarningCatcher() : m_previous(qInstallMessageHandler(collect))
{
    g_warnings.clear();
}

WarningCatcher::~WarningCatcher()
{
    qInstallMessageHandler(m_previous);
}

QStringList WarningCatcher::warnings() const
{
    return g_warnings;
}

bool WarningCatcher::contains(const QString &fragment) const
{
    for (const QString &w : g_warnings) {
        if (w.contains(fragment))
            return true;
    }
    return false;
}

} // namespace pelmora::test
