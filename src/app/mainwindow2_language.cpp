// The language switch as the main window takes part in it: the menu of btnLanguage and what
// is retranslated once a language's catalogues are installed.
#include "app/connectionflow.h"
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "app/titlebarmenu.h"
#include "control/formcaption.h"
#include "control/mediapanel.h"
#include "i18n/languages.h"
#include "i18n/languageswitcher.h"
#include "library/librarypanel.h"
#include "scenes/formautoswitch.h"
#include "uikit/nestedwait.h"
#include "wall/screengroups.h"

#include <QMenu>
#include <QPushButton>

void MainWindow2::buildLanguageMenu()
{
    uikit::retire(ui->btnLanguage->menu());
    auto *menu = new QMenu(ui->btnLanguage);
    menu->setObjectName(QStringLiteral("languageMenu"));
    app::applyTitleBarMenuStyle(menu);
    m_languages->fillMenu(menu);
    ui->btnLanguage->setMenu(menu);
}

void MainWindow2::onChinese()
{
    m_languages->switchTo(i18n::kChinese);
}

void MainWindow2::onEnglish()
{
    m_languages->switchTo(i18n::kEnglish);
}

void MainWindow2::onFanti()
{
    m_languages->switchTo(i18n::kTraditional);
}

void MainWindow2::retranslateForms()
{
    ui->retranslateUi(this);
    // The form's texts include places the controller fills: the screen groups' names, the
    // zoom, the selected window's time or interval.
    m_screens->retranslate();
    m_media->retranslate();
    ui->captionList->retranslateUi();
    ui->autoSwitch->retranslateUi();
    refreshMenus();
}

void MainWindow2::refreshMenus()
{
    buildHostMenu();
    buildSettingsMenu();
    m_library->reselectCategory();
}
