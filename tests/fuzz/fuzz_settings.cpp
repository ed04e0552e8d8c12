// libFuzzer target for the settings read at start-up: any bytes as
// "dolm.cfg". Either every setting keeps its value, or all five take the
// file's, each within the range the keys allow and with glyphs the screen can draw.
#include "fuzz_file.h"
#include "game.h"
#include "mozek.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) { return 0; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutFile("dolm.cfg", data, size);
  // Values no file can hold, so a load that changed any of them shows.
  V0 = 0, H0 = 0, SR = 0, PXO[1] = 7, PXO[2] = 8;
  LOUDCFG();
  DropFile("dolm.cfg");
  const bool kept = V0 == 0 && H0 == 0 && SR == 0 && PXO[1] == 7 && PXO[2] == 8;
  if (kept) return 0;
  Check(size >= 8 && V0 == (data[0] | data[1] << 8) && H0 == (data[2] | data[3] << 8) &&
        SR == (data[4] | data[5] << 8) && PXO[1] == char(data[6]) && PXO[2] == char(data[7]));
  Check(V0 >= 1 && V0 <= 18 && H0 >= 1 && H0 <= 10 && SR >= 7 && SR <= 22);
  for (char g : {PXO[1], PXO[2]}) Check(g != 0 && g != 7 && g != 8 && g != 10 && g != 13);
  return 0;
}
