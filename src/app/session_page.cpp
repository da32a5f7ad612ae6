// The SPAN session pages: their view operations for the wizard, showing a session, painting the
// ports grid and placing its arrow button, the count label, the drop-down captions and the line
// that says whether the session mirrors (on either switch's page), the first switch's advanced
// settings (VLAN filter, encapsulation) and the buttons of two switches, one mirror.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <algorithm>

#include "app/form1.h"
#include "app/session_fill.h"
#include "app/text_grid.h"
#include "app/vlan_filter_keys.h"
#include "model/rspan_pair.h"
#include "model/sessionlist.h"

namespace {

const QColor kOddRow(240, 240, 240);
const QColor kEvenRow(255, 255, 255);
const QColor kCurrentRow(32, 136, 95);
const QColor kChangedFrame(0, 128, 0);
constexpr int kTextLeft = 5;
constexpr int kTextTop = 2;

}  // namespace

void TForm1::FillSessionsComboBox() {
  FillSessions(first_);
}

void TForm1::SelectSession(int number) {
  SelectSessionOf(first_, number);
}

int TForm1::SelectedSession() const {
  return SessionOf(first_);
}

void TForm1::ShowSelectedSession() {
  Page3_ComboBoxSessionsChange();
}

void TForm1::FillOtherSessionsComboBox() {
  if (other_.Model != nullptr) {
    FillSessions(other_);
  }
}

void TForm1::SelectOtherSession(int number) {
  SelectSessionOf(other_, number);
}

int TForm1::SelectedOtherSession() const {
  return SessionOf(other_);
}

void TForm1::ShowOtherSession() {
  Page4_ComboBoxSessionsChange();
}

std::vector<TSessionItem> TForm1::SessionItemsOf(const TSwitchPane& pane) const {
  if (otherSwitch_.Model == nullptr) {
    return SessionItems(*pane.Model);
  }
  // While two switches are open, a paired session names its other end.
  const bool first = &pane == &first_;
  return PairedSessionItems(*pane.Model, first ? *otherSwitch_.Model : DefaultSwitchModel(),
                            first ? otherSwitch_.HostName : otherSwitch_.FirstHostName, first);
}

void TForm1::FillSessions(TSwitchPane& pane) {
  ::FillSessionsComboBox(*pane.Sessions, SessionItemsOf(pane));
}

void TForm1::SelectSessionOf(TSwitchPane& pane, int number) {
  const int index = ItemOfSession(*pane.Sessions, number);
  pane.Sessions->setCurrentIndex(index >= 0 || pane.Sessions->count() == 0 ? index : 0);
}

int TForm1::SessionOf(const TSwitchPane& pane) const {
  return SessionOfItem(*pane.Sessions, pane.Sessions->currentIndex());
}

void TForm1::Page3_ComboBoxSessionsChange() {
  sessionLoading_ = true;
  const int session = SelectedSession();
  FillPortsGrid(*first_.Grid, DefaultSwitchModel(), session);
  const TSPANSession& settings = SPANSessions.Items[session];
  Page3_EncapsulationComboBox->setCurrentIndex(EncapsulationIndex(settings.Encapsulation));
  Page3_EditVLANFilter->setText(QString::fromStdString(settings.FilterVLANs));
  // An RSPAN end's VLAN stands in the panel: it is shown too.
  const bool advanced = Page3_EncapsulationComboBox->currentIndex() > 0 ||
                        !Page3_EditVLANFilter->text().isEmpty() ||
                        settings.Kind != TSessionKind::Local;
  // Blocked so that the handler below runs exactly once, whether the state changed or not.
  {
    const QSignalBlocker quiet(Page3_CheckBoxEnableAdvancedSettings);
    Page3_CheckBoxEnableAdvancedSettings->setChecked(advanced);
  }
  ShowSessionSettings(session);
  ShowPaneSession(first_, session);
  sessionLoading_ = false;
}

void TForm1::Page4_ComboBoxSessionsChange() {
  const int session = SelectedOtherSession();
  if (other_.Model == nullptr || session == 0) {
    return;
  }
  FillPortsGrid(*other_.Grid, *other_.Model, session);
  ShowPaneSession(other_, session);
}

