#pragma once
// The platform's modal message box. The Qt shell installs its own; tests install a recorder,
// so that no modal box ever blocks a test.

#include <cstdint>
#include <functional>
#include <string>

namespace qxt::common {

class MessageBox {
 public:
  static constexpr int16_t kCritical = 16;  // critical-stop icon with an OK button
  static constexpr int16_t kWarning = 48;   // exclamation icon with an OK button
  static constexpr int16_t kOk = 1;         // the button code of OK

  virtual ~MessageBox() = default;
  // detail: more about the cause, shown on request beside the text ("" when there is none).
  virtual int16_t show(const std::string& text, const std::string& title, int16_t style, const std::string& detail) = 0;

  // The box MsgBoxError uses; nullptr restores the default, which shows nothing (every message
  // is logged on standard error before it is shown).
  static void install(MessageBox* box);
  static MessageBox& current();
  // Who else hears of every message shown (the service record); an empty function: nobody.
  static void listen(std::function<void(const std::string&)> listener);
  static void tell(const std::string& text);
};

}  // namespace qxt::common
