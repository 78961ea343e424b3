#include "common/Translate.h"

#include <map>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace qxt::common {

namespace {

struct Composed {
  std::string templ;
  std::vector<std::string> args;
};

// Enough for every text on the screen at once; older ones are forgotten (they then show in
// English, never wrong).
constexpr size_t kRemembered = 256;

std::mutex g_mutex;
Translator g_translator;
std::map<std::string, Composed> g_composed;

std::string Fill(const std::string& templ, const std::vector<std::string>& args) {
  std::string out;
  for (size_t i = 0; i < templ.size(); ++i) {
    const char next = i + 1 < templ.size() ? templ[i + 1] : '\0';
    if (templ[i] == '%' && next >= '1' && next <= '9' && static_cast<size_t>(next - '1') < args.size()) {
      out += args[static_cast<size_t>(next - '1')];
      ++i;
    } else {
      out += templ[i];
    }
  }
  return out;
}

// depth: a filled-in word may be composed itself (a reason inside a sentence), a few levels deep.
std::string ShownLine(const std::string& line, int depth = 0) {
  std::optional<Composed> composed;
  {
    std::lock_guard lock(g_mutex);
    if (const auto it = g_composed.find(line); it != g_composed.end()) composed = it->second;
  }
  if (!composed) return line.empty() ? line : Translate(kTextContext, line);
  // A word filled in may be a marked or composed text itself (an action's name, a reason);
  // paths and numbers are neither.
  constexpr int kMaxDepth = 3;
  for (std::string& arg : composed->args) {
    if (arg != line) arg = depth < kMaxDepth ? ShownLine(arg, depth + 1) : Translate(kTextContext, arg);
  }
  return Fill(Translate(kTextContext, composed->templ), composed->args);
}

}  // namespace

void InstallTranslator(Translator translator) {
  std::lock_guard lock(g_mutex);
  g_translator = std::move(translator);
}

std::string Translate(const char* context, const std::string& text) {
  Translator translator;
  {
    std::lock_guard lock(g_mutex);
    translator = g_translator;
  }
  return translator ? translator(context, text) : text;
}

std::string Compose(const char* templ, std::initializer_list<std::string> args) {
  Composed composed{templ, std::vector<std::string>(args)};
  std::string english = Fill(composed.templ, composed.args);
  std::lock_guard lock(g_mutex);
  if (g_composed.size() >= kRemembered) g_composed.clear();
  g_composed.insert_or_assign(english, std::move(composed));
  return english;
}

std::string Shown(const std::string& english) {
  std::string out;
  size_t start = 0;
  while (true) {
    const size_t end = english.find('\n', start);
    std::string line = english.substr(start, end == std::string::npos ? std::string::npos : end - start);
    const bool cr = !line.empty() && line.back() == '\r';
    if (cr) line.pop_back();
    out += ShownLine(line);
    if (end == std::string::npos) break;
    out += cr ? "\r\n" : "\n";
    start = end + 1;
  }
  return out;
}

}  // namespace qxt::common
