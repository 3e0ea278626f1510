#include "i18n/languageswitcher.h"

#include "i18n/languages.h"
#include "net/operation.h"
#include "net/sessionvalues.h"
#include "net/transport.h"
#include "platform/platformpaths.h"
#include "uikit/messagesink.h"

#include <QAction>
#include <QCoreApplication>
#include <QJsonObject>
#include <QMenu>
#include <QSettings>
#include <QWidget>

// The compiled catalogues live in a static library: their resources are registered here,
// outside any namespace, before the first switch looks for them.
static void registerCatalogues()
{
    Q_INIT_RESOURCE(catalogues);
}

namespace i18n {

namespace {
const char *const kCodeProperty = "languageCode";
} // namespace

LanguageSwitcher::LanguageSwitcher(Transport *transport, SessionValues *session, QWidget *window,
                                   QObject *parent)
    : QObject(parent), m_transport(transport), m_session(session), m_window(window)
{
    registerCatalogues();
    m_languageIndex = startupLanguage(platform::programDir()).value_or(kEnglish);
}

LanguageSwitcher::~LanguageSwitcher()
{
    QCoreApplication::removeTranslator(&m_qtTranslator);
    QCoreApplication::removeTranslator(&m_appTranslator);
}

void LanguageSwitcher::fillMenu(QMenu *menu)
{
    m_menu = menu;
    for (int code : menuOrder()) {
        const LanguageRow *row = languageRow(code);
        QAction *action = menu->addAction(QString::fromUtf8(row->menuText));
        action->setCheckable(true);
        action->setChecked(code == m_current);
        action->setProperty(kCodeProperty, code);
        action->setObjectName(QString::fromLatin1(row->appCatalogue).section(QLatin1Char('.'), 0, 0));
        if (code == kChinese)
            connect(action, &QAction::triggered, this, &LanguageSwitcher::onChinese);
        else if (code == kEnglish)
            connect(action, &QAction::triggered, this, &LanguageSwitcher::onEnglish);
        else
            connect(action, &QAction::triggered, this, &LanguageSwitcher::onFanti);
    }
}

void LanguageSwitcher::onChinese()
{
    switchTo(kChinese);
}

void LanguageSwitcher::onEnglish()
{
    switchTo(kEnglish);
}

void LanguageSwitcher::onFanti()
{
    switchTo(kTraditional);
}

bool LanguageSwitcher::switchTo(int code)
{
    if (!languageRow(code))
        return false;
    const quint64 switchNumber = ++m_switches;
    m_languageIndex = code;
    platform::lastConnectSettings()->setValue(QStringLiteral("Language"), code);

    if (m_session->family == 0) {
        QPointer<LanguageSwitcher> self(this);
        sendLanguage(code);
        // The operator may have chosen again, or closed the console, while it waited.
        if (!self || switchNumber != m_switches)
            return false;
    }

    markChoice(code);
    if (!installCatalogues(code))
        return false;
    m_current = code;
    emit languageChanged(code);
    return true;
}

void LanguageSwitcher::sendLanguage(int code)
{
    if (!m_session->loggedIn)
        return;
    net::Operation operation(m_window, *m_session);
    const QJsonObject request{{QStringLiteral("Command"), QStringLiteral("SetLanguage")},
                              {QStringLiteral("Language"), code}};
    m_transport->postCommand(request, QStringLiteral("SetLanguage"));
}

void LanguageSwitcher::markChoice(int code)
{
    if (!m_menu)
        return;
    const QList<QAction *> actions = m_menu->actions();
    for (QAction *action : actions)
        action->setChecked(action->property(kCodeProperty).toInt() == code);
}

bool LanguageSwitcher::installCatalogues(int code)
{
    const LanguageRow *row = languageRow(code);
    const QString appCatalogue = QString::fromLatin1(row->appCatalogue);
    // Loading clears a translator first: the catalogue is tried on a spare one, so that a
    // broken catalogue leaves the language in use whole.
    {
        QTranslator probe;
        if (!probe.load(appCatalogue, m_directory)) {
            m_transport->boxes().showError(QCoreApplication::translate("MainWindow2", "加载语言包失败！"));
            return false;
        }
    }
    QCoreApplication::removeTranslator(&m_appTranslator);
    QCoreApplication::removeTranslator(&m_qtTranslator);
    if (m_appTranslator.load(appCatalogue, m_directory))
        QCoreApplication::installTranslator(&m_appTranslator);
    // There is no catalogue of Qt's own texts for English: they are written in it, and the
    // translator stays empty.
    if (m_qtTranslator.load(QString::fromLatin1(row->qtCatalogue), m_directory))
        QCoreApplication::installTranslator(&m_qtTranslator);
    return true;
}

bool LanguageSwitcher::restoreStoredChoice(const QString &typeNameDir)
{
    const std::optional<int> stored = startupLanguage(typeNameDir);
    if (!stored)
        return false;
    return switchTo(*stored);
}

} // namespace i18n
