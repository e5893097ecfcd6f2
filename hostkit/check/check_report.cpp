#include "check/check_report.hpp"

#include <algorithm>

#include "numbers/number_text.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::string check_name(const CheckOutcome& check) {
  return check.subject.empty() ? check.id : check.subject + ": " + check.id;
}

std::string inputs_text(const FlowInputs& inputs) {
  std::string out;
  const auto values = inputs.values();
  for (std::size_t k = 0; k < kInputCount; ++k) {
    if (k > 0) out += "  ";
    out += std::string(kInputNames[k]) + " " + shortest(values[k]);
  }
  return out;
}

std::string call_text(const CounterExample& example) {
  std::string out;
  if (!example.correlation.empty()) {
    out = for_terminal(example.correlation) + " at ";
  }
  out += for_terminal(example.point);
  if (!example.host_fp.empty()) out += ", host state " + example.host_fp;
  if (example.xinfo_request) out += ", xinfo request -999";
  if (example.log) out += ", debug log on";
  return out;
}

void append_example(std::string& out, const std::string& library,
                    const CounterExample& example) {
  const std::string indent(18, ' ');
  out += indent + "call       " + call_text(example) + "\n";
  if (example.inputs) {
    out += indent + "inputs     " + inputs_text(*example.inputs) + "\n";
  }
  out += indent + "got        " + for_terminal(example.got) + "\n";
  out += indent + "expected   " + for_terminal(example.expected) + "\n";
  const auto words = reproduction_arguments(library, example);
  if (!words.empty()) {
    out += indent + "reproduce  pipecorr " + for_terminal(shell_line(words)) +
           "\n";
  }
}

std::string figure_line(const CheckReport& report, const std::string& subject) {
  std::string out;
  for (const auto& figure : report.figures) {
    if (figure.subject != subject) continue;
    if (!out.empty()) out += ", ";
    if (figure.name == "median_ns_per_call") {
      out += "median " + figure.value + " ns per call";
    } else if (figure.name == "patterns") {
      out += "patterns seen " + (figure.value.empty() ? "none" : figure.value);
    } else if (figure.name == "ordinary_points_failed") {
      out += figure.value + " ordinary points failed (ierr 3)";
    } else {
      out += figure.value + " " + figure.unit;
    }
  }
  return out;
}

// JSON has no NaN or infinity: null, as in calc's JSON (the exact value is
// in the reproduction's words).
std::string json_number(double value) {
  if (value != value || value - value != 0.0) return "null";
  return shortest(value);
}

std::string unreached_name(const UnreachedJob& job) {
  return job.subject.empty() ? "(" + job.job + ")" : job.subject;
}

std::string unreached_text(const UnreachedJob& job, double limit) {
  const std::string bound =
      "the run's bound of " + shortest(limit) + " s (--time-limit)";
  if (job.stopped_at.empty()) return "not started: " + bound + " was reached";
  return "stopped at " + job.stopped_at + " by " + bound;
}

std::string json_example(const std::string& library,
                         const CounterExample& example) {
  std::string out = "{\"correlation\":" + json_string(example.correlation) +
                    ",\"point\":" + json_string(example.point);
  out += ",\"inputs\":";
  if (example.inputs) {
    out += "{";
    const auto values = example.inputs->values();
    for (std::size_t k = 0; k < kInputCount; ++k) {
      if (k > 0) out += ",";
      out += json_string(kInputNames[k]) + ":" + json_number(values[k]);
    }
    out += "}";
  } else {
    out += "null";
  }
  out += ",\"host_fp\":" +
         (example.host_fp.empty() ? std::string("null")
                                  : json_string(example.host_fp)) +
         ",\"xinfo_request\":" + (example.xinfo_request ? "true" : "false") +
         ",\"log\":" + (example.log ? "true" : "false") +
         ",\"got\":" + json_string(example.got) +
         ",\"expected\":" + json_string(example.expected) + ",\"reproduce\":[";
  const auto words = reproduction_arguments(library, example);
  for (std::size_t k = 0; k < words.size(); ++k) {
    if (k > 0) out += ",";
    out += json_string(words[k]);
  }
  return out + "]}";
}

// A figure that is a number is written as one.
std::string json_figure_value(const std::string& value) {
  double number = 0.0;
  if (parse_number(value, number) == NumberProblem::kNone) {
    return shortest(number);
  }
  return json_string(value);
}

}  // namespace

std::vector<std::string> reproduction_arguments(const std::string& library,
                                                const CounterExample& example) {
  if (example.correlation.empty()) return {};
  std::vector<std::string> words{"--lib", library};
  if (example.log) words.emplace_back("--log");
  words.insert(words.end(), {"calc", "-c", example.correlation});
  if (!example.inputs) return words;
  words.emplace_back("--strict");
  if (!example.host_fp.empty()) {
    words.insert(words.end(), {"--host-fp", example.host_fp});
  }
  if (example.xinfo_request) words.emplace_back("--xinfo-request");
  const auto values = example.inputs->values();
  for (std::size_t k = 0; k < kInputCount; ++k) {
    words.push_back("--" + std::string(kInputNames[k]));
    words.push_back(shortest(values[k]));
  }
  return words;
}

