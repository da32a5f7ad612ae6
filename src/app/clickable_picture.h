// A picture that shows a hand pointer and reports a left click, for the window's banners.
#pragma once

#include <QLabel>
#include <functional>

class TClickablePicture : public QLabel {
 public:
  explicit TClickablePicture(QWidget* parent = nullptr);
  void SetClickHandler(std::function<void()> handler) { clicked_ = std::move(handler); }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  std::function<void()> clicked_;
};
