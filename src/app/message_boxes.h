// The window's two modal boxes: the plain message (caption "Tarvello", one "OK" taken by Enter
// and Esc, no icon) and the confirmation (caption "Confirm", question icon, "&Yes" default
// unless told "&No", "&No" also taken by Esc).
#pragma once

#include <QString>
#include <functional>
#include <string>

class QDialog;
class QWidget;

// Answers a box (a message box, or the script preview) in the user's place: it gets the box
// ready to show and clicks one of its buttons (or none, which counts as closing it). Tests set
// one; an empty answerer means the box runs modally.
using TBoxAnswerer = std::function<void(QDialog& box)>;

// Runs the box modally, or lets the answerer answer it in the user's place (tests); true when it
// was accepted (a dialog's OK; a message box tells its answer by the button clicked).
bool RunBox(QDialog& box, const TBoxAnswerer& answerer);

// The text as the box shows it: the model's LF CR, CR LF or a lone CR each become one line
// break; other control characters and broken UTF-8 show as "?".
QString MessageBoxText(const std::string& text);

void ShowPlainMessage(QWidget* parent, const std::string& text, const TBoxAnswerer& answerer);
// Which button Enter takes in a confirmation.
enum class TDefaultAnswer { Yes, No };

// True only when "&Yes" was chosen.
bool AskConfirmation(QWidget* parent, const std::string& text, const TBoxAnswerer& answerer,
                     TDefaultAnswer defaultAnswer = TDefaultAnswer::Yes);
