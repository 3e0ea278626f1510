#include "iconhelper.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QLabel>
#include <QMutex>
#include <QMutexLocker>

namespace {
QMutex g_instanceLock;
IconHelper *g_instance = nullptr;
} // namespace

IconHelper *IconHelper::instance()
{
    QMutexLocker locker(&g_instanceLock);
    if (!g_instance)
        g_instance = new IconHelper; // lives until the process ends
    return g_instance;
}

IconHelper::IconHelper()
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/images/fontawesome-webfont.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) {
        m_family = families.first();
        m_font = QFont(m_family);
    }
}

// When the icon font could not be registered the widget keeps its own font: the glyph then
// shows as whatever that font has at the code point (usually an empty box), but the text is
// still set so the widget's content stays the same either way.
void IconHelper::setIcon(QLabel *label, QChar glyph, int pointSize)
{
    if (!m_family.isEmpty()) {
        m_font.setPointSize(pointSize);
        label->setFont(m_font);
    }
    label->setText(QString(glyph));
}

void IconHelper::setIcon(QAbstractButton *button, QChar glyph, int pointSize)
{
    if (!m_family.isEmpty()) {
        m_font.setPointSize(pointSize);
        button->setFont(m_font);
    }
    button->setText(QString(glyph));
}
