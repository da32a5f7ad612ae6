// Puts the model on the session page's controls: the session drop-down's items and the ports
// grid's rows for one session. They read a model and change only the control.
#pragma once

#include <vector>

#include "model/switch_model_ops.h"

class QComboBox;
class QLabel;
class TTextGrid;

// The items (SessionItems' or PairedSessionItems'), each with its session number as its data; none
// selected after.
void FillSessionsComboBox(QComboBox& sessions, const std::vector<TSessionItem>& items);

// The session number of a drop-down item; 0 for none.
int SessionOfItem(const QComboBox& sessions, int index);
// The index of the item of session; -1 when there is none.
int ItemOfSession(const QComboBox& sessions, int session);

// Header and one row per entry of model.Ports for session, every column a third of the grid's outer
// width less 10, row 1 current. Raises "Invalid SPAN sesssion id n" for a session number outside
// 1..MaxSessionNumber and leaves the grid untouched then.
void FillPortsGrid(TTextGrid& grid, const TSwitchModel& model, int session);

// The role column of rows 1..model.Ports.Count for session, as PortsGridRows gives it; the rest of
// the grid stays. Raises as FillPortsGrid.
void FillRoleColumn(TTextGrid& grid, const TSwitchModel& model, int session);

// Widens the session drop-down to its widest caption ("40 (RSPAN destination, VLAN 1000)"), never
// below its design width, as far as the count label beside it leaves room for its longest text;
// the label keeps its right edge.
void FitSessionsComboBox(QComboBox& sessions, QLabel& count);
