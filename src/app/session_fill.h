// Puts the model on the session page's controls: the session drop-down's two items and the
// ports grid's rows for one session. They read the model and change only the control.
#pragma once

class QComboBox;
class TTextGrid;

// Two items, session 1 then 2, each "n (Configured)" or "n (Available)"; none selected after.
void FillSessionsComboBox(QComboBox& sessions);

// Header and one row per entry of Ports for session (1 or 2), every column a third of the
// grid's outer width less 10, row 1 current. Raises "Invalid SPAN sesssion id n" for another
// session number and leaves the grid untouched then.
void FillPortsGrid(TTextGrid& grid, int session);
