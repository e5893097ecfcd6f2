// The debug log: the process-wide switch, the log's file name, and trace
// blocks.
//
// A routine traces with
//
//   dbg::trace([&](dbg::Block& b) {
//     b.record(" Entering BBi");
//     b.record("    vsl = ", vsl);
//   });
//
// With the log off this costs one integer comparison and formats nothing.
// With it on, the block opens the existing file for appending, writes its
// records and closes it again; a block that cannot open or write the file is
// dropped silently, since no result may depend on the log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "log/number_text.hpp"

namespace pipecorr::dbg {

inline constexpr std::int32_t kSwitchOn = 55;
inline constexpr std::int32_t kSwitchOff = -100;

// 0 at load, -100 or 55 after a run setup. The log is on while it is > 0.
extern std::int32_t log_switch;

inline bool on() noexcept { return log_switch > 0; }

// The log's file, in the host's working directory. Each plug-in names its
// own (a text of static lifetime, given by its run setup), so that two
// plug-ins serving one host run never empty each other's log; the switch,
// the layout and the record rules are the same for all. Empty until named:
// then no file is ever opened.
void use_file_name(const char* name) noexcept;
[[nodiscard]] const char* file_name() noexcept;

// Appends to the existing log file; never creates it. Failures are
// ignored. Only a regular file of that name with no other name is written:
// a link, a FIFO, a device or a folder there is left untouched.
void append_to_log(std::string_view text) noexcept;
// Replaces the contents of the existing log file, under the same rule;
// never creates it, and cuts nothing it will not write.
void rewrite_log(std::string_view text) noexcept;
// Whether the log file in the working directory is one the log may be
// written to (by the rule above), without writing or reading it.
bool log_file_exists() noexcept;

// Records of one trace block, collected in memory and written with the block.
class Block {
 public:
  // List-directed record: a leading blank, then each item. Texts go as they
  // are; numbers right-justified in their field (integer 11, single 15,
  // double 24), one column wider once a number has been written earlier in
  // the same record.
  template <typename... Items>
  void record(const Items&... items) {
    bool number_seen = false;
    text_ += ' ';
    (item(items, number_seen), ...);
    end_line();
  }

  // Formatted records: "((5X,A40))", "((5X,A80))", "((5X,I5))".
  void texts(const char* elements, std::size_t element_len, std::int32_t count);
  void integers(const std::int32_t* values, std::int32_t count);
  // "(I3.2,':',I2.2,':',I2.2,5X,I2.2,'/',I2.2,'/',I4,/)"
  void time_stamp(int hour, int minute, int second, int day, int month,
                  int year);

  [[nodiscard]] const std::string& text() const noexcept { return text_; }

 private:
  void item(std::string_view text, bool&) { text_ += text; }
  void item(const char* text, bool&) { text_ += text; }
  void item(std::int32_t value, bool& number_seen) {
    number(format_integer(value), kIntegerField, number_seen);
  }
  void item(float value, bool& number_seen) {
    number(format_single(value), kSingleField, number_seen);
  }
  void item(double value, bool& number_seen) {
    number(format_double(value), kDoubleField, number_seen);
  }
  void number(const NumberText& text, int width, bool& number_seen);
  void end_line() { text_ += "\r\n"; }

  static constexpr int kIntegerField = 11;
  static constexpr int kSingleField = 15;
  static constexpr int kDoubleField = 24;

  std::string text_;
};

// Writes one trace block, appended to the existing log, if the log is on.
// A block that cannot be formatted (out of memory) is dropped like one that
// cannot be written.
template <typename Fill>
void trace(Fill&& fill) noexcept {
  if (log_switch <= 0) return;
  try {
    Block block;
    fill(block);
    append_to_log(block.text());
  } catch (...) {
  }
}

}  // namespace pipecorr::dbg
