// Draws every built-in picture of the console and writes the resource list.
//
//   pelmora-drawimages <resources-dir>
//       (re)writes <resources-dir>/images/** and <resources-dir>/images.qrc
//   pelmora-drawimages --contact-sheet <resources-dir> <out.png>
//       lays all pictures found on disk out on the menu blue, with their names
//   pelmora-drawimages --preview <resources-dir> <out.png>
//       renders a stand-in of the main window and a dialog with the style sheet
//   pelmora-drawimages --app-icons <dir>
//       (re)writes the application icon: <dir>/pelmora-<N>.png for each hicolor size N and
//       <dir>/pelmora.svg (the install rules give them the application's id as name)
//
// Run it with QT_QPA_PLATFORM=offscreen; resources/tools/regenerate.sh does both steps.

#include "mark.h"
#include "paintkit.h"
#include "pictures.h"
#include "preview.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>
#include <iterator>

using namespace drawimages;

namespace {

const char *const kStyleSheet = "images/guiColor-new.css";

void fail(const QString &message)
{
    std::fprintf(stderr, "pelmora-drawimages: %s\n", qPrintable(message));
    std::exit(1);
}

bool hasTransparency(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return false;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return true;
        }
    }
    return false;
}

void writePicture(const QString &root, const QString &path, const QImage &image)
{
    const QString file = root + QLatin1Char('/') + path;
    QDir().mkpath(QFileInfo(file).path());
    QImageWriter writer(file);
    if (path.endsWith(QLatin1String(".jpg"))) {
        writer.setFormat("jpeg");
        writer.setQuality(92);
        if (!writer.write(image.convertToFormat(QImage::Format_RGB32)))
            fail(QStringLiteral("cannot write %1: %2").arg(file, writer.errorString()));
        return;
    }
    writer.setFormat("png");
    writer.setQuality(0); // strongest compression
    const QImage out = hasTransparency(image) ? image.convertToFormat(QImage::Format_ARGB32)
                                              : image.convertToFormat(QImage::Format_RGB32);
    if (!writer.write(out))
        fail(QStringLiteral("cannot write %1: %2").arg(file, writer.errorString()));
}

