#pragma once
// An orderly end when the system asks for one: SIGTERM (shutdown, kill), SIGINT (Ctrl+C in the
// terminal) and SIGHUP (the terminal closed) reach the event loop through a pipe and run the
// given action there, as a click on the close box would (options saved, port closed).

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace qxt::app {

class QuitOnSignal : public QObject {
  Q_OBJECT

 public:
  QuitOnSignal(std::initializer_list<int> which, std::function<void(int)> action, QObject* parent = nullptr);
  ~QuitOnSignal() override;

 private:
  static void Handler(int signal);

  std::function<void(int)> action_;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::vector<int> signals_;
};

}  // namespace qxt::app
