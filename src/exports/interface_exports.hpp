// The five exports every plug-in of this interface has, defined once:
// each plug-in's export table expands this with its own texts, so that the
// definitions land in that plug-in's library.
#pragma once

#include "exports/plugin.hpp"
#include "pipecorr/pipecorr.h"

// Inside an extern "C" block of an export table; PLUGIN is its
// exports::Plugin.
#define PIPECORR_INTERFACE_EXPORTS(PLUGIN)                                     \
  PIPECORR_API void PIPECORR_CALL DESCRIPTN_2(                                 \
      char* names, pipecorr_len, int32_t* types, char* descs, pipecorr_len,    \
      int32_t* link_info, int32_t* lines) {                                    \
    pipecorr::exports::descriptn_2(PLUGIN, names, types, descs, link_info,     \
                                   lines);                                     \
  }                                                                            \
  PIPECORR_API void PIPECORR_CALL COPYRIGHT_I(char* lines, pipecorr_len,       \
                                              int32_t* lines_out) {            \
    pipecorr::exports::copyright(PLUGIN, pipecorr::exports::Variant::kVersion, \
                                 lines, lines_out);                            \
  }                                                                            \
  PIPECORR_API void PIPECORR_CALL COPYRIGHT_E(char* lines, pipecorr_len,       \
                                              int32_t* lines_out) {            \
    pipecorr::exports::copyright(                                              \
        PLUGIN, pipecorr::exports::Variant::kInterface, lines, lines_out);     \
  }                                                                            \
  PIPECORR_API void PIPECORR_CALL CORR_INT_SETUP() {                           \
    pipecorr::exports::corr_int_setup(PLUGIN);                                 \
  }                                                                            \
  PIPECORR_API void PIPECORR_CALL CORR_INT_CLEANUP() {                         \
    pipecorr::exports::corr_int_cleanup();                                     \
  }
