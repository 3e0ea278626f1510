#include "matrixscreen.h"

#include <QLayout>

MatrixScreen::MatrixScreen(QWidget *parent) : QFrame(parent) {}

MatrixScreen::~MatrixScreen()
{
    clearDisplays();
}

void MatrixScreen::showDisplays(bool show)
{
    for (QWidget *display : qAsConst(m_displays))
        display->setVisible(show);
}

void MatrixScreen::clearDisplays()
{
    if (QLayout *grid = layout()) {
        for (QWidget *display : qAsConst(m_displays))
            grid->removeWidget(display);
        delete grid;
    }
    qDeleteAll(m_displays);
    m_displays.clear();
}

// Routing a source to an output, naming an output and switching its audio are not offered
// by this console: the tiles that would ask for them are never created.
void MatrixScreen::onDisplayPressed(QString portName)
{
    Q_UNUSED(portName)
}

void MatrixScreen::onDisplayDroped(int portId, int videoId)
{
    emit onMatrixCtrl(portId, videoId);
}

void MatrixScreen::onSetDisplayName(int portId, QString name)
{
    emit onSetDisplayNameS(portId, name);
}

void MatrixScreen::on_audioCtrl(int portId, bool audioOn)
{
    emit onAudioCtrl(portId, audioOn);
}
