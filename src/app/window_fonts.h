// Fonts and colours the main window is drawn with.
#pragma once

#include <QColor>
#include <QFont>

// Arial at a height in pixels; fontconfig gives its metric twin Liberation Sans where Arial
// itself is missing, so texts keep the widths the layout was made for.
inline QFont WindowFont(int pixelSize, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

inline const QColor kSilver(192, 192, 192);
inline const QColor kGrey(128, 128, 128);
inline const QColor kBlack(0, 0, 0);
