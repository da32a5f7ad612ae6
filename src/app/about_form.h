// The About window, the program's only help: product name and version, a legal notice, a link
// to the product site and a scrollable usage note with the licence agreement. Made hidden at
// start-up and kept for the whole run; every Help button shows it modally.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TAboutForm : public QDialog {
 public:
  explicit TAboutForm(QWidget* parent = nullptr);

  // Where a click on the link goes; by default the desktop opens the address in the browser.
  // Tests replace it so that no browser starts.
  void SetLinkOpener(std::function<void(const QString& address)> opener);

  // The usage note and the licence agreement, as the text box holds them.
  static QString MemoText();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Label1Click();

  QLabel* ProductName;
  QLabel* Version;
  QLabel* Label1;
  QPlainTextEdit* Memo1;
  QPushButton* OKButton;
  std::function<void(const QString&)> openLink_;
};
