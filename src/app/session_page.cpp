// The SPAN session page: its view operations for the wizard, showing a session, painting the
// ports grid and placing its arrow button, the count label, the drop-down caption and the line
// that says whether the session mirrors, and the advanced settings (VLAN filter,
// encapsulation).
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStackedWidget>
#include <QToolButton>
#include <algorithm>

#include "app/form1.h"
#include "app/session_fill.h"
#include "app/text_grid.h"
#include "app/vlan_filter_keys.h"
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
  ::FillSessionsComboBox(*Page3_ComboBoxSessions);
}

void TForm1::SelectSession(int number) {
  const int index = ItemOfSession(*Page3_ComboBoxSessions, number);
  Page3_ComboBoxSessions->setCurrentIndex(index >= 0 || Page3_ComboBoxSessions->count() == 0 ? index
                                                                                             : 0);
}

void TForm1::ShowSelectedSession() {
  Page3_ComboBoxSessionsChange();
}

int TForm1::SelectedSession() const {
  return SessionOfItem(*Page3_ComboBoxSessions, Page3_ComboBoxSessions->currentIndex());
}

void TForm1::Page3_ComboBoxSessionsChange() {
  sessionLoading_ = true;
  const int session = SelectedSession();
  FillPortsGrid(*Page3_PortsStringGrid, session);
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
  UpdateSessionCaption(session);
  PlaceInlineButton();
  if (PageControl1->currentIndex() == 2 && Page3_PortsStringGrid->isVisible() &&
      SPANGroupBox->isVisible()) {
    Page3_PortsStringGrid->setFocus();
  }
  sessionLoading_ = false;
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

void TForm1::UpdateSessionCaption(int session) {
  const int count = SessionPortCount(session);
  Page3_SessionInterfacesCountLabel->setText(
      QStringLiteral("Interfaces monitored by this session: ") + QString::number(count));
  // An edit may list a new session or offer the next free one: then the items are made anew.
  const std::vector<TSessionItem> items = SessionItems();
  QComboBox& sessions = *Page3_ComboBoxSessions;
  bool sameSessions = static_cast<int>(items.size()) == sessions.count();
  for (int index = 0; sameSessions && index < sessions.count(); ++index) {
    sameSessions = SessionOfItem(sessions, index) == items[static_cast<size_t>(index)].Number;
  }
  if (!sameSessions) {
    ::FillSessionsComboBox(sessions);
  }
  const int index = ItemOfSession(sessions, session);
  sessions.setItemText(index, QString::fromStdString(SessionCaption(session)));
  sessions.setCurrentIndex(index);
  // Two lines at most; a longer text ends in "..." and the tool tip holds it whole.
  const QString health = QString::fromStdString(SessionHealthText(session));
  Page3_SessionHealthLabel->setText(Page3_SessionHealthLabel->fontMetrics().elidedText(
      health, Qt::ElideRight, Page3_SessionHealthLabel->width() * 2 - 40));
  Page3_SessionHealthLabel->setToolTip(health);
  FitSessionsComboBox(sessions, *Page3_SessionInterfacesCountLabel);
}

void TForm1::Page3_PortsStringGridDrawCell(QPainter& painter, int col, int row, const QRect& rect) {
  const int session = SelectedSession();
  if (session == 0 || row == 0) {
    return;
  }
  TTextGrid& grid = *Page3_PortsStringGrid;
  const bool current = row == grid.Row();
  painter.fillRect(rect, current ? kCurrentRow : row % 2 == 1 ? kOddRow : kEvenRow);

  const QString text = grid.Cell(col, row);
  const QString shown =
      col == 1 ? QString::fromStdString(GridDescriptionText(text.toStdString())) : text;
  painter.setPen(grid.palette().color(current ? QPalette::HighlightedText : QPalette::WindowText));
  painter.drawText(
      QRect(rect.left() + kTextLeft, rect.top() + kTextTop, rect.width() * 4, rect.height()),
      Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, shown);

  if (col == 2 && row <= Ports.Count && Ports.Items[row].SpanTypes[session].Changed) {
    painter.setPen(kChangedFrame);
    // The frame's outer edge runs 1 pixel inside the cell on every side.
    painter.drawRect(rect.adjusted(1, 1, -2, -2));
  }
}

void TForm1::PlaceInlineButton() {
  TTextGrid& grid = *Page3_PortsStringGrid;
  const int row = grid.Row();
  // Until a session is shown the button stays at its design place.
  if (SelectedSession() == 0 || row < 1) {
    return;
  }
  // The row just below the last whole one keeps the button.
  const int top = grid.TopRow();
  if (row < top || row > top + grid.VisibleRowCount()) {
    InlinePanel->hide();
    return;
  }
  const QRect cell = grid.CellRect(2, row);
  const int side = cell.height() - 5;
  InlineButton->resize(side, side);
  InlinePanel->resize(side, side);
  // Cell corners are in the grid's viewport; the panel lives in the grid's parent.
  const QPoint corner =
      grid.viewport()->mapTo(Panel6, QPoint(cell.left() + cell.width() - side, cell.top() + 4));
  InlinePanel->move(corner);
  InlinePanel->show();
  inlineButtonTag_ = row;
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
  Page3_PortsStringGrid->viewport()->update();  // destination frames
}
