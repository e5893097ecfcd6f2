#include "beggs_brill/field_inputs.hpp"

#include "log/debug_log.hpp"

namespace pipecorr::bb {

void trace_field_inputs(const FieldTraceLabels& labels,
                        const FieldInputs& in) noexcept {
  dbg::trace([&](dbg::Block& b) {
    b.record(labels.title);
    b.record("    vsl = ", in.vsl);
    b.record("    vsg = ", in.vsg);
    b.record("     dl = ", in.dl);
    b.record("     dg = ", in.dg);
    b.record(labels.visl, in.visl);
    b.record(labels.visg, in.visg);
    b.record("   ruff = ", in.ruff);
    b.record("  stenl = ", in.stenl);
    b.record("  pidft = ", in.pidft);
    b.record("   arad = ", in.arad);
    b.record("   pave = ", in.pave);
  });
}

}  // namespace pipecorr::bb
