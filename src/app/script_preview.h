// The confirmation before configuration lines go to the switch: the exact lines, in order,
// selectable and copied whole with one click (administrators paste them into change tickets),
// and the choice to send them or to go back to the grid.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "app/message_boxes.h"

class QPlainTextEdit;

class TScriptPreview : public QDialog {
 public:
  TScriptPreview(QWidget* parent, const std::string& intro, const std::vector<std::string>& lines);

  // The lines as the box shows them and the copy puts on the clipboard, one per line.
  QString LinesText() const;

 private:
  QPlainTextEdit* lines_;
};

// Shows the box modally (or lets the answerer answer it); true only when "&Send" was chosen.
// Enter sends, Esc goes back.
bool AskToSendLines(QWidget* parent, const std::string& intro,
                    const std::vector<std::string>& lines, const TBoxAnswerer& answerer);
