#include "abi/golden_rows.hpp"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <sstream>
#include <type_traits>

#include "support/work_dir.hpp"

namespace pipecorr::abi {
namespace {

using pipecorr::testing::read_file;
using pipecorr::testing::write_file;

constexpr std::size_t kMessageLength = 150;
// Marks the bytes a call must not write: the host's buffer is longer than
// the message, and xinfo has more elements than the entry fills.
constexpr char kUntouched = '#';
constexpr double kUntouchedReal = -123.5;
constexpr std::size_t kEngineOutputs = 70;

std::string hex(std::uint64_t word, std::size_t width) {
  std::array<char, 16> digits{};
  const auto end =
      std::to_chars(digits.data(), digits.data() + digits.size(), word, 16).ptr;
  const auto length = static_cast<std::size_t>(end - digits.data());
  return std::string(width - length, '0') + std::string(digits.data(), length);
}

// The exact bit pattern of a real, NaN payloads and signed zeros included.
template <typename Real>
std::string bits(Real value) {
  using Word =
      std::conditional_t<sizeof(Real) == 4, std::uint32_t, std::uint64_t>;
  return hex(std::bit_cast<Word>(value), 2 * sizeof(Real));
}

// FNV-1a: a short, platform-independent fingerprint of a trace.
std::string fingerprint(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  return hex(hash, 16);
}

// The message as written, trailing blanks dropped, plus whatever the call
// wrote beyond its 150 characters (nothing, if it keeps to its length).
std::string message_text(const std::string& buffer) {
  std::string text = buffer.substr(0, kMessageLength);
  text.erase(text.find_last_not_of(' ') + 1);
  const auto beyond = buffer.find_first_not_of(kUntouched, kMessageLength);
  if (beyond != std::string::npos) text += "|overrun";
  return text;
}

}  // namespace

GoldenRunner::GoldenRunner(const PluginLibrary& plugin)
    : setup_(plugin.entry<pipecorr_run_fn>("CORR_INT_SETUP")),
      bb_2_(plugin.entry<pipecorr_corr_single_fn>("BB_2")),
      bb_3_(plugin.entry<pipecorr_corr_double_fn>("BB_3")),
      orba_3_(plugin.entry<pipecorr_corr_double_fn>("ORBA_3")) {}

std::size_t GoldenRunner::start_log() const {
  write_file("usercorr.dbg", "");
  setup_();
  // The header carries the clock; only what follows it is compared.
  return read_file("usercorr.dbg").size();
}

std::vector<GoldenRow> GoldenRunner::rows(const HostCase& c) const {
  return {single(c), dual(c, "BB_3", bb_3_, 0.0),
          dual(c, "ORBA_3", orba_3_, 0.0),
          dual(c, "ORBA_3/engine", orba_3_, -999.0)};
}

GoldenRow GoldenRunner::single(const HostCase& c) const {
  const auto f = [](double v) { return static_cast<float>(v); };
  const float usl = f(c.usl), usg = f(c.usg), rol = f(c.rol), rog = f(c.rog),
              visl = f(c.visl), visg = f(c.visg), eps = f(c.eps),
              sigma = f(c.sigma), diam = f(c.diam), fi = f(c.fi), p = f(c.p);
  std::array<float, 2> xinfo{f(kUntouchedReal), f(kUntouchedReal)};
  float dp = f(kUntouchedReal), holdup = f(kUntouchedReal);
  std::int32_t id = -77, iaux = -77, ierr = -77;
  std::string errmsg(kMessageLength + 8, kUntouched);

  const auto offset = start_log();
  bb_2_(xinfo.data(), &usl, &usg, &rol, &rog, &visl, &visg, &eps, &sigma, &diam,
        &fi, &p, &dp, &holdup, &id, &iaux, &ierr, errmsg.data(), 0);
  GoldenRow row;
  row.key = std::string(c.name) + " BB_2";
  row.log = read_file("usercorr.dbg").substr(offset);
  std::ostringstream line;
  line << row.key << " dp=" << bits(dp) << " holdup=" << bits(holdup)
       << " id=" << id << " iaux=" << iaux << " ierr=" << ierr
       << " xinfo=" << bits(xinfo[0]) << ':' << bits(xinfo[1]) << " msg=\""
       << message_text(errmsg) << "\" log=" << fingerprint(row.log);
  row.line = line.str();
  return row;
}

GoldenRow GoldenRunner::dual(const HostCase& c, const char* entry,
                             pipecorr_corr_double_fn fn,
                             double xinfo_request) const {
  std::array<double, kEngineOutputs + 1> xinfo{};
  xinfo.fill(kUntouchedReal);
  xinfo[0] = xinfo_request;
  double dp = kUntouchedReal, holdup = kUntouchedReal;
  std::int32_t id = -77, iaux = -77, ierr = -77;
  std::string errmsg(kMessageLength + 8, kUntouched);

  const auto offset = start_log();
  fn(xinfo.data(), &c.usl, &c.usg, &c.rol, &c.rog, &c.visl, &c.visg, &c.eps,
     &c.sigma, &c.diam, &c.fi, &c.p, &dp, &holdup, &id, &iaux, &ierr,
     errmsg.data(), 0);
  GoldenRow row;
  row.key = std::string(c.name) + " " + entry;
  row.log = read_file("usercorr.dbg").substr(offset);
  std::string xinfo_bits;
  for (const double x : xinfo) xinfo_bits += bits(x);
  std::ostringstream line;
  line << row.key << " dp=" << bits(dp) << " holdup=" << bits(holdup)
       << " id=" << id << " iaux=" << iaux << " ierr=" << ierr
       << " xinfo=" << bits(xinfo[0]) << ':' << fingerprint(xinfo_bits)
       << " msg=\"" << message_text(errmsg)
       << "\" log=" << fingerprint(row.log);
  row.line = line.str();
  return row;
}

std::vector<std::pair<std::string, std::string>> parse_golden(
    const std::string& text) {
  std::vector<std::pair<std::string, std::string>> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const auto first = line.find(' ');
    const auto second = line.find(' ', first + 1);
    lines.emplace_back(line.substr(0, second), line);
  }
  return lines;
}

}  // namespace pipecorr::abi
