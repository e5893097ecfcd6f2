#include "plugin/correlation.hpp"

#include <array>
#include <cmath>

#include "numbers/number_text.hpp"
#include "pipecorr/pipecorr.h"
#include "plugin/function_cast.hpp"
#include "text/error.hpp"
#include "text/escape.hpp"

namespace pipecorr::hostkit {
namespace {

void call_single(void* address, const FlowInputs& in, FlowResult& out) {
  // The single-precision list: the inputs rounded to float, the outputs
  // widened back. xinfo gets room for the largest request any entry makes.
  std::array<float, PIPECORR_ENGINE_VECTOR_LEN> xinfo{};
  const float usl = static_cast<float>(in.usl);
  const float usg = static_cast<float>(in.usg);
  const float rol = static_cast<float>(in.rol);
  const float rog = static_cast<float>(in.rog);
  const float visl = static_cast<float>(in.visl);
  const float visg = static_cast<float>(in.visg);
  const float eps = static_cast<float>(in.eps);
  const float sigma = static_cast<float>(in.sigma);
  const float diam = static_cast<float>(in.diam);
  const float fi = static_cast<float>(in.fi);
  const float p = static_cast<float>(in.p);
  float dp = 0.0f;
  float holdup = 0.0f;
  function_cast<pipecorr_corr_single_fn>(address)(
      xinfo.data(), &usl, &usg, &rol, &rog, &visl, &visg, &eps, &sigma, &diam,
      &fi, &p, &dp, &holdup, &out.id, &out.iaux, &out.ierr, out.errmsg.data(),
      static_cast<pipecorr_len>(kMessageLength));
  out.dp = static_cast<double>(dp);
  out.holdup = static_cast<double>(holdup);
}

void call_double(void* address, const FlowInputs& in, FlowResult& out) {
  std::array<double, PIPECORR_ENGINE_VECTOR_LEN> xinfo{};
  function_cast<pipecorr_corr_double_fn>(address)(
      xinfo.data(), &in.usl, &in.usg, &in.rol, &in.rog, &in.visl, &in.visg,
      &in.eps, &in.sigma, &in.diam, &in.fi, &in.p, &out.dp, &out.holdup,
      &out.id, &out.iaux, &out.ierr, out.errmsg.data(),
      static_cast<pipecorr_len>(kMessageLength));
}

// A host takes a result that is not finite, or a holdup that no liquid
// fraction can be, as the correlation's failure. A holdup outside 0 to 1
// that comes with an error is the plug-in's own failure already and is
// left as it reported it.
void reject_impossible(FlowResult& out) {
  const bool finite = std::isfinite(out.dp) && std::isfinite(out.holdup);
  const bool fraction = out.holdup >= 0.0 && out.holdup <= 1.0;
  if (finite && (fraction || out.ierr != 0)) return;
  std::string message = "the plug-in returned dp ";
  append_number(message, out.dp);
  message += " and holdup ";
  append_number(message, out.holdup);
  message +=
      " with ierr " + std::to_string(out.ierr) +
      (finite ? ": a holdup outside 0 to 1" : ": a result that is not finite");
  out.dp = 0.0;
  out.holdup = 0.0;
  out.id = PIPECORR_PATTERN_NONE;
  out.ierr = PIPECORR_NO_FLOW_REGIME;
  out.errmsg.fill(' ');
  message.copy(out.errmsg.data(), std::min(message.size(), out.errmsg.size()));
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

void Correlation::call(const FlowInputs& inputs, FlowResult& result) const {
  // Defined values even if a plug-in forgets an output.
  result.dp = 0.0;
  result.holdup = 0.0;
  result.id = 0;
  result.iaux = 0;
  result.ierr = 0;
  result.errmsg.fill(' ');
  if (single_precision()) {
    call_single(address_, inputs, result);
  } else {
    call_double(address_, inputs, result);
  }
  reject_impossible(result);
}

CorrelationSet::CorrelationSet(const PluginLibrary& library) {
  add_library(library);
}

CorrelationSet::CorrelationSet(
    std::span<const PluginLibrary* const> libraries) {
  if (libraries.empty()) throw Error("no plug-in library is loaded");
  for (const PluginLibrary* library : libraries) add_library(*library);
}

void CorrelationSet::add_library(const PluginLibrary& library) {
  const std::string source = library.path().filename().string();
  const std::size_t origin = library_paths_.size();
  library_paths_.push_back(library.path());
  const std::size_t earlier = slots_.size();
  for (auto& entry : library.catalogue()) {
    offers_.push_back({entry.name, source, origin});
    const std::string shown = "'" + for_terminal(entry.name) + "'";
    Slot* offered = nullptr;
    for (std::size_t k = 0; k < earlier; ++k) {
      if (slots_[k].name == entry.name) offered = &slots_[k];
    }
    if (offered != nullptr) {
      // Neither is taken: which one the user means is theirs to say, by
      // loading only one.
      if (offered->origin != origin) {
        offered->bound.clear();
        offered->problem = "correlation " + shown + " is offered by both " +
                           for_terminal(offered->source) + " and " +
                           for_terminal(source) +
                           "; load only one of them (--lib, or the case's "
                           "plugins)";
      }
      continue;
    }
    Slot slot{entry.name, source, origin, {}, {}};
    if (entry.link_info != PIPECORR_LINK_SINGLE &&
        entry.link_info != PIPECORR_LINK_DOUBLE) {
      slot.problem = "correlation " + shown + " has link info " +
                     std::to_string(entry.link_info) +
                     "; this host calls only link info 2 (single precision) "
                     "and 3 (double precision)";
    } else if (is_interface_routine(entry.name)) {
      slot.problem = "catalogue row " + shown +
                     " names one of the interface's own routines, not a "
                     "correlation; it is never called as one";
    } else if (void* address = library.symbol(entry.name.c_str());
               address == nullptr) {
      slot.problem = "correlation " + shown + " is in the catalogue of " +
                     for_terminal(source) +
                     " but the plug-in itself does not export it";
    } else {
      slot.bound.emplace_back(std::move(entry), address, source);
    }
    slots_.push_back(std::move(slot));
  }
}

const CorrelationSet::Slot* CorrelationSet::slot_named(std::string_view name,
                                                       std::string* why) const {
  for (const auto& slot : slots_) {
    if (slot.name == name) return &slot;
  }
  const Slot* found = nullptr;
  for (const auto& slot : slots_) {
    if (!equal_ignoring_case(slot.name, name)) continue;
    if (found != nullptr) {
      if (why != nullptr) {
        *why = "correlation name '" + for_terminal(name) +
               "' is ambiguous: it matches '" + for_terminal(found->name) +
               "' and '" + for_terminal(slot.name) + "'";
      }
      return nullptr;
    }
    found = &slot;
  }
  return found;
}

const Correlation* CorrelationSet::find(std::string_view name,
                                        std::string* why) const {
  if (why != nullptr) why->clear();
  const Slot* slot = slot_named(name, why);
  if (slot == nullptr) return nullptr;
  if (slot->bound.empty()) {
    if (why != nullptr) *why = slot->problem;
    return nullptr;
  }
  return &slot->bound.front();
}

const Correlation& CorrelationSet::choose(std::string_view name) const {
  if (name.empty()) {
    for (const auto& slot : slots_) {
      if (!slot.bound.empty()) return slot.bound.front();
    }
    const std::string first =
        for_terminal(library_paths_.front().filename().string());
    if (slots_.empty()) {
      throw Error(first + " offers no correlation in its catalogue");
    }
    throw Error("no correlation of " + first +
                " can be called: " + slots_.front().problem);
  }
  std::string why;
  if (const auto* found = find(name, &why)) return *found;
  refuse(name, why);
}

const Correlation& CorrelationSet::named(std::string_view name) const {
  if (name.empty()) refuse(name, "");
  return choose(name);
}

void CorrelationSet::refuse(std::string_view name,
                            const std::string& why) const {
  if (!why.empty()) throw UnknownCorrelation(why);
  throw UnknownCorrelation("unknown correlation '" + for_terminal(name) +
                           "'; " + known_names());
}

std::string CorrelationSet::known_names() const {
  std::string text;
  for (std::size_t origin = 0; origin < library_paths_.size(); ++origin) {
    const std::string source = library_paths_[origin].filename().string();
    std::string names;
    for (const auto& offer : offers_) {
      if (offer.origin != origin) continue;
      if (!names.empty()) names += ", ";
      names += for_terminal(offer.name);
    }
    if (!text.empty()) text += "; ";
    text += for_terminal(source) + " offers " +
            (names.empty() ? "no correlation" : names);
  }
  return text;
}

}  // namespace pipecorr::hostkit
