/*
 * A minimal host: loads the plug-in at run time, lists its catalogue and
 * identification lines, and runs one setup/cleanup cycle. With
 * usercorr.dbg present in the working directory the cycle is traced.
 *
 *   example_host [path-to-plug-in]
 */
#include <stdio.h>
#include <string.h>

#include "pipecorr/pipecorr.h"

#if defined(_WIN32)
#include <windows.h>
typedef HMODULE plugin_handle;
static plugin_handle open_plugin(const char* path) {
  return LoadLibraryA(path);
}
static void* find(plugin_handle h, const char* name) {
  /* ISO C has no cast between function and object pointers. */
  FARPROC address = GetProcAddress(h, name);
  void* object;
  memcpy(&object, &address, sizeof object);
  return object;
}
#define DEFAULT_PLUGIN "pipecorr.dll"
#else
#include <dlfcn.h>
typedef void* plugin_handle;
static plugin_handle open_plugin(const char* path) {
  return dlopen(path, RTLD_NOW | RTLD_LOCAL);
}
static void* find(plugin_handle h, const char* name) { return dlsym(h, name); }
#define DEFAULT_PLUGIN "./libpipecorr.so"
#endif

/* Prints a fixed-length text without its trailing blanks. */
static void print_fixed(const char* text, int length) {
  while (length > 0 && text[length - 1] == ' ') --length;
  printf("%.*s", length, text);
}

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : DEFAULT_PLUGIN;
  plugin_handle plugin = open_plugin(path);
  if (plugin == NULL) {
    fprintf(stderr, "example_host: cannot load %s\n", path);
    return 1;
  }

  pipecorr_descriptn_fn describe;
  pipecorr_copyright_fn copyright_i;
  pipecorr_copyright_fn copyright_e;
  pipecorr_run_fn setup;
  pipecorr_run_fn cleanup;
  *(void**)&describe = find(plugin, "DESCRIPTN_2");
  *(void**)&copyright_i = find(plugin, "COPYRIGHT_I");
  *(void**)&copyright_e = find(plugin, "COPYRIGHT_E");
  *(void**)&setup = find(plugin, "CORR_INT_SETUP");
  *(void**)&cleanup = find(plugin, "CORR_INT_CLEANUP");
  if (!describe || !copyright_i || !copyright_e || !setup || !cleanup) {
    fprintf(stderr, "example_host: %s lacks a host-interface export\n", path);
    return 1;
  }

  char names[3 * PIPECORR_NAME_LEN];
  char descs[3 * PIPECORR_DESC_LEN];
  int32_t types[3];
  int32_t link_info[3];
  int32_t rows = 0;
  describe(names, PIPECORR_NAME_LEN, types, descs, PIPECORR_DESC_LEN, link_info,
           &rows);
  printf("Correlations offered by %s:\n", path);
  for (int32_t i = 0; i < rows && i < 3; ++i) {
    printf("  ");
    print_fixed(names + i * PIPECORR_NAME_LEN, PIPECORR_NAME_LEN);
    printf("  (link info %d)  ", (int)link_info[i]);
    print_fixed(descs + i * PIPECORR_DESC_LEN, PIPECORR_DESC_LEN);
    printf("\n");
  }

  char lines[8 * PIPECORR_LINE_LEN];
  int32_t count = 0;
  copyright_i(lines, PIPECORR_LINE_LEN, &count);
  printf("Identification:\n");
  for (int32_t i = 0; i < count && i < 8; ++i) {
    print_fixed(lines + i * PIPECORR_LINE_LEN, PIPECORR_LINE_LEN);
    printf("\n");
  }
  copyright_e(lines, PIPECORR_LINE_LEN, &count);
  printf("Interface: ");
  print_fixed(lines + 2 * PIPECORR_LINE_LEN, PIPECORR_LINE_LEN);
  printf("\n");

  setup();
  cleanup();
  printf("Run setup and cleanup done.\n");
  return 0;
}
