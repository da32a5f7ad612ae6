// Which typed keys the VLAN filter field lets through: digits, backspace and character 12.
// Keys that type nothing (arrows, Delete, focus keys) are not characters and always pass.
#pragma once

class QKeyEvent;

bool VlanFilterKeyPasses(const QKeyEvent& event);
