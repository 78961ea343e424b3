#include "app/KeyRouter.h"

#include <QApplication>

namespace qxt::app {

KeyRouter::KeyRouter(std::function<window::MainWindowLogic&()> logic, Controls controls, QObject* parent)
    : QObject(parent), logic_(std::move(logic)), c_(controls) {}

// Return, the keypad's Enter, and the keypad's separator key.
bool KeyRouter::IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
         (key->key() == Qt::Key_Comma && (key->modifiers() & Qt::KeypadModifier));
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    if (watched == c_.console && c_.console->currentRow() < 0 && c_.console->count() > 0) {
      c_.console->setCurrentRow(0);
    }
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  auto* widget = qobject_cast<QWidget*>(watched);
  // The window sees a key before its controls, whichever control has the focus (only once).
  if (widget != nullptr && widget->window() == c_.window && watched == QApplication::focusWidget() && WindowKey(key)) {
    return true;
  }
  if (watched == c_.console) return ConsoleKey(key);
  for (QPushButton* b : c_.buttons) {
    if (watched == b && !key->text().isEmpty()) {
      if (auto caption = logic_().ButtonKeyPress(key->text().at(0).unicode()); caption && onCaption)
        onCaption(*caption);
    }
  }
  return false;
}

bool KeyRouter::WindowKey(QKeyEvent* key) {
  if (key->key() == Qt::Key_F5) logic_().FormKeyDown(window::MainWindowLogic::Key::kF5);
  // A shortcut the window system did not take arrives here as a plain key.
  if (key->matches(QKeySequence::Undo) && c_.undo != nullptr) {
    c_.undo->trigger();
    return true;
  }
  QPushButton* cancel = default_ != nullptr && default_->isEnabled() ? default_ : nullptr;
  if (key->key() == Qt::Key_Escape && cancel != nullptr) {
    cancel->click();
    return true;
  }
  if (!IsEnter(key)) return false;
  if (auto* focused = qobject_cast<QPushButton*>(QApplication::focusWidget()); focused != nullptr) {
    if (focused->isEnabled()) focused->click();
    return true;
  }
  if (cancel != nullptr) {
    cancel->click();
    return true;
  }
  return false;
}

// Arrows step the selected item (by 5 with Shift), Enter and the separator ask for its action;
// other keys go on to the list, which moves its selection as usual.
bool KeyRouter::ConsoleKey(QKeyEvent* key) {
  using Key = window::MainWindowLogic::Key;
  Key code;
  if (key->key() == Qt::Key_Left) {
    code = Key::kLeft;
  } else if (key->key() == Qt::Key_Right) {
    code = Key::kRight;
  } else if (key->key() == Qt::Key_Comma && (key->modifiers() & Qt::KeypadModifier)) {
    code = Key::kSeparator;
  } else if (IsEnter(key)) {
    code = Key::kEnter;
  } else {
    return false;
  }
  const bool shift = (key->modifiers() & Qt::ShiftModifier) != 0;
  return !logic_().ConsoleKeyDown(code, shift, c_.console->currentRow());
}

}  // namespace qxt::app
