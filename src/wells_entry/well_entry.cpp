#include "wells_entry/well_entry.hpp"

#include <string>

#include "entry/host_inputs.hpp"
#include "entry/results.hpp"
#include "log/debug_log.hpp"

namespace pipecorr::wells {
namespace {

[[nodiscard]] entry::Results host_results(const WellOutcome& out) noexcept {
  if (!out.ok()) return entry::failure(out.reason);
  entry::Results r;
  r.dp = out.dp;
  r.holdup = out.holdup;
  r.id = out.pattern;
  return r;
}

}  // namespace

void well_entry(std::string_view name, Core core, double* xinfo,
                const double* usl, const double* usg, const double* rol,
                const double* rog, const double* visl, const double* visg,
                const double* eps, const double* sigma, const double* diam,
                const double* fi, const double* p, double* dp, double* holdup,
                std::int32_t* id, std::int32_t* iaux, std::int32_t* ierr,
                char* errmsg) {
  const entry::HostInputs in = entry::read_host_inputs(
      usl, usg, rol, rog, visl, visg, eps, sigma, diam, fi, p);
  dbg::trace([&](dbg::Block& b) {
    b.record(std::string(" Entering ") + std::string(name));
    b.record("    usl = ", in.usl);
    b.record("    usg = ", in.usg);
    b.record("    rol = ", in.rol);
    b.record("    rog = ", in.rog);
    b.record("   visl = ", in.visl);
    b.record("   visg = ", in.visg);
    b.record("    eps = ", in.eps);
    b.record("  sigma = ", in.sigma);
    b.record("   diam = ", in.diam);
    b.record("     fi = ", in.fi);
    b.record("      p = ", in.p);
  });

  const WellPoint point{in.usl, in.usg,   in.rol,  in.rog, in.visl, in.visg,
                        in.eps, in.sigma, in.diam, in.fi,  in.p};
  const entry::Results r = host_results(core(point));
  entry::write_results<double>({dp, holdup, id, iaux, ierr, errmsg}, r);
  xinfo[0] = 1.0;

  dbg::trace([&](dbg::Block& b) {
    b.record("     id = ", r.id);
    b.record(" holdup = ", r.holdup);
    b.record("   ierr = ", r.ierr);
    b.record(std::string("leaving ") + std::string(name) + " with DP=", r.dp);
  });
}

}  // namespace pipecorr::wells
