// What a check child tells the process that started it: one text line per
// record, fields separated by tabs (tabs, line breaks and backslashes in a
// field escaped). The child announces every call before it makes it, so
// when the child dies the parent knows which call killed it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_outcome.hpp"

namespace pipecorr::hostkit {

// Where a child writes its records: a pipe to the parent, or a string in
// tests. Each write is one whole line, given without its line break.
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  virtual void write_line(std::string_view line) = 0;
};

class StringSink : public RecordSink {
 public:
  void write_line(std::string_view line) override {
    text_.append(line).append("\n");
  }
  [[nodiscard]] const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// A catalogue row the check can call.
struct CallableRow {
  std::string name;
  std::int32_t link_info = 0;
};

// Child side.
void record_step(RecordSink& sink, std::string_view step);
// The call about to be made: point `index` of the child's point list; the
// example holds the correlation, point, inputs and host state.
void record_call(RecordSink& sink, std::size_t index,
                 const CounterExample& call);
void record_check(RecordSink& sink, const CheckOutcome& outcome);
void record_figure(RecordSink& sink, const Figure& figure);
void record_row(RecordSink& sink, const CallableRow& row);
void record_value(RecordSink& sink, std::string_view key,
                  std::string_view value);
// The child finished its job.
void record_end(RecordSink& sink);

// Parent side: everything a child wrote, and where it was last.
struct ChildRecords {
  std::vector<CheckOutcome> checks;
  std::vector<Figure> figures;
  std::vector<CallableRow> rows;
  std::map<std::string, std::string, std::less<>> values;
  std::string last_step;                    // the last step announced
  std::optional<CounterExample> last_call;  // set when a call came after it
  std::optional<std::size_t> last_point;
  bool ended = false;
};

// Reads the lines a child wrote; a line it does not know (a plug-in that
// wrote into the same stream) is skipped.
[[nodiscard]] ChildRecords read_records(std::string_view text);

}  // namespace pipecorr::hostkit
