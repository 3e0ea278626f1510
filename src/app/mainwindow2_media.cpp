// The media panel's entry points of MainWindow2: each form slot hands over to the panel.
#include "app/mainwindow2.h"
#include "app/mainwindow2_form.h"
#include "control/mediapanel.h"

#include <QPushButton>

void MainWindow2::on_btnPrev_clicked()
{
    m_media->on_btnPrev_clicked();
}

void MainWindow2::on_btnNext_clicked()
{
    m_media->on_btnNext_clicked();
}

void MainWindow2::on_btnPlay_clicked()
{
    m_media->on_btnPlay_clicked();
}

void MainWindow2::on_btnAudioMute_clicked()
{
    m_media->on_btnAudioMute_clicked();
}

void MainWindow2::on_sliderVolume_valueChanged(int value)
{
    m_media->on_sliderVolume_valueChanged(value);
}

void MainWindow2::on_sliderVideoTime_sliderPressed()
{
    m_media->on_sliderVideoTime_sliderPressed();
}

void MainWindow2::on_sliderVideoTime_sliderReleased()
{
    m_media->on_sliderVideoTime_sliderReleased();
}

void MainWindow2::on_sliderVideoTime_valueChanged(int value)
{
    m_media->on_sliderVideoTime_valueChanged(value);
}

void MainWindow2::on_btnExpand_clicked()
{
    m_media->on_btnExpand_clicked();
}

void MainWindow2::on_btnRestore_clicked()
{
    m_media->on_btnRestore_clicked();
}

void MainWindow2::on_btnZoomIn_clicked()
{
    m_media->on_btnZoomIn_clicked();
}

void MainWindow2::on_btnZoomOut_clicked()
{
    m_media->on_btnZoomOut_clicked();
}

void MainWindow2::on_btnPageUp_clicked()
{
    m_media->on_btnPageUp_clicked();
}

void MainWindow2::on_btnPageDown_clicked()
{
    m_media->on_btnPageDown_clicked();
}

void MainWindow2::on_btnPageUp_pressed()
{
    m_media->padPressed(ui->btnPageUp);
}

void MainWindow2::on_btnPageUp_released()
{
    m_media->padReleased();
}

void MainWindow2::on_btnPrev_pressed()
{
    m_media->padPressed(ui->btnPrev);
}

void MainWindow2::on_btnPrev_released()
{
    m_media->padReleased();
}

void MainWindow2::on_btnPlay_pressed()
{
    m_media->padPressed(ui->btnPlay);
}

void MainWindow2::on_btnPlay_released()
{
    m_media->padReleased();
}

void MainWindow2::on_btnNext_pressed()
{
    m_media->padPressed(ui->btnNext);
}

void MainWindow2::on_btnNext_released()
{
    m_media->padReleased();
}

void MainWindow2::on_btnPageDown_pressed()
{
    m_media->padPressed(ui->btnPageDown);
}

void MainWindow2::on_btnPageDown_released()
{
    m_media->padReleased();
}
