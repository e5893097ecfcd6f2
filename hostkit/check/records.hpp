// What a check child tells the process that started it: one text line per
// record, fields separated by tabs (tabs, line breaks and backslashes in a
// field escaped). The child announces every call before it makes it, so
// when the child dies the parent knows which call killed it. The last
// record says the job is complete; it carries a token only the parent and
// the child know and the number of records before it, so that a plug-in
// that writes into the stream cannot pass for a finished job.
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
  void write_line(std::string_view line) {
    ++lines_;
    put(line);
  }
  // The records written so far.
  [[nodiscard]] std::size_t lines() const { return lines_; }

 protected:
  virtual void put(std::string_view line) = 0;

 private:
  std::size_t lines_ = 0;
};

class StringSink : public RecordSink {
 public:
  [[nodiscard]] const std::string& text() const { return text_; }

 protected:
  void put(std::string_view line) override { text_.append(line).append("\n"); }

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
// The child gave up its job: an exception reached the job's top.
void record_abort(RecordSink& sink, std::string_view cause);
// The child finished its job; `token` is the job's (ChildJob::token).
void record_end(RecordSink& sink, std::string_view token);

// Parent side: everything a child wrote, and where it was last.
struct ChildRecords {
  std::vector<CheckOutcome> checks;
  std::vector<Figure> figures;
  std::vector<CallableRow> rows;
  std::map<std::string, std::string, std::less<>> values;
  std::string last_step;                    // the last step announced
  std::optional<CounterExample> last_call;  // set when a call came after it
  std::optional<std::size_t> last_point;
  // The job completed: an end record with the job's token, after exactly
  // the records the child counted, and nothing after it.
  bool ended = false;
  std::string abort;   // why the child gave up, empty when it did not
  std::string forged;  // what in the stream the child did not write
};

// Reads the lines a child of the job with `token` wrote. A line without
// the records' tag (a plug-in printing into the same stream) is skipped;
// a later outcome of the same check replaces an earlier one (a child
// reports the first failure of a check when it sees it, and the whole
// outcome at the end).
[[nodiscard]] ChildRecords read_records(std::string_view text,
                                        std::string_view token);

}  // namespace pipecorr::hostkit
