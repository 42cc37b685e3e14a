// Draws the toolbar and button icons of the main window into
// resources/res/images. Not part of the build: run it by hand when an icon
// changes, then commit the pictures.
//
//   g++ -std=c++17 -fPIC drawicons.cpp $(pkg-config --cflags --libs Qt5Gui) -o /tmp/drawicons
//   QT_QPA_PLATFORM=offscreen /tmp/drawicons ../res/images
//
// ".ico" files hold one 32 x 32 PNG picture in an icon container.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cstdio>
#include <functional>

namespace {

const int kSize = 32;

QByteArray pngOf(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// An icon file with one PNG entry.
QByteArray icoOf(const QImage& image)
{
    const QByteArray png = pngOf(image);
    QByteArray ico;
    auto put16 = [&ico](quint16 v) { char b[2]; qToLittleEndian(v, b); ico.append(b, 2); };
    auto put32 = [&ico](quint32 v) { char b[4]; qToLittleEndian(v, b); ico.append(b, 4); };
    put16(0);      // reserved
    put16(1);      // icon
    put16(1);      // one picture
    ico.append(char(image.width() % 256));
    ico.append(char(image.height() % 256));
    ico.append(char(0)); // no palette
    ico.append(char(0));
    put16(1);      // planes
    put16(32);     // bits per pixel
    put32(quint32(png.size()));
    put32(6 + 16); // data offset
    ico.append(png);
    return ico;
}

QImage draw(const std::function<void(QPainter&)>& paint)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return image;
}

void page(QPainter& p, const QColor& fill)
{
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(20, 3);
    path.lineTo(26, 9);
    path.lineTo(26, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.setPen(QPen(QColor(60, 70, 90), 1.5));
    p.setBrush(fill);
    p.drawPath(path);
    p.drawLine(QPointF(20, 3), QPointF(20, 9));
    p.drawLine(QPointF(20, 9), QPointF(26, 9));
}

void lines(QPainter& p, int from, int to, const QColor& colour)
{
    p.setPen(QPen(colour, 1.5));
    for (int y = from; y <= to; y += 4)
        p.drawLine(QPointF(10, y), QPointF(23, y));
}

struct IconDrawing
{
    const char* file;
    std::function<void(QPainter&)> paint;
};

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const QColor ink(40, 60, 110);

    const IconDrawing icons[] = {
        {"icon_blank.ico", [&](QPainter& p) { page(p, Qt::white); }},
        {"icon_book.ico",
         [&](QPainter& p) {
             p.setPen(QPen(ink, 1.5));
             p.setBrush(QColor(70, 120, 200));
             p.drawRoundedRect(QRectF(6, 4, 20, 25), 2, 2);
             p.setBrush(QColor(250, 245, 230));
             p.drawRect(QRectF(9, 24, 17, 4));
             p.setPen(QPen(Qt::white, 2));
             p.drawLine(QPointF(12, 10), QPointF(22, 10));
         }},
        {"import_120157.ico",
         [&](QPainter& p) {
             page(p, QColor(235, 245, 255));
             p.setPen(QPen(QColor(30, 140, 60), 3, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(2, 17), QPointF(15, 17));
             p.drawLine(QPointF(10, 12), QPointF(15, 17));
             p.drawLine(QPointF(10, 22), QPointF(15, 17));
         }},
        {"icon_find.png",
         [&](QPainter& p) {
             p.setPen(QPen(ink, 3));
             p.setBrush(QColor(200, 230, 255));
             p.drawEllipse(QPointF(13, 13), 8, 8);
             p.setPen(QPen(QColor(120, 80, 40), 4, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(19, 19), QPointF(28, 28));
         }},
        {"icon_disk.ico",
         [&](QPainter& p) {
             p.setPen(QPen(ink, 1.5));
             p.setBrush(QColor(60, 90, 170));
             p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
             p.setBrush(Qt::white);
             p.drawRect(QRectF(9, 4, 14, 9));
             p.setBrush(QColor(200, 200, 210));
             p.drawRect(QRectF(8, 18, 16, 10));
         }},
        {"icon_close.ico",
         [&](QPainter& p) {
             p.setPen(QPen(QColor(150, 30, 30), 1.5));
             p.setBrush(QColor(220, 60, 50));
             p.drawEllipse(QPointF(16, 16), 12, 12);
             p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap));
             p.drawLine(QPointF(11, 11), QPointF(21, 21));
             p.drawLine(QPointF(21, 11), QPointF(11, 21));
         }},
        {"icon_view.ico",
         [&](QPainter& p) {
             p.setPen(QPen(ink, 1.5));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(3, 6, 26, 20));
             p.setBrush(QColor(90, 140, 210));
             p.drawRect(QRectF(3, 6, 26, 4));
             p.setBrush(QColor(210, 225, 245));
             p.drawRect(QRectF(3, 10, 8, 16));
         }},
        {"bulb.png",
         [&](QPainter& p) {
             p.setPen(QPen(QColor(150, 110, 0), 1.5));
             p.setBrush(QColor(255, 215, 40));
             p.drawEllipse(QPointF(16, 13), 9, 9);
             p.setBrush(QColor(170, 170, 170));
             p.drawRect(QRectF(12, 21, 8, 7));
             p.drawLine(QPointF(12, 24), QPointF(20, 24));
         }},
        {"icon_table.ico",
         [&](QPainter& p) {
             p.setPen(QPen(ink, 1.5));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(4, 5, 24, 22));
             p.setBrush(QColor(120, 170, 230));
             p.drawRect(QRectF(4, 5, 24, 6));
             for (int y = 17; y < 27; y += 5)
                 p.drawLine(QPointF(4, y), QPointF(28, y));
             p.drawLine(QPointF(14, 11), QPointF(14, 27));
         }},
        {"icon_validate.ico",
         [&](QPainter& p) {
             page(p, Qt::white);
             lines(p, 9, 17, QColor(150, 160, 180));
             p.setPen(QPen(QColor(20, 150, 50), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
             p.drawPolyline(QPolygonF({QPointF(10, 21), QPointF(15, 26), QPointF(28, 12)}));
         }},
        {"icon_atom.ico",
         [&](QPainter& p) {
             p.setBrush(Qt::NoBrush);
             p.setPen(QPen(QColor(40, 110, 200), 1.8));
             for (int angle : {0, 60, 120}) {
                 p.save();
                 p.translate(16, 16);
                 p.rotate(angle);
                 p.drawEllipse(QPointF(0, 0), 13, 5);
                 p.restore();
             }
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(220, 60, 50));
             p.drawEllipse(QPointF(16, 16), 3.5, 3.5);
         }},
        {"icon_printer.ico",
         [&](QPainter& p) {
             p.setPen(QPen(ink, 1.5));
             p.setBrush(Qt::white);
             p.drawRect(QRectF(9, 3, 14, 10));
             p.setBrush(QColor(110, 120, 135));
             p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
             p.setBrush(Qt::white);
             p.drawRect(QRectF(9, 19, 14, 10));
             lines(p, 22, 26, QColor(150, 160, 180));
         }},
        {"icon_setting.ico",
         [&](QPainter& p) {
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(110, 120, 135));
             p.translate(16, 16);
             for (int i = 0; i < 8; ++i) {
                 p.drawRect(QRectF(-2.5, -14, 5, 8));
                 p.rotate(45);
             }
             p.drawEllipse(QPointF(0, 0), 10, 10);
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(0, 0), 4, 4);
         }},
        {"info.png",
         [&](QPainter& p) {
             p.setPen(QPen(QColor(20, 70, 150), 1.5));
             p.setBrush(QColor(50, 120, 220));
             p.drawEllipse(QPointF(16, 16), 13, 13);
             p.setPen(Qt::NoPen);
             p.setBrush(Qt::white);
             p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
             p.drawRoundedRect(QRectF(14, 13.5, 4, 11), 1.5, 1.5);
         }},
    };

    int failures = 0;
    for (const IconDrawing& icon : icons) {
        const QImage image = draw(icon.paint);
        const QString name = QString::fromLatin1(icon.file);
        const QByteArray bytes = name.endsWith(QLatin1String(".ico")) ? icoOf(image) : pngOf(image);
        QFile file(out.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
