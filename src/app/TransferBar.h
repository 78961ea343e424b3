#pragma once
// A transfer in progress, beside the program's row of progress characters: a bar with its
// percentage, the time left, and a Cancel button while the transfer may be stopped.

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QWidget>
#include <functional>

namespace qxt::app {

class TransferBar : public QWidget {
  Q_OBJECT

 public:
  explicit TransferBar(QWidget* parent = nullptr);

  void Show(int percent, int secondsLeft, bool cancellable);
  void onCancel(std::function<void()> cancel) { cancel_ = std::move(cancel); }

  QProgressBar* bar() const { return bar_; }
  QLabel* timeLeft() const { return timeLeft_; }
  QPushButton* cancelButton() const { return cancelButton_; }

  // "about 1 min 40 s left", "about 20 s left"; empty while not known.
  static QString TimeLeftText(int seconds);

 private:
  QProgressBar* bar_;
  QLabel* timeLeft_;
  QPushButton* cancelButton_;
  std::function<void()> cancel_;
};

}  // namespace qxt::app