void TForm1::ShowPaneSession(TSwitchPane& pane, int session) {
  UpdateSessionCaption(pane, session);
  PlaceInlineButton(pane);
  if (pane.Grid->isVisible()) {
    pane.Grid->setFocus();
  }
}

void TForm1::ShowSessionSettings(int session) {
  const bool shownOnly = !SessionIsEditable(session);
  Page3_CheckBoxEnableAdvancedSettings->setVisible(!shownOnly);
  Page3_ShownSessionLabel->setText(QString::fromStdString(ShownSessionText(session)));
  Page3_ShownSessionLabel->setVisible(shownOnly);
  // Beside the check box: the kind while it may be chosen; else the settings kept as on the
  // switch, after why LAN Lite offers no kind. The whole text is the tool tip.
  const bool kindShown = !shownOnly && SessionKindChoosable(DefaultSwitchModel(), session);
  Page3_SessionKindLabel->setVisible(kindShown);
  Page3_SessionKindComboBox->setVisible(kindShown);
  Page3_SessionKindComboBox->setEnabled(kindShown);
  const std::string note = SessionKindNote(DefaultSwitchModel(), session);
  const std::string keptText = KeptSettingsText(session);
  const QString kept =
      QString::fromStdString(note + (note.empty() || keptText.empty() ? "" : "\n") + keptText);
  Page3_KeptSettingsLabel->setText(Page3_KeptSettingsLabel->fontMetrics().elidedText(
      kept, Qt::ElideRight, Page3_KeptSettingsLabel->width() * 2 - 40));
  Page3_KeptSettingsLabel->setToolTip(kept);
  Page3_KeptSettingsLabel->setVisible(!kept.isEmpty() && !kindShown);
  Page3_SessionKindComboBox->setToolTip(kept);
  ShowKindSettings(session);
  if (shownOnly) {
    Page3_AdvSettingsPanel->setVisible(false);
  } else {
    Page3_CheckBoxEnableAdvancedSettingsClick();
  }
}

void TForm1::ShowKindSettings(int session) {
  const TSPANSession& settings = SPANSessions.Items[session];
  const TSessionKind kind = settings.Kind;
  const std::vector<TSessionKindItem> kinds = SessionKindItems();
  const auto listed =
      std::find_if(kinds.begin(), kinds.end(),
                   [kind](const TSessionKindItem& item) { return item.Kind == kind; });
  Page3_SessionKindComboBox->setCurrentIndex(
      listed == kinds.end() ? -1 : static_cast<int>(listed - kinds.begin()));

  const bool source = kind == TSessionKind::RspanSource;
  const bool destination = kind == TSessionKind::RspanDestination;
  Page3_AdvSettings_LabelVLAN->setVisible(!destination);
  Page3_EditVLANFilter->setVisible(!destination);
  Page3_AdvSettings_LabelEnc->setVisible(!source && !destination);
  Page3_EncapsulationComboBox->setVisible(!source && !destination);
  Page3_RspanVlanLabel->setVisible(source || destination);
  Page3_RspanVlanComboBox->setVisible(source || destination);
  if (!source && !destination) {
    return;
  }
  // A source end sends in the encapsulation's place; a destination end takes in the filter's.
  Page3_RspanVlanLabel->setText(source ? QStringLiteral("Destination RSPAN VLAN")
                                       : QStringLiteral("Source RSPAN VLAN"));
  Page3_RspanVlanLabel->adjustSize();
  Page3_RspanVlanLabel->move(source ? QPoint(238, 8) : QPoint(8, 8));
  Page3_RspanVlanComboBox->move(source ? QPoint(397, 4) : QPoint(129, 4));
  QComboBox& vlans = *Page3_RspanVlanComboBox;
  vlans.clear();
  for (const TRspanVlanItem& item : RspanVlanItems(DefaultSwitchModel(), session)) {
    vlans.addItem(QString::fromStdString(item.Caption), QString::fromStdString(item.Vlan));
    if (!item.Vlan.empty() && item.Vlan == settings.RspanVlan) {
      vlans.setCurrentIndex(vlans.count() - 1);
    }
  }
  if (settings.RspanVlan.empty()) {
    vlans.setCurrentIndex(-1);
  }
}