std::string shell_line(const std::vector<std::string>& words) {
  std::string out;
  for (const auto& word : words) {
    if (!out.empty()) out += ' ';
    const bool plain =
        !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
          return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                 (c >= '0' && c <= '9') || c == '_' || c == '-' || c == '.' ||
                 c == '/' || c == '+' || c == '=' || c == ':' || c == ',';
        });
    if (plain) {
      out += word;
      continue;
    }
    out += '\'';
    for (const char c : word) {
      if (c == '\'') {
        out += "'\\''";
      } else {
        out += c;
      }
    }
    out += '\'';
  }
  return out;
}

std::string format_check_text(const CheckReport& report, double seconds) {
  std::string out = "pipecorr check of " + for_terminal(report.library) + "\n";
  out += "  " + std::to_string(report.points) + " ordinary points (seed " +
         std::to_string(report.seed) + ") and " +
         std::to_string(report.bad_points) +
         " bad inputs per correlation; host states:";
  for (const auto& state : report.host_states) out += " " + state;
  out += "\n";
  if (!report.traps_delivered) {
    out += "  note: floating-point traps are not delivered on this machine\n";
  }
  for (const auto& check : report.checks) {
    out += padded(std::string(verdict_name(check.verdict)), 16) +
           padded(for_terminal(check_name(check)), 32) +
           for_terminal(check.summary) + "\n";
    if (check.verdict == Verdict::kFailed && check.example) {
      append_example(out, report.library, *check.example);
    }
  }
  for (const auto& job : report.unreached) {
    out += padded(job.stopped_at.empty() ? "not reached" : "not finished", 16) +
           padded(for_terminal(unreached_name(job)), 32) +
           for_terminal(unreached_text(job, report.time_limit_seconds)) + "\n";
  }
  std::vector<std::string> subjects;
  for (const auto& figure : report.figures) {
    if (std::find(subjects.begin(), subjects.end(), figure.subject) ==
        subjects.end()) {
      subjects.push_back(figure.subject);
    }
  }
  for (const auto& subject : subjects) {
    out += padded("figures", 16) + padded(for_terminal(subject), 32) +
           figure_line(report, subject) + "\n";
  }
  out +=
      "summary: " + std::to_string(report.count(Verdict::kPassed)) +
      " passed, " + std::to_string(report.count(Verdict::kFailed)) +
      " failed, " + std::to_string(report.count(Verdict::kNotApplicable)) +
      " not applicable" +
      (report.unreached.empty()
           ? std::string()
           : ", " + std::to_string(report.unreached.size()) + " not reached") +
      " (" + fixed(seconds, 1) + " s)\n";
  return out;
}

std::string format_check_json(const CheckReport& report, double seconds) {
  std::string out = "{\"library\":" + json_string(report.library) +
                    ",\"points\":" + std::to_string(report.points) +
                    ",\"bad_points\":" + std::to_string(report.bad_points) +
                    ",\"seed\":" + std::to_string(report.seed) +
                    ",\"host_states\":[";
  for (std::size_t k = 0; k < report.host_states.size(); ++k) {
    if (k > 0) out += ",";
    out += json_string(report.host_states[k]);
  }
  out += "],\"traps_delivered\":";
  out += report.traps_delivered ? "true" : "false";
  out += ",\"time_limit\":" + shortest(report.time_limit_seconds);
  out += ",\"checks\":[";
  for (std::size_t k = 0; k < report.checks.size(); ++k) {
    const auto& check = report.checks[k];
    if (k > 0) out += ",";
    out += "{\"subject\":" +
           (check.subject.empty() ? std::string("null")
                                  : json_string(check.subject)) +
           ",\"check\":" + json_string(check.id) +
           ",\"verdict\":" + json_string(verdict_name(check.verdict)) +
           ",\"summary\":" + json_string(check.summary) +
           ",\"cases\":" + std::to_string(check.cases) +
           ",\"failures\":" + std::to_string(check.failures) + ",\"example\":" +
           (check.example && check.verdict == Verdict::kFailed
                ? json_example(report.library, *check.example)
                : std::string("null")) +
           "}";
  }
  out += "],\"figures\":[";
  for (std::size_t k = 0; k < report.figures.size(); ++k) {
    const auto& figure = report.figures[k];
    if (k > 0) out += ",";
    out += "{\"subject\":" + json_string(figure.subject) +
           ",\"name\":" + json_string(figure.name) +
           ",\"value\":" + json_figure_value(figure.value) +
           ",\"unit\":" + json_string(figure.unit) + "}";
  }
  out += "],\"unreached\":[";
  for (std::size_t k = 0; k < report.unreached.size(); ++k) {
    const auto& job = report.unreached[k];
    if (k > 0) out += ",";
    out +=
        "{\"subject\":" +
        (job.subject.empty() ? std::string("null") : json_string(job.subject)) +
        ",\"job\":" + json_string(job.job) + ",\"stopped_at\":" +
        (job.stopped_at.empty() ? std::string("null")
                                : json_string(job.stopped_at)) +
        "}";
  }
  out += "],\"summary\":{\"passed\":" +
         std::to_string(report.count(Verdict::kPassed)) +
         ",\"failed\":" + std::to_string(report.count(Verdict::kFailed)) +
         ",\"not_applicable\":" +
         std::to_string(report.count(Verdict::kNotApplicable)) +
         ",\"unreached\":" + std::to_string(report.unreached.size()) +
         ",\"seconds\":" + fixed(seconds, 3) + "}}\n";
  return out;
}

}  // namespace pipecorr::hostkit
