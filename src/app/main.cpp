#include "app/mainwindow2.h"
#include "app/startup.h"
#include "pelmoraresources.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelmora"));
    QApplication::setOrganizationName(QStringLiteral("Strovane"));
    pelmora::initResources();
    app::applyGlobalLook(application);

    MainWindow2 window;
    window.show();
    window.installCanvas();
    return application.exec();
}
