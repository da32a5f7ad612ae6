// The role chooser: filled with the roles the session's kind takes (the five of a local session at
// first), opened by the arrow button under the current row's role cell, it stores an accepted role
// through the model's rules or shows why the switch would refuse it; before a port in use becomes
// a destination it asks.
#include <QToolButton>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/text_grid.h"
#include "model/sessionlist.h"

namespace {

// Rows of the chooser plus its frame and margins.
constexpr int kChooserExtra = 8;

}  // namespace

void TForm1::FillRoleChooser() {
  FillRoleChooser(TSessionKind::Local);
}

void TForm1::FillRoleChooser(TSessionKind kind) {
  const std::vector<TRoleChoice> choices = RoleChoices(kind);
  Page3_InlineStringGrid->SetRowCount(static_cast<int>(choices.size()));
  chooserRoles_.clear();
  for (const TRoleChoice& choice : choices) {
    Page3_InlineStringGrid->SetCell(0, static_cast<int>(chooserRoles_.size()),
                                    QString::fromStdString(choice.Caption));
    chooserRoles_.push_back(choice.Role);
  }
}

void TForm1::InlineButtonClick() {
  TTextGrid& chooser = *Page3_InlineStringGrid;
  if (chooser.isVisible()) {
    chooser.hide();
    return;
  }
  const int row = inlineButtonTag_;
  if (row < 1 || row > Page3_PortsStringGrid->RowCount() - 1) {
    return;
  }
  const QRect cell = Page3_PortsStringGrid->CellRect(2, row);
  // From the grid's viewport to the page, where the chooser lives.
  const QPoint corner =
      Page3_PortsStringGrid->viewport()->mapTo(TabSheet_SPANSessions, cell.topLeft());
  const QRect placed(corner, cell.size());
  if (const int session = SelectedSession(); session > 0) {
    FillRoleChooser(SPANSessions.Items[session].Kind);
  }
  chooser.SetRow(0);
  chooser.SetColWidth(0, placed.width());
  chooser.setGeometry(placed.left() + 1, placed.top() + placed.height(), placed.width(),
                      chooser.DefaultRowHeight() * chooser.RowCount() + kChooserExtra);
  chooser.show();
  chooser.raise();
  chooser.setFocus();
}

void TForm1::Page3_InlineStringGridMouseMove(const QPoint& position) {
  int col = 0;
  int row = 0;
  TTextGrid& chooser = *Page3_InlineStringGrid;
  if (chooser.CellAt(position, col, row) && row >= 0 && row < chooser.RowCount()) {
    chooser.SetRow(row);
  }
}

void TForm1::Page3_InlineStringGridMouseUp() {
  const int session = SelectedSession();
  if (session == 0) {
    return;
  }
  Page3_InlineStringGrid->hide();
  const int choice = Page3_InlineStringGrid->Row();
  const std::string role = choice >= 0 && choice < static_cast<int>(chooserRoles_.size())
                               ? chooserRoles_[static_cast<size_t>(choice)]
                               : SpanTypeOfChoice(-1);
  TTextGrid& grid = *Page3_PortsStringGrid;
  const int entry = grid.Row();
  if (entry < 1 || entry > Ports.Count) {
    return;  // an empty grid has no entry to change
  }
  std::string message;
  if (!CheckSpanType(session, Ports.Items[entry].Name, role, message)) {
    ShowMessage(message);
    grid.setFocus();
    return;
  }
  // A port in use stops forwarding as a destination: the person says so first.
  const std::string question = DestinationQuestion(session, entry, role);
  if (!question.empty() && !ConfirmNoByDefault(question)) {
    grid.setFocus();
    return;
  }
  const std::vector<std::string> before = RspanWarnings(DefaultSwitchModel());
  grid.SetCell(2, entry, QString::fromStdString(SpanTypeCaption(role)));
  SetSpanType(entry, session, role);
  UpdateSessionCaption(session);
  UpdateKindChoice(session);
  ShowNewWarnings(before);
  grid.setFocus();
  grid.viewport()->update();
}

bool TForm1::Page3_InlineStringGridKeyDown(int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Page3_InlineStringGridMouseUp();
      return true;
    case Qt::Key_Escape:
      Page3_InlineStringGridExit();
      return true;
    default:
      return false;
  }
}

void TForm1::Page3_InlineStringGridExit() {
  Page3_InlineStringGrid->hide();
}
