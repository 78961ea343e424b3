#pragma once
// The main window's keyboard, seen before its controls: F5 from any control acts like
// "Reload(F5)"; Ctrl+Z undoes; Escape presses the cancel button while there is one; Enter (and
// the keypad separator, which acts as Enter everywhere) presses the focused button, else the
// default button while there is one, else goes to the console; on the console the arrows step
// the selected item; characters typed on a button feed the title sequence.

#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QObject>
#include <QPushButton>
#include <array>
#include <functional>

#include "window/MainWindowLogic.h"

namespace qxt::app {

class KeyRouter : public QObject {
  Q_OBJECT

 public:
  struct Controls {
    QWidget* window;
    QListWidget* console;
    std::array<QPushButton*, 3> buttons;
    QAction* undo;
  };

  // logic: the window's logic, asked for at each key (it may come to exist after the router).
  KeyRouter(std::function<window::MainWindowLogic&()> logic, Controls controls, QObject* parent = nullptr);

  // The button that is default and cancel button now (button 2 in the parameter display).
  void setDefaultButton(QPushButton* button) { default_ = button; }
  QPushButton* defaultButton() const { return default_; }
  void setUndo(QAction* undo) { c_.undo = undo; }
  // A new window caption from the title sequence.
  std::function<void(const std::string&)> onCaption;

  bool eventFilter(QObject* watched, QEvent* event) override;
  static bool IsEnter(const QKeyEvent* key);

 private:
  bool WindowKey(QKeyEvent* key);
  bool ConsoleKey(QKeyEvent* key);

  std::function<window::MainWindowLogic&()> logic_;
  Controls c_;
  QPushButton* default_ = nullptr;
};

}  // namespace qxt::app
