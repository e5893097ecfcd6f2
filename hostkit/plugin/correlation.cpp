#include "plugin/correlation.hpp"

#include <cstring>

#include "text/error.hpp"
#include "pipecorr/pipecorr.h"

namespace pipecorr::hostkit {
namespace {

template <typename Function>
Function as_function(void* address) {
  Function function = nullptr;
  std::memcpy(&function, &address, sizeof function);
  return function;
}

void call_single(void* address, const FlowInputs& in, FlowResult& out) {
  // The single-precision list: the inputs rounded to float, the outputs
  // widened back. xinfo gets room for the largest request any entry makes.
  std::array<float, 70> xinfo{};
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
  as_function<pipecorr_corr_single_fn>(address)(
      xinfo.data(), &usl, &usg, &rol, &rog, &visl, &visg, &eps, &sigma, &diam,
      &fi, &p, &dp, &holdup, &out.id, &out.iaux, &out.ierr, out.errmsg.data(),
      static_cast<pipecorr_len>(kMessageLength));
  out.dp = static_cast<double>(dp);
  out.holdup = static_cast<double>(holdup);
}

void call_double(void* address, const FlowInputs& in, FlowResult& out) {
  std::array<double, 70> xinfo{};
  as_function<pipecorr_corr_double_fn>(address)(
      xinfo.data(), &in.usl, &in.usg, &in.rol, &in.rog, &in.visl, &in.visg,
      &in.eps, &in.sigma, &in.diam, &in.fi, &in.p, &out.dp, &out.holdup,
      &out.id, &out.iaux, &out.ierr, out.errmsg.data(),
      static_cast<pipecorr_len>(kMessageLength));
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
  if (entry_.link_info == 2) {
    call_single(address_, inputs, result);
  } else {
    call_double(address_, inputs, result);
  }
}

CorrelationSet::CorrelationSet(const PluginLibrary& library)
    : library_name_(library.path().filename().string()) {
  for (auto& entry : library.catalogue()) {
    Slot slot{entry.name, {}, {}};
    void* address = library.symbol(entry.name.c_str());
    if (entry.link_info != 2 && entry.link_info != 3) {
      slot.problem = "correlation '" + entry.name + "' has link info " +
                     std::to_string(entry.link_info) +
                     "; this host calls only link info 2 (single precision) "
                     "and 3 (double precision)";
    } else if (address == nullptr) {
      slot.problem = "correlation '" + entry.name +
                     "' is in the catalogue of " + library_name_ +
                     " but the library does not export " + entry.name;
    } else {
      slot.bound.emplace_back(std::move(entry), address);
    }
    slots_.push_back(std::move(slot));
  }
}

const Correlation* CorrelationSet::find(std::string_view name,
                                        std::string_view* why) const {
  for (const auto& slot : slots_) {
    if (slot.name != name) continue;
    if (slot.bound.empty()) {
      if (why != nullptr) *why = slot.problem;
      return nullptr;
    }
    return &slot.bound.front();
  }
  if (why != nullptr) *why = {};
  return nullptr;
}

const Correlation& CorrelationSet::get(std::string_view name) const {
  std::string_view why;
  if (const auto* found = find(name, &why)) return *found;
  if (!why.empty()) throw Error(std::string(why));
  throw Error("unknown correlation '" + std::string(name) + "'; " +
                 library_name_ + " offers " + known_names());
}

const Correlation& CorrelationSet::first_callable() const {
  for (const auto& slot : slots_) {
    if (!slot.bound.empty()) return slot.bound.front();
  }
  if (slots_.empty()) {
    throw Error(library_name_ + " offers no correlation in its catalogue");
  }
  throw Error("no correlation of " + library_name_ +
                 " can be called: " + slots_.front().problem);
}

std::string CorrelationSet::known_names() const {
  std::string names;
  for (const auto& slot : slots_) {
    if (!names.empty()) names += ", ";
    names += slot.name;
  }
  return names.empty() ? "no correlation" : names;
}

}  // namespace pipecorr::hostkit