void TForm1::UpdateKindChoice(int session) {
  const bool choosable = SessionKindChoosable(DefaultSwitchModel(), session);
  if (choosable && !Page3_SessionKindComboBox->isVisible()) {
    ShowSessionSettings(session);
  }
  Page3_SessionKindComboBox->setEnabled(choosable);
}

void TForm1::UpdateSessionCaption(TSwitchPane& pane, int session) {
  const TSwitchModel& model = *pane.Model;
  // Two switches' captions name a pair's other end: the count then leaves the box more room.
  pane.Count->setText((otherSwitch_.Model == nullptr
                           ? QStringLiteral("Interfaces monitored by this session: ")
                           : QStringLiteral("Interfaces: ")) +
                      QString::number(SessionPortCount(model, session)));
  RefreshSessionItems(pane);
  pane.Sessions->setCurrentIndex(ItemOfSession(*pane.Sessions, session));
  // A caption wider than the box (a pair's names the other end) is whole in the tool tip.
  pane.Sessions->setToolTip(pane.Sessions->currentText());
  // Two lines at most; a longer text ends in "..." and the tool tip holds it whole.
  const QString health = QString::fromStdString(SessionHealthText(model, session));
  pane.Health->setText(
      pane.Health->fontMetrics().elidedText(health, Qt::ElideRight, pane.Health->width() * 2 - 40));
  pane.Health->setToolTip(health);
  if (&pane == &first_) {
    UpdateMirrorButtons();
  }
}

void TForm1::RefreshSessionItems(TSwitchPane& pane) {
  // An edit may list a new session or offer the next free one: then the items are made anew.
  const std::vector<TSessionItem> items = SessionItemsOf(pane);
  QComboBox& sessions = *pane.Sessions;
  const int selected = SessionOf(pane);
  bool sameSessions = static_cast<int>(items.size()) == sessions.count();
  for (int index = 0; sameSessions && index < sessions.count(); ++index) {
    sameSessions = SessionOfItem(sessions, index) == items[static_cast<size_t>(index)].Number;
  }
  if (!sameSessions) {
    ::FillSessionsComboBox(sessions, items);
    sessions.setCurrentIndex(ItemOfSession(sessions, selected));
  }
  for (int index = 0; index < sessions.count(); ++index) {
    sessions.setItemText(index, QString::fromStdString(items[static_cast<size_t>(index)].Caption));
  }
  FitSessionsComboBox(sessions, *pane.Count);
}

void TForm1::PortsGridDrawCell(TSwitchPane& pane, QPainter& painter, int col, int row,
                               const QRect& rect) {
  const int session = SessionOf(pane);
  if (session == 0 || row == 0 || pane.Model == nullptr) {
    return;
  }
  const TPorts& ports = pane.Model->Ports;
  TTextGrid& grid = *pane.Grid;
  const bool current = row == grid.Row();
  painter.fillRect(rect, current ? kCurrentRow : row % 2 == 1 ? kOddRow : kEvenRow);

  const QString text = grid.Cell(col, row);
  const QString shown =
      col == 1 ? QString::fromStdString(GridDescriptionText(text.toStdString())) : text;
  painter.setPen(grid.palette().color(current ? QPalette::HighlightedText : QPalette::WindowText));
  painter.drawText(
      QRect(rect.left() + kTextLeft, rect.top() + kTextTop, rect.width() * 4, rect.height()),
      Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, shown);

  if (col == 2 && row <= ports.Count && ports.Items[row].SpanTypes[session].Changed) {
    painter.setPen(kChangedFrame);
    // The frame's outer edge runs 1 pixel inside the cell on every side.
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
  }
}

