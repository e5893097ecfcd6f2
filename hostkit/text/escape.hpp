// Texts from outside (table cells, case titles, a plug-in's names and
// messages) made safe for where they go. A terminal must not receive control
// characters or escape sequences it would act on; an XML file must hold
// only well-formed UTF-8 and characters XML allows.
#pragma once

#include <string>
#include <string_view>

namespace pipecorr::hostkit {

// The text with every control character (C0, DEL, C1), every NUL and every
// byte that is not part of well-formed UTF-8 shown as \xNN; printable
// ASCII and well-formed UTF-8 pass unchanged.
[[nodiscard]] std::string for_terminal(std::string_view text);

// Character data for XML: &, <, >, " and ' as entities, characters XML 1.0
// forbids (controls other than tab, line feed and carriage return; U+FFFE,
// U+FFFF) as blanks, and bytes that are not well-formed UTF-8 as U+FFFD.
[[nodiscard]] std::string xml_text(std::string_view text);

// A JSON string literal, quotes included: well-formed UTF-8 passes, '"' and
// '\\' are escaped, control characters and bytes that are not well-formed
// UTF-8 become \u00XX (a stray byte read as Latin-1), so the document is
// valid whatever a plug-in wrote.
[[nodiscard]] std::string json_string(std::string_view text);

// The length of the well-formed UTF-8 sequence at the start of `text` and
// its code point, or 0 when it does not start with one.
struct Utf8Sequence {
  std::size_t length = 0;
  char32_t code_point = 0;
};
[[nodiscard]] Utf8Sequence utf8_sequence(std::string_view text);

}  // namespace pipecorr::hostkit
