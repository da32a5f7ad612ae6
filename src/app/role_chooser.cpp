// The role chooser of either switch's grid: filled with the roles the session's kind takes (the
// five of a local session at first), opened by the arrow button under the current row's role
// cell, it stores an accepted role in the pane's model through the model's rules or shows why the
// switch would refuse it; before a port in use becomes a destination it asks.
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
  FillRoleChooser(first_, TSessionKind::Local);
}

void TForm1::FillRoleChooser(TSwitchPane& pane, TSessionKind kind) {
  const std::vector<TRoleChoice> choices = RoleChoices(kind);
  pane.Chooser->SetRowCount(static_cast<int>(choices.size()));
  pane.ChooserRoles.clear();
  for (const TRoleChoice& choice : choices) {
    pane.Chooser->SetCell(0, static_cast<int>(pane.ChooserRoles.size()),
                          QString::fromStdString(choice.Caption));
    pane.ChooserRoles.push_back(choice.Role);
  }
}

void TForm1::InlineButtonClick(TSwitchPane& pane) {
  TTextGrid& chooser = *pane.Chooser;
  if (chooser.isVisible()) {
    chooser.hide();
    return;
  }
  const int row = pane.InlineButtonTag;
  if (row < 1 || row > pane.Grid->RowCount() - 1) {
    return;
  }
  const QRect cell = pane.Grid->CellRect(2, row);
  // From the grid's viewport to the page, where the chooser lives.
  const QPoint corner = pane.Grid->viewport()->mapTo(pane.Page, cell.topLeft());
  const QRect placed(corner, cell.size());
  if (const int session = SessionOf(pane); session > 0) {
    FillRoleChooser(pane, pane.Model->SPANSessions.Items[session].Kind);
  }
  chooser.SetRow(0);
  chooser.SetColWidth(0, placed.width());
  chooser.setGeometry(placed.left() + 1, placed.top() + placed.height(), placed.width(),
                      chooser.DefaultRowHeight() * chooser.RowCount() + kChooserExtra);
  chooser.show();
  chooser.raise();
  chooser.setFocus();
}

void TForm1::InlineStringGridMouseMove(TSwitchPane& pane, const QPoint& position) {
  int col = 0;
  int row = 0;
  TTextGrid& chooser = *pane.Chooser;
  if (chooser.CellAt(position, col, row) && row >= 0 && row < chooser.RowCount()) {
    chooser.SetRow(row);
  }
}

void TForm1::InlineStringGridMouseUp(TSwitchPane& pane) {
  const int session = SessionOf(pane);
  if (session == 0 || pane.Model == nullptr) {
    return;
  }
  TSwitchModel& model = *pane.Model;
  pane.Chooser->hide();
  const int choice = pane.Chooser->Row();
  const std::string role = choice >= 0 && choice < static_cast<int>(pane.ChooserRoles.size())
                               ? pane.ChooserRoles[static_cast<size_t>(choice)]
                               : SpanTypeOfChoice(-1);
  TTextGrid& grid = *pane.Grid;
  const int entry = grid.Row();
  if (entry < 1 || entry > model.Ports.Count) {
    return;  // an empty grid has no entry to change
  }
  std::string message;
  if (!CheckSpanType(model, session, model.Ports.Items[entry].Name, role, message)) {
    ShowMessage(message);
    grid.setFocus();
    return;
  }
  // A port in use stops forwarding as a destination: the person says so first.
  const std::string question = DestinationQuestion(model, session, entry, role);
  if (!question.empty() && !ConfirmNoByDefault(question)) {
    grid.setFocus();
    return;
  }
  const std::vector<std::string> before = RspanWarnings(model);
  grid.SetCell(2, entry, QString::fromStdString(SpanTypeCaption(role)));
  SetSpanType(model, entry, session, role);
  UpdateSessionCaption(pane, session);
  if (&pane == &first_) {
    UpdateKindChoice(session);
  }
  // A pair's captions on the other page name this end.
  if (other_.Model != nullptr) {
    RefreshSessionItems(&pane == &first_ ? other_ : first_);
  }
  ShowNewWarnings(model, before);
  grid.setFocus();
  grid.viewport()->update();
}

bool TForm1::InlineStringGridKeyDown(TSwitchPane& pane, int key) {
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      InlineStringGridMouseUp(pane);
      return true;
    case Qt::Key_Escape:
      pane.Chooser->hide();
      return true;
    default:
      return false;
  }
}
