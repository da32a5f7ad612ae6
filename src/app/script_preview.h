// The confirmation before configuration lines go to the switch: the exact lines, in order,
// selectable and copied whole with one click (administrators paste them into change tickets),
// and the choice to send them or to go back to the grid.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "app/message_boxes.h"
#include "wizard/wizard_view.h"

class QPlainTextEdit;

class TScriptPreview : public QDialog {
 public:
  // Each block's lines in order; a block with a heading is led by it as an IOS comment line
  // ("! Core-9300 (10.0.0.2)"), and blocks stand apart by an empty line, so that what is copied
  // still reads as each switch's configuration.
  TScriptPreview(QWidget* parent, const std::string& intro,
                 const std::vector<TPreviewBlock>& blocks);

  // The lines as the box shows them and the copy puts on the clipboard, one per line.
  QString LinesText() const;

 private:
  QPlainTextEdit* lines_;
};

// Shows the box modally (or lets the answerer answer it); true only when "&Send" was chosen.
// Enter sends, Esc goes back.
bool AskToSendLines(QWidget* parent, const std::string& intro,
                    const std::vector<TPreviewBlock>& blocks, const TBoxAnswerer& answerer);
