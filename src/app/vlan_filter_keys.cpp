#include "app/vlan_filter_keys.h"

#include <QKeyEvent>

bool VlanFilterKeyPasses(const QKeyEvent& event) {
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
      return true;  // focus moves and deletions type no character
    default:
      break;
  }
  const QString text = event.text();
  if (text.isEmpty()) {
    return true;
  }
  for (const QChar c : text) {
    const char16_t code = c.unicode();
    if (!((code >= u'0' && code <= u'9') || code == 8 || code == 12)) {
      return false;
    }
  }
  return true;
}
