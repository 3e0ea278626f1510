#pragma once

#include <QFont>
#include <QString>

class QLabel;
class QAbstractButton;

// Puts glyphs of the built-in icon font (":/images/fontawesome-webfont.ttf") on labels and
// buttons. One instance for the whole process, created on first use.
class IconHelper
{
public:
    static IconHelper *instance();

    void setIcon(QLabel *label, QChar glyph, int pointSize = 10);
    void setIcon(QAbstractButton *button, QChar glyph, int pointSize = 10);

    // The first family the font registration yielded; empty when it failed.
    QString family() const { return m_family; }

private:
    IconHelper();
    QFont m_font;
    QString m_family;
};
