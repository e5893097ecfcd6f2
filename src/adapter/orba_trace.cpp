#include "adapter/orba_trace.hpp"

#include <string_view>

#include "log/debug_log.hpp"

namespace pipecorr::orba {

void trace_entry(const HostInputs& in) noexcept {
  dbg::trace([&](dbg::Block& b) {
    b.record(" Entered ORBA_3:");
    b.record("    usl = ", in.usl, "    usg = ", in.usg);
    b.record("    rol = ", in.rol, "    rog = ", in.rog);
    b.record("    visl = ", in.visl, "    visg = ", in.visg);
    b.record("    eps = ", in.eps, "    sigma = ", in.sigma);
    b.record("    diam = ", in.diam, "    fi = ", in.fi);
    b.record("    p = ", in.p);
  });
}

void trace_engine_call(const EngineCall& call) noexcept {
  const ScreenedInputs& s = call.in;
  dbg::trace([&](dbg::Block& b) {
    b.record(" Calling twpc20...");
    b.record("    usl = ", s.usl);
    b.record("    usg = ", s.usg);
    b.record("    rol = ", s.rol);
    b.record("    rog = ", s.rog);
    b.record("    visl = ", s.visl);
    b.record("    visg = ", s.visg);
    b.record("    eps = ", s.eps);
    b.record("    sigma = ", s.sigma);
    b.record("    diam = ", s.diam);
    b.record("    fi = ", s.fi);
    b.record("    wc = ", call.wc);
    b.record("    entr = ", call.entr);
    b.record("    ptclc = ", call.ptclc);
    b.record("    constr = ",
             std::string_view(call.constr.data(), call.constr.size()));
  });
}

void trace_engine_return() noexcept {
  dbg::trace([](dbg::Block& b) { b.record(" returned from twpc20."); });
}

void trace_engine_not_called() noexcept {
  dbg::trace([](dbg::Block& b) {
    b.record(" twpc20 not called: an input is not a number.");
  });
}

void trace_exit(const ExitTrace& out) noexcept {
  dbg::trace([&](dbg::Block& b) {
    b.record("leaving ORBA_3 with: ");
    b.record("           holdup    =", out.holdup);
    b.record("           vecout(1) =", out.vecout[0]);
    b.record("           vecout(2) =", out.vecout[1]);
    b.record("           vecout(3) =", out.vecout[2]);
    b.record("           vecout(4) =", out.vecout[3]);
    b.record("           dp        =", out.dp);
    b.record("           ptclc     =", out.ptclc);
    b.record("           iflowp    =", out.iflowp);
    b.record("           id        =", out.id);
  });
}

}  // namespace pipecorr::orba
