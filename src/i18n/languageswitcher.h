#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTranslator>

class QAction;
class QMenu;
class QWidget;
class Transport;
struct SessionValues;

namespace i18n {

// Switches the running console between its languages. A switch, in order: stores the
// choice as the registry value "Language"; tells a controller of device family 0 with
// "SetLanguage" (only during a session; a refusal is shown and the switch goes on); checks
// the language's menu entry; loads the application catalogue into the application's
// translator and installs it, then the Qt catalogue (which may be missing: Qt's own texts
// are English); and announces languageChanged(), upon which every form that lives on
// retranslates itself. A catalogue that cannot be loaded shows "加载语言包失败！" and leaves
// both translators as they were, so everything keeps the language it had.
//
// Both translators are reloaded in place; they belong to the switcher and leave the
// application with it.
class LanguageSwitcher : public QObject
{
    Q_OBJECT
public:
    // `window` gets the wait cursor while "SetLanguage" waits.
    LanguageSwitcher(Transport *transport, SessionValues *session, QWidget *window,
                     QObject *parent = nullptr);
    ~LanguageSwitcher() override;

    // Puts the three entries into `menu` ("简体中文", "English", "繁體中文": checkable, their
    // texts never translated), the entry of the language in use checked; the switcher
    // checks them from then on.
    void fillMenu(QMenu *menu);

    // The switch to the language of `code` (0 English, 1 Simplified, 2 Traditional Chinese).
    // False when the catalogue could not be loaded or a later choice overtook this one
    // while "SetLanguage" waited.
    bool switchTo(int code);
    void onChinese();
    void onEnglish();
    void onFanti();
    // "SetLanguage" with the code, while a session is open; nothing otherwise.
    void sendLanguage(int code);

    // The language of the last choice, else the one the console starts in (see
    // startupLanguage()), else English.
    int languageIndex() const { return m_languageIndex; }
    // The language whose catalogues are installed; -1 while the source texts show.
    int current() const { return m_current; }
    // Switches to the stored choice, if there is one (typename.ini is read from
    // `typeNameDir`); true when the console now shows that language.
    bool restoreStoredChoice(const QString &typeNameDir);

    // Where the catalogues are loaded from (":/" unless a test says otherwise).
    void setCatalogueDirectory(const QString &directory) { m_directory = directory; }
    QString catalogueDirectory() const { return m_directory; }
    QTranslator &appTranslator() { return m_appTranslator; }
    QTranslator &qtTranslator() { return m_qtTranslator; }

signals:
    // The catalogues of `code` are installed: forms, panels and menus take the new texts.
    void languageChanged(int code);

private:
    void markChoice(int code);
    bool installCatalogues(int code);

    Transport *m_transport;
    SessionValues *m_session;
    QPointer<QWidget> m_window;
    QPointer<QMenu> m_menu;
    QTranslator m_appTranslator;
    QTranslator m_qtTranslator;
    QString m_directory = QStringLiteral(":/");
    int m_languageIndex = 0;
    int m_current = -1;
    // Counts the switches: one that waited for the controller gives way to a later one.
    quint64 m_switches = 0;
};

} // namespace i18n