// Pictures of earlier runs: the generator owns every PNG and JPEG below images/.
void removeOldPictures(const QString &root)
{
    QDirIterator it(root + QStringLiteral("/images"), {QStringLiteral("*.png"), QStringLiteral("*.jpg")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        QFile::remove(it.next());
}

void writeQrc(const QString &root, QStringList paths)
{
    if (QFile::exists(root + QLatin1Char('/') + QLatin1String(kStyleSheet)))
        paths << QLatin1String(kStyleSheet);
    paths.sort();
    QSaveFile file(root + QStringLiteral("/images.qrc"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        fail(QStringLiteral("cannot write images.qrc"));
    QTextStream out(&file);
    out << "<!-- Written by resources/tools/regenerate.sh: pictures drawn by pelmora-drawimages and the\n"
           "     built-in style sheet. The icon font comes in through fonts.qrc. -->\n"
        << "<RCC>\n  <qresource prefix=\"/\">\n";
    for (const QString &p : qAsConst(paths))
        out << "    <file>" << p << "</file>\n";
    out << "  </qresource>\n</RCC>\n";
    out.flush();
    if (!file.commit())
        fail(QStringLiteral("cannot write images.qrc"));
}

int generate(const QString &root)
{
    removeOldPictures(root);
    QStringList paths;
    qint64 total = 0;
    drawAll([&](const QString &path, const QImage &image) {
        if (paths.contains(path))
            fail(QStringLiteral("%1 drawn twice").arg(path));
        writePicture(root, path, image);
        paths << path;
        total += QFileInfo(root + QLatin1Char('/') + path).size();
    });
    writeQrc(root, paths);
    std::printf("%d pictures, %lld bytes, images.qrc written\n", int(paths.size()),
                static_cast<long long>(total));
    return 0;
}

int contactSheet(const QString &root, const QString &out)
{
    QStringList paths;
    drawAll([&](const QString &path, const QImage &) { paths << path; });
    const int cellW = 176, cellH = 168, columns = 8;
    const int rows = (int(paths.size()) + columns - 1) / columns;
    QImage sheet(columns * cellW + 16, rows * cellH + 16, QImage::Format_RGB32);
    sheet.fill(theme::menuBlue);
    QPainter p(&sheet);
    prepare(p);
    for (int i = 0; i < paths.size(); ++i) {
        const QImage image(root + QLatin1Char('/') + paths.at(i));
        if (image.isNull())
            fail(QStringLiteral("%1 does not load").arg(paths.at(i)));
        const QRect cell(8 + (i % columns) * cellW, 8 + (i / columns) * cellH, cellW, cellH);
        const QSize shown = image.size().boundedTo(QSize(160, 120)) == image.size()
                                ? image.size()
                                : image.size().scaled(160, 120, Qt::KeepAspectRatio);
        const QRect target(cell.x() + (cellW - shown.width()) / 2, cell.y() + 8 + (120 - shown.height()) / 2,
                           shown.width(), shown.height());
        p.setPen(QColor(255, 255, 255, 40));
        p.setBrush(Qt::NoBrush);
        p.drawRect(target.adjusted(-1, -1, 0, 0));
        p.drawImage(target, image);
        QString name = QFileInfo(paths.at(i)).fileName();
        if (image.size() != shown)
            name += QStringLiteral(" (scaled)");
        p.setFont(labelFont(11, false));
        p.setPen(QColor(225, 235, 242));
        p.drawText(QRect(cell.x(), cell.y() + 132, cellW, 16), Qt::AlignCenter, name);
        p.setPen(QColor(150, 190, 215));
        p.drawText(QRect(cell.x(), cell.y() + 147, cellW, 14), Qt::AlignCenter,
                   QStringLiteral("%1 x %2").arg(image.width()).arg(image.height()));
    }
    p.end();
    if (!sheet.save(out))
        fail(QStringLiteral("cannot write %1").arg(out));
    std::printf("contact sheet of %d pictures: %s\n", int(paths.size()), qPrintable(out));
    return 0;
}

int appIcons(const QString &dir)
{
    if (!QDir().mkpath(dir))
        fail(QStringLiteral("cannot create %1").arg(dir));
    for (const int size : kAppIconSizes)
        writePicture(dir, QStringLiteral("pelmora-%1.png").arg(size), markPicture(size));
    QSaveFile svg(dir + QStringLiteral("/pelmora.svg"));
    if (!svg.open(QIODevice::WriteOnly) || svg.write(markSvg().toUtf8()) < 0 || !svg.commit())
        fail(QStringLiteral("cannot write %1/pelmora.svg").arg(dir));
    std::printf("application icon: %d sizes and pelmora.svg in %s\n", int(std::size(kAppIconSizes)),
                qPrintable(dir));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && !args.first().startsWith(QLatin1Char('-')))
        return generate(args.at(0));
    if (args.size() == 3 && args.at(0) == QLatin1String("--contact-sheet"))
        return contactSheet(args.at(1), args.at(2));
    if (args.size() == 3 && args.at(0) == QLatin1String("--preview"))
        return renderPreview(args.at(1), args.at(2)) ? 0 : 1;
    if (args.size() == 2 && args.at(0) == QLatin1String("--app-icons"))
        return appIcons(args.at(1));
    std::fprintf(stderr, "usage: pelmora-drawimages <resources-dir>\n"
                         "       pelmora-drawimages --contact-sheet <resources-dir> <out.png>\n"
                         "       pelmora-drawimages --preview <resources-dir> <out.png>\n"
                         "       pelmora-drawimages --app-icons <dir>\n");
    return 2;
}
