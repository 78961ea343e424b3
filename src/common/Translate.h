#pragma once
// The language of what the technician reads. The core composes every text in English (the
// service record, the files and the wire keep it so); the window translates at display through
// the hook the Qt side installs. The default hook changes nothing.

#include <functional>
#include <initializer_list>
#include <string>

namespace qxt::common {

// The one context the core's texts are kept under in the translation files.
inline constexpr const char* kTextContext = "qxt";

using Translator = std::function<std::string(const char* context, const std::string& text)>;

// nullptr: back to the identity.
void InstallTranslator(Translator translator);
std::string Translate(const char* context, const std::string& text);

// Marks a literal for lupdate (as QT_TRANSLATE_NOOP does); the text is returned as it is.
constexpr const char* TrNoop(const char* /*context*/, const char* text) { return text; }

// The template with %1, %2... replaced by args: English, as stored. The template is remembered
// for the result, so that Shown can translate the sentence and not the filled-in result.
std::string Compose(const char* templ, std::initializer_list<std::string> args);

// The English text as the technician reads it: line by line, each line translated whole (a
// composed one through its template, each filled-in word translated too when it is a marked
// text); lines nobody translated stay as they are.
std::string Shown(const std::string& english);

}  // namespace qxt::common
