#include "check/check_outcome.hpp"

namespace pipecorr::hostkit {

std::string_view verdict_name(Verdict verdict) {
  switch (verdict) {
    case Verdict::kPassed:
      return "passed";
    case Verdict::kFailed:
      return "failed";
    case Verdict::kNotApplicable:
      break;
  }
  return "not applicable";
}

CheckOutcome Tally::outcome(std::string subject, std::string id,
                            std::string passed_summary,
                            std::string_view unit) const {
  CheckOutcome out;
  out.subject = std::move(subject);
  out.id = std::move(id);
  out.cases = cases_;
  out.failures = failures_;
  if (failures_ == 0) {
    out.verdict = Verdict::kPassed;
    out.summary = std::move(passed_summary);
    return out;
  }
  out.verdict = Verdict::kFailed;
  out.summary = "broken in " + std::to_string(failures_) + " of " +
                std::to_string(cases_) + " " + std::string(unit);
  out.example = first_;
  return out;
}

CheckOutcome not_applicable(std::string subject, std::string id,
                            std::string reason) {
  CheckOutcome out;
  out.subject = std::move(subject);
  out.id = std::move(id);
  out.verdict = Verdict::kNotApplicable;
  out.summary = std::move(reason);
  return out;
}

}  // namespace pipecorr::hostkit
