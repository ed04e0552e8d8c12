// libFuzzer target for the key decoder: any bytes, split into reads at any points and with any gaps
// between them, must decode without a fault, give no key code 0, never give more events than bytes
// plus one, keep the held buttons within left, right and middle, and, when no gap reaches the Esc
// quiet time, decode exactly as the same bytes in a single read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "keydecode.h"

// Stop the run: the decoder broke one of its promises.
static void Check(bool ok) { ok ? void(0) : abort(); }

// Checks the events of one read of len bytes: an action is none, press, release or motion.
static void CheckEvents(const KeyEvent* ev, int n, int len) {
  Check(n >= 0 && n <= len + 1);
  for (const KeyEvent* e = ev; e < ev + n; e++) {
    const unsigned a = e->mouse.action;
    Check(e->isMouse ? (e->mouse.buttons & ~7) == 0 && a <= 4 && (a & (a - 1)) == 0 : e->key != 0);
  }
}

static constexpr size_t MAXIN = 8192;                  // longer inputs are cut here
static KeyEvent CHUNKED[MAXIN + 2], WHOLE[MAXIN + 2];  // events of the two ways of reading
static uint8_t PAYLOAD[MAXIN];                         // the input without its chunk heads

// The first byte of each chunk says how long it is (low 5 bits) and how long
// after the previous read it came (high 3 bits, in steps of 10 ms).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > MAXIN) size = MAXIN;
  KeyDecoder d;
  KDRESET(d);
  int64_t now = 0;
  size_t i = 0, paid = 0;
  int total = 0;
  bool quick = true;      // no gap between bytes reached the quiet time
  int64_t lastBytes = 0;  // when the last bytes came
  while (i < size) {
    uint8_t head = data[i++];
    size_t len = head & 31;
    if (len > size - i) len = size - i;
    now += (head >> 5) * 10;
    if (len > 0) {
      if (now - lastBytes >= ESCMS) quick = false;
      lastBytes = now;
    }
    int n = KDFEED(d, data + i, int(len), now, CHUNKED + total, 64);
    CheckEvents(CHUNKED + total, n, int(len));
    total += n;
    Check(KDDEADLINE(d) == -1 || KDDEADLINE(d) >= now);
    memcpy(PAYLOAD + paid, data + i, len);
    paid += len;
    i += len;
  }
  int n = KDTIME(d, now + ESCMS, CHUNKED + total, 2);
  CheckEvents(CHUNKED + total, n, 0);
  total += n;
  Check(KDDEADLINE(d) == -1);
  if (!quick) return 0;
  KeyDecoder w;
  KDRESET(w);
  int whole = KDFEED(w, PAYLOAD, int(paid), 0, WHOLE, int(paid) + 1);
  whole += KDTIME(w, ESCMS, WHOLE + whole, 2);
  Check(whole == total);
  for (int k = 0; k < total; k++)
    Check(WHOLE[k].isMouse == CHUNKED[k].isMouse &&
          (WHOLE[k].isMouse ? !memcmp(&WHOLE[k].mouse, &CHUNKED[k].mouse, sizeof(MouseEvent))
                            : WHOLE[k].key == CHUNKED[k].key));
  return 0;
}
