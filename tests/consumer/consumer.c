/* Prints the catalogue of the installed plug-in, one name a line. */
#include <stdio.h>

#include "pipecorr/pipecorr.h"

int main(void) {
  char names[3 * PIPECORR_NAME_LEN];
  char descs[3 * PIPECORR_DESC_LEN];
  int32_t types[3];
  int32_t link_info[3];
  int32_t lines = 0;
  DESCRIPTN_2(names, PIPECORR_NAME_LEN, types, descs, PIPECORR_DESC_LEN,
              link_info, &lines);
  if (lines != 3) return 1;
  for (int32_t row = 0; row < lines; ++row) {
    int length = PIPECORR_NAME_LEN;
    const char* name = names + row * PIPECORR_NAME_LEN;
    while (length > 0 && name[length - 1] == ' ') --length;
    printf("%.*s %d\n", length, name, (int)link_info[row]);
  }
  return 0;
}
