#pragma once

// Small builders shared by the parts of the main window's form.

#include "app/glyphicon.h"

#include <QFrame>
#include <QPushButton>
#include <QSlider>

namespace app::form {

template<typename T>
T *make(QWidget *parent, const char *name)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QFrame *makeFrame(QWidget *parent, const char *name)
{
    QFrame *frame = make<QFrame>(parent, name);
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

// A square button showing one glyph of the icon font.
inline QPushButton *makeGlyphButton(QWidget *parent, const char *name, char16_t glyph, int side = 40,
                                    int glyphSize = 22)
{
    QPushButton *button = make<QPushButton>(parent, name);
    button->setIcon(glyphIcon(QChar(glyph), glyphSize));
    button->setIconSize(QSize(glyphSize, glyphSize));
    button->setFixedSize(side, side);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

inline QSlider *makeSlider(QWidget *parent, const char *name, int value)
{
    QSlider *slider = make<QSlider>(parent, name);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->setValue(value);
    slider->setFocusPolicy(Qt::NoFocus);
    return slider;
}

} // namespace app::form