void TForm1::PlaceInlineButton(TSwitchPane& pane) {
  TTextGrid& grid = *pane.Grid;
  const int row = grid.Row();
  // Until a session is shown the button stays at its design place.
  if (SessionOf(pane) == 0 || row < 1) {
    return;
  }
  // The row just below the last whole one keeps the button.
  const int top = grid.TopRow();
  if (row < top || row > top + grid.VisibleRowCount()) {
    pane.InlinePanel->hide();
    return;
  }
  const QRect cell = grid.CellRect(2, row);
  const int side = cell.height() - 5;
  pane.InlineButton->resize(side, side);
  pane.InlinePanel->resize(side, side);
  // Cell corners are in the grid's viewport; the panel lives in the grid's parent.
  const QPoint corner = grid.viewport()->mapTo(
      pane.GridPanel, QPoint(cell.left() + cell.width() - side, cell.top() + 4));
  pane.InlinePanel->move(corner);
  pane.InlinePanel->show();
  pane.InlineButtonTag = row;
}

void TForm1::Page3_CheckBoxEnableAdvancedSettingsClick() {
  Page3_AdvSettingsPanel->setVisible(Page3_CheckBoxEnableAdvancedSettings->isChecked());
}

bool TForm1::Page3_EditVLANFilterKeyPress(QKeyEvent& event) {
  return !VlanFilterKeyPasses(event);
}

void TForm1::Page3_EncapsulationComboBoxChange() {
  const int session = SelectedSession();
  if (sessionLoading_ || session == 0) {
    return;
  }
  const TSPANSession& settings = SPANSessions.Items[session];
  const std::string encapsulation = Page3_EncapsulationComboBox->currentText().toStdString();
  std::string refusal;
  if (!CheckEncapsulation(session, encapsulation, refusal)) {
    Page3_EncapsulationComboBox->setCurrentIndex(EncapsulationIndex(settings.Encapsulation));
    ShowMessage(refusal);
    return;
  }
  std::string filter = Page3_EditVLANFilter->text().toStdString();
  if (!CheckVlanFilter(session, filter, refusal)) {
    filter.clear();
    // Quiet, so that the refused filter is dropped here once, stored empty below.
    {
      const QSignalBlocker quiet(Page3_EditVLANFilter);
      Page3_EditVLANFilter->clear();
    }
    ShowMessage(refusal);
  }
  SetSessionSettings(session, encapsulation, filter);
  first_.Grid->viewport()->update();  // destination frames
}

void TForm1::UpdateMirrorButtons() {
  const int session = SelectedSession();
  const bool twoSwitches = otherSwitch_.Model != nullptr;
  bool mayMirror = false;
  bool stop = false;
  if (session > 0 && SessionIsEditable(session)) {
    const TSessionKind kind = SPANSessions.Items[session].Kind;
    mayMirror = !SwitchPlatform.LanLite &&
                (kind == TSessionKind::Local || kind == TSessionKind::RspanSource);
  }
  if (twoSwitches && session > 0) {
    for (const TSessionPair& pair : SessionPairs(DefaultSwitchModel(), *otherSwitch_.Model)) {
      stop = stop || (pair.SourceOnFirst ? pair.SourceSession : pair.DestinationSession) == session;
    }
  }
  Page3_SpeedButtonStopMirroring->setVisible(stop);
  Page3_SpeedButtonMirror->setVisible(mayMirror && !stop);
  Page3_SpeedButtonOtherSwitch->setVisible(twoSwitches);

  // From the right end of the title row leftwards, then the title in the room left of them.
  constexpr int kGap = 6;
  constexpr int kTitleLeft = 12;
  int left = first_.Box->x() + first_.Box->width();
  for (QPushButton* button :
       {Page3_SpeedButtonOtherSwitch, Page3_SpeedButtonStopMirroring, Page3_SpeedButtonMirror}) {
    if (button->isVisibleTo(first_.Page)) {
      const int width = button->fontMetrics().horizontalAdvance(button->text().remove('&')) + 20;
      left -= width;
      button->setGeometry(left, button->y(), width, button->height());
      left -= kGap;
    }
  }
  const QString title = QString::fromStdString(switchTitle_);
  const QString shown = first_.Box->fontMetrics().elidedText(
      title, Qt::ElideRight, left - first_.Box->x() - kTitleLeft - kGap);
  first_.Box->setTitle(shown);
  first_.Box->setToolTip(shown == title ? QString() : title);
}
