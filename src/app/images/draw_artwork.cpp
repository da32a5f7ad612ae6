// Draws the main window's pictures into the folder given as the argument (default: the
// working folder): logo.png (210 x 55, opaque), promo.png (588 x 82, opaque),
// down_arrow.png (16 x 16 with alpha) and the program icon tarvello-icon-<size>.png at the sizes
// the desktop's icon theme asks for (with alpha, drawn as tarvello-icon.svg is). Build target
// tarvello_draw_artwork, run by hand, and commit the pictures; the program itself is not shipped.
//   QT_QPA_PLATFORM=offscreen build/src/app/tarvello_draw_artwork src/app/images
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

const QColor kSilver(192, 192, 192);
const QColor kDeepGreen(16, 62, 46);
const QColor kGreen(32, 136, 95);
const QColor kLightGreen(47, 167, 122);
const QColor kAmber(255, 211, 92);

QFont Sans(int pixels, bool bold = false) {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A switch port seen from the front: a socket with a latch notch.
void DrawPort(QPainter& painter, QRectF rect, const QColor& face, const QColor& edge) {
  painter.setPen(QPen(edge, 1));
  painter.setBrush(face);
  painter.drawRoundedRect(rect, 1.5, 1.5);
  const QRectF notch(rect.center().x() - rect.width() / 6, rect.bottom() - rect.height() / 3,
                     rect.width() / 3, rect.height() / 3);
  painter.fillRect(notch, edge);
}

QImage Logo() {
  QImage image(210, 55, QImage::Format_RGB32);
  image.fill(kSilver);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  // Badge: one port's traffic copied to a second port.
  QLinearGradient badge(0, 5, 0, 50);
  badge.setColorAt(0, kLightGreen);
  badge.setColorAt(1, kDeepGreen);
  painter.setPen(QPen(kDeepGreen.darker(130), 1));
  painter.setBrush(badge);
  painter.drawRoundedRect(QRectF(4.5, 5.5, 44, 44), 9, 9);
  DrawPort(painter, QRectF(11, 13, 14, 11), Qt::white, kDeepGreen);
  DrawPort(painter, QRectF(28, 31, 14, 11), kAmber, kDeepGreen);
  painter.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  QPainterPath copy;
  copy.moveTo(18, 25);
  copy.lineTo(18, 36.5);
  copy.lineTo(25, 36.5);
  painter.drawPath(copy);
  painter.setBrush(Qt::white);
  painter.setPen(Qt::NoPen);
  painter.drawPolygon(QPolygonF({QPointF(24, 33), QPointF(28, 36.5), QPointF(24, 40)}));
  // Wordmark and line.
  painter.setPen(QColor(28, 43, 38));
  painter.setFont(Sans(27, true));
  painter.drawText(QPointF(56, 31), QStringLiteral("Tarvello"));
  painter.setPen(kDeepGreen);
  painter.setFont(Sans(10));
  painter.drawText(QPointF(57, 45), QStringLiteral("SPAN port mirroring made easy"));
  return image;
}

QImage Promo() {
  QImage image(588, 82, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient band(0, 0, 588, 0);
  band.setColorAt(0, kDeepGreen);
  band.setColorAt(0.65, kGreen);
  band.setColorAt(1, kLightGreen);
  painter.fillRect(image.rect(), band);
  painter.fillRect(QRect(0, 0, 588, 1), QColor(128, 128, 128));
  // A switch front with a row of ports; one mirrored to an analyser.
  painter.setPen(QPen(QColor(12, 48, 36), 1));
  painter.setBrush(QColor(20, 70, 52));
  painter.drawRoundedRect(QRectF(388.5, 14.5, 160, 28), 4, 4);
  for (int port = 0; port < 7; ++port) {
    const bool mirrored = port == 1;
    DrawPort(painter, QRectF(396 + port * 20, 21, 15, 13),
             mirrored ? QColor(255, 255, 255) : QColor(222, 240, 232), QColor(12, 48, 36));
  }
  DrawPort(painter, QRectF(528, 21, 15, 13), kAmber, QColor(12, 48, 36));
  painter.setPen(QPen(kAmber, 2, Qt::DashLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  QPainterPath copy;
  copy.moveTo(423.5, 43);
  copy.lineTo(423.5, 56);
  copy.lineTo(506, 56);
  painter.drawPath(copy);
  painter.setPen(QPen(kAmber, 2));
  painter.drawLine(QPointF(535.5, 43), QPointF(535.5, 48));
  painter.setBrush(QColor(12, 48, 36));
  painter.drawRoundedRect(QRectF(506, 48, 60, 18), 3, 3);
  painter.setPen(kAmber);
  painter.setFont(Sans(10, true));
  painter.drawText(QRectF(506, 48, 60, 18), Qt::AlignCenter, QStringLiteral("analyser"));
  // Text.
  painter.setPen(Qt::white);
  painter.setFont(Sans(21, true));
  painter.drawText(QPointF(18, 33), QStringLiteral("Use your SPAN port"));
  painter.setPen(QColor(214, 241, 229));
  painter.setFont(Sans(12));
  painter.drawText(QPointF(18, 53), QStringLiteral("See every packet on the wire: mirror ports "
                                                   "and VLANs to your analyser."));
  painter.setPen(kAmber);
  painter.setFont(Sans(11, true));
  painter.drawText(QPointF(18, 71), QStringLiteral("Learn how  \u203A"));
  return image;
}

QImage DownArrow() {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(80, 80, 80), 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(QColor(110, 110, 110));
  painter.drawPolygon(QPolygonF({QPointF(3, 5.5), QPointF(13, 5.5), QPointF(8, 11.5)}));
  return image;
}

// The badge of tarvello-icon.svg, drawn in the SVG's own coordinates scaled to the size.
QImage Icon(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 47.0, size / 47.0);
  painter.translate(-3, -4);
  painter.setPen(QPen(QColor(0x0f, 0x4a, 0x35), 1));
  painter.setBrush(QColor(0x20, 0x88, 0x5f));
  painter.drawRoundedRect(QRectF(4, 5, 45, 45), 9, 9);
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(11, 13, 13, 10), 2, 2);
  painter.drawRoundedRect(QRectF(29, 32, 13, 10), 2, 2);
  painter.drawPolygon(QPolygonF({QPointF(26, 33), QPointF(30, 37), QPointF(26, 41)}));
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::white, 2.5, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  painter.drawPolyline(QPolygonF({QPointF(17.5, 23), QPointF(17.5, 37), QPointF(27, 37)}));
  QPen dashed(QColor(0xb9, 0xf2, 0xd9), 2, Qt::CustomDashLine, Qt::FlatCap, Qt::MiterJoin);
  dashed.setDashPattern({1.5, 1});  // 3 on, 2 off, in units of the pen's width
  painter.setPen(dashed);
  painter.drawPolyline(QPolygonF({QPointF(24, 18), QPointF(38, 18), QPointF(38, 28)}));
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication application(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  bool saved = Logo().save(folder + "/logo.png");
  saved = Promo().save(folder + "/promo.png") && saved;
  saved = DownArrow().save(folder + "/down_arrow.png") && saved;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    saved = Icon(size).save(folder + QStringLiteral("/tarvello-icon-%1.png").arg(size)) && saved;
  }
  if (!saved) {
    std::fprintf(stderr, "could not write the pictures into %s\n", qPrintable(folder));
    return 1;
  }
  return 0;
}
