#include "check/records.hpp"

#include <algorithm>
#include <charconv>

#include "numbers/number_text.hpp"

namespace pipecorr::hostkit {
namespace {

// Every record line starts with this, so stray output is told apart.
constexpr std::string_view kTag = "@pipecorr-check";

std::string escaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string unescaped(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] != '\\' || k + 1 == text.size()) {
      out += text[k];
      continue;
    }
    const char next = text[++k];
    out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

class Line {
 public:
  explicit Line(std::string_view kind) : text_(kTag) { add(kind); }
  Line& add(std::string_view field) {
    text_ += '\t';
    text_ += escaped(field);
    return *this;
  }
  Line& add(std::size_t number) { return add(std::to_string(number)); }
  Line& add(bool flag) { return add(std::string_view(flag ? "1" : "0")); }
  [[nodiscard]] const std::string& text() const { return text_; }

 private:
  std::string text_;
};

std::vector<std::string> split(std::string_view line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  while (true) {
    const auto tab = line.find('\t', start);
    fields.push_back(unescaped(line.substr(start, tab - start)));
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  return fields;
}

void add_example(Line& line, const CounterExample& example) {
  line.add(example.correlation)
      .add(example.point)
      .add(example.host_fp)
      .add(example.xinfo_request)
      .add(example.log)
      .add(example.got)
      .add(example.expected);
  if (!example.inputs) {
    line.add(std::string_view("-"));
    return;
  }
  std::string numbers;
  for (const double value : example.inputs->values()) {
    if (!numbers.empty()) numbers += ' ';
    append_number(numbers, value);
  }
  line.add(numbers);
}

constexpr std::size_t kExampleFields = 8;

double number_in(std::string_view text) {
  double value = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

std::size_t count_in(std::string_view text) {
  std::size_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// The example in fields[at, at + kExampleFields), or nothing when short.
std::optional<CounterExample> example_in(const std::vector<std::string>& f,
                                         std::size_t at) {
  if (f.size() < at + kExampleFields) return std::nullopt;
  CounterExample example;
  example.correlation = f[at];
  example.point = f[at + 1];
  example.host_fp = f[at + 2];
  example.xinfo_request = f[at + 3] == "1";
  example.log = f[at + 4] == "1";
  example.got = f[at + 5];
  example.expected = f[at + 6];
  const std::string& numbers = f[at + 7];
  if (numbers != "-") {
    FlowInputs inputs;
    std::size_t start = 0;
    for (double* field : inputs.fields()) {
      const auto blank = numbers.find(' ', start);
      *field = number_in(std::string_view(numbers).substr(
          start,
          blank == std::string::npos ? std::string::npos : blank - start));
      if (blank == std::string::npos) break;
      start = blank + 1;
    }
    example.inputs = inputs;
  }
  return example;
}

Verdict verdict_in(std::string_view text) {
  if (text == "passed") return Verdict::kPassed;
  if (text == "failed") return Verdict::kFailed;
  return Verdict::kNotApplicable;
}

}  // namespace

void record_step(RecordSink& sink, std::string_view step) {
  sink.write_line(Line("step").add(step).text());
}

void record_call(RecordSink& sink, std::size_t index,
                 const CounterExample& call) {
  Line line("call");
  line.add(index);
  add_example(line, call);
  sink.write_line(line.text());
}

void record_check(RecordSink& sink, const CheckOutcome& outcome) {
  Line line("check");
  line.add(outcome.subject)
      .add(outcome.id)
      .add(verdict_name(outcome.verdict))
      .add(outcome.summary)
      .add(outcome.cases)
      .add(outcome.failures);
  if (outcome.example) add_example(line, *outcome.example);
  sink.write_line(line.text());
}

void record_figure(RecordSink& sink, const Figure& figure) {
  sink.write_line(Line("figure")
                      .add(figure.subject)
                      .add(figure.name)
                      .add(figure.value)
                      .add(figure.unit)
                      .text());
}

void record_row(RecordSink& sink, const CallableRow& row) {
  sink.write_line(
      Line("row").add(row.name).add(std::to_string(row.link_info)).text());
}

void record_value(RecordSink& sink, std::string_view key,
                  std::string_view value) {
  sink.write_line(Line("value").add(key).add(value).text());
}

void record_abort(RecordSink& sink, std::string_view cause) {
  sink.write_line(Line("abort").add(cause).text());
}

void record_end(RecordSink& sink, std::string_view token) {
  const std::size_t before = sink.lines();
  sink.write_line(Line("end").add(token).add(before).text());
}

ChildRecords read_records(std::string_view text, std::string_view token) {
  ChildRecords records;
  std::size_t seen = 0;  // record lines before the current one
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view raw = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    // A plug-in's own output may share the stream; records start lines.
    const auto at = raw.find(kTag);
    if (at == std::string_view::npos) continue;
    const auto f = split(raw.substr(at));
    if (f.size() < 2 || f[0] != kTag) continue;
    const std::string& kind = f[1];
    const std::size_t before = seen++;
    if (records.ended) {
      records.ended = false;
      records.forged = "records after the end of the job";
      continue;
    }
    if (kind == "step" && f.size() >= 3) {
      records.last_step = f[2];
      records.last_call.reset();
      records.last_point.reset();
    } else if (kind == "call" && f.size() >= 3) {
      records.last_point = count_in(f[2]);
      records.last_call = example_in(f, 3);
    } else if (kind == "check" && f.size() >= 8) {
      CheckOutcome outcome;
      outcome.subject = f[2];
      outcome.id = f[3];
      outcome.verdict = verdict_in(f[4]);
      outcome.summary = f[5];
      outcome.cases = count_in(f[6]);
      outcome.failures = count_in(f[7]);
      outcome.example = example_in(f, 8);
      const auto same = std::find_if(
          records.checks.begin(), records.checks.end(), [&](const auto& c) {
            return c.subject == outcome.subject && c.id == outcome.id;
          });
      if (same != records.checks.end()) {
        *same = std::move(outcome);
      } else {
        records.checks.push_back(std::move(outcome));
      }
    } else if (kind == "figure" && f.size() >= 6) {
      records.figures.push_back({f[2], f[3], f[4], f[5]});
    } else if (kind == "row" && f.size() >= 4) {
      records.rows.push_back(
          {f[2], static_cast<std::int32_t>(number_in(f[3]))});
    } else if (kind == "value" && f.size() >= 4) {
      records.values[f[2]] = f[3];
    } else if (kind == "abort" && f.size() >= 3) {
      records.abort = f[2];
    } else if (kind == "end") {
      if (f.size() >= 4 && f[2] == token && f[3] == std::to_string(before) &&
          records.forged.empty()) {
        records.ended = true;
      } else if (records.forged.empty()) {
        records.forged = f.size() >= 4 && f[2] == token
                             ? "records the child did not write"
                             : "an end record the child did not write";
      }
    }
  }
  return records;
}

}  // namespace pipecorr::hostkit
