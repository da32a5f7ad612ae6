// The confirmation before configuration lines go to the switch: the exact lines, in order,
// selectable and copied whole with one click (administrators paste them into change tickets),
// saved as an Ansible playbook for teams that roll changes out with Ansible, and the choice to
// send them or to go back to the grid.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "app/message_boxes.h"
#include "wizard/wizard_view.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;

// Asks where to save a file, offering suggested (a full path); empty when the user cancels.
// Tests give one that answers without a modal dialog.
using TSaveFileAsker = std::function<QString(QWidget* parent, const QString& suggested)>;

class TScriptPreview : public QDialog {
 public:
  // Each block's lines in order; a block with a heading is led by it as an IOS comment line
  // ("! Core-9300 (10.0.0.2)"), and blocks stand apart by an empty line, so that what is copied
  // still reads as each switch's configuration.
  // "Save as Ansible playbook..." asks askFile where (an empty one asks with the save dialog)
  // and reports a failure in a message box that answerer answers (see TBoxAnswerer).
  TScriptPreview(QWidget* parent, const std::string& intro,
                 const std::vector<TPreviewBlock>& blocks, TSaveFileAsker askFile = {},
                 TBoxAnswerer answerer = {});

  // The lines as the box shows them and the copy puts on the clipboard, one per line.
  QString LinesText() const;

 private:
  // Writes the playbook of the previewed blocks (and, when ticked, its inventory beside it) where
  // the user chooses; the box stays open whatever happens.
  void SaveAnsiblePlaybook();

  std::vector<TPlaybookSwitch> switches_;
  TSaveFileAsker askFile_;
  TBoxAnswerer answerer_;
  QPlainTextEdit* lines_;
  QCheckBox* alsoSaveToStartup_;
  QCheckBox* alsoWriteInventory_;
  QLabel* saved_;
};

// Shows the box modally (or lets the answerer answer it, and the boxes it shows); true only when
// "&Send" was chosen. Enter sends, Esc goes back.
bool AskToSendLines(QWidget* parent, const std::string& intro,
                    const std::vector<TPreviewBlock>& blocks, const TBoxAnswerer& answerer);
