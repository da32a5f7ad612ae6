// One switch's part of a session page: the model it shows and edits, and the controls that show
// it (session drop-down, count label, ports grid with its arrow button, role chooser, the line
// on whether the session mirrors). The first switch's page and the other switch's page each
// have one, so both are drawn and edited by the same code.
#pragma once

#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QToolButton;
class QWidget;
class TTextGrid;
struct TSwitchModel;

struct TSwitchPane {
  TSwitchModel* Model = nullptr;  // null while the page shows no switch
  QWidget* Page = nullptr;        // where the chooser opens
  QGroupBox* Box = nullptr;
  QComboBox* Sessions = nullptr;
  QLabel* Count = nullptr;
  QWidget* GridPanel = nullptr;  // the grid's parent, which holds the arrow button's panel
  TTextGrid* Grid = nullptr;
  QWidget* InlinePanel = nullptr;
  QToolButton* InlineButton = nullptr;
  TTextGrid* Chooser = nullptr;
  QLabel* Health = nullptr;
  // The grid row the arrow button stands on, and the roles of the chooser's rows as last filled.
  int InlineButtonTag = 0;
  std::vector<std::string> ChooserRoles;
};

// The object names of a pane's controls.
struct TPaneNames {
  const char* Box;
  const char* Panel;
  const char* SessionsPanel;
  const char* SessionsLabel;
  const char* Sessions;
  const char* Count;
  const char* GridPanel;
  const char* Grid;
  const char* InlinePanel;
  const char* InlineButton;
  const char* Health;
  const char* Chooser;
};
