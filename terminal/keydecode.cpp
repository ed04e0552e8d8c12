// Terminal input bytes to key codes and mouse events. Understands the xterm
// forms (CSI and SS3 keys with modifiers, modifyOtherKeys CSI 27;m;c~), the
// kitty CSI u form, the Linux console's function keys and the SGR and X10
// mouse reports. A sequence it does not know is dropped whole: its leading
// ESC must never look like the Esc key, which ends the game.
#include "keydecode.h"

#include "keycodes.h"

static constexpr uint8_t ESC = 0x1B;

// Modifier bits of a key code, shifted down from bits 8-11.
static constexpr uint16_t MSHIFT = KEY::MOD_SHIFT >> 8, MCTRL = KEY::MOD_CTRL >> 8,
                          MALT = KEY::MOD_ALT >> 8;

// PC scan code (set 1) of each printable ASCII character on a US layout,
// 0x80 added where the character needs Shift. Alt turns a key into its scan code.
static const uint8_t SCAN[95] = {
    0x39,        0x02 | 0x80, 0x28 | 0x80, 0x04 | 0x80, 0x05 | 0x80, 0x06 | 0x80,  //  !"#$%
    0x08 | 0x80, 0x28,        0x0A | 0x80, 0x0B | 0x80, 0x09 | 0x80, 0x0D | 0x80,  // &'()*+
    0x33,        0x0C,        0x34,        0x35,                                   // ,-./
    0x0B,        0x02,        0x03,        0x04,        0x05,        0x06,         // 012345
    0x07,        0x08,        0x09,        0x0A,                                   // 6789
    0x27 | 0x80, 0x27,        0x33 | 0x80, 0x0D,        0x34 | 0x80, 0x35 | 0x80,  // :;<=>?
    0x03 | 0x80,                                                                   // @
    0x1E | 0x80, 0x30 | 0x80, 0x2E | 0x80, 0x20 | 0x80, 0x12 | 0x80, 0x21 | 0x80,  // A-F
    0x22 | 0x80, 0x23 | 0x80, 0x17 | 0x80, 0x24 | 0x80, 0x25 | 0x80, 0x26 | 0x80,  // G-L
    0x32 | 0x80, 0x31 | 0x80, 0x18 | 0x80, 0x19 | 0x80, 0x10 | 0x80, 0x13 | 0x80,  // M-R
    0x1F | 0x80, 0x14 | 0x80, 0x16 | 0x80, 0x2F | 0x80, 0x11 | 0x80, 0x2D | 0x80,  // S-X
    0x15 | 0x80, 0x2C | 0x80,                                                      // YZ
    0x1A,        0x2B,        0x1B,        0x07 | 0x80, 0x0C | 0x80, 0x29,         // [\]^_`
    0x1E,        0x30,        0x2E,        0x20,        0x12,        0x21,         // a-f
    0x22,        0x23,        0x17,        0x24,        0x25,        0x26,         // g-l
    0x32,        0x31,        0x18,        0x19,        0x10,        0x13,         // m-r
    0x1F,        0x14,        0x16,        0x2F,        0x11,        0x2D,         // s-x
    0x15,        0x2C,        0x1A | 0x80, 0x2B | 0x80, 0x1B | 0x80, 0x29 | 0x80,  // yz{|}~
};

// Key-code modifier bits from an xterm modifier parameter (1 + Shift 1, Alt 2, Ctrl 4).
static uint16_t Mods(uint32_t m) {
  if (m < 1) return 0;
  m -= 1;
  return uint16_t(((m & 1) ? MSHIFT : 0) | ((m & 2) ? MALT : 0) | ((m & 4) ? MCTRL : 0));
}

// A function or cursor-block key (its kind-2 code) with modifiers.
static uint16_t Func(uint16_t key, uint16_t mods) { return uint16_t(key | mods << 8); }

// Function key F1 + n.
static uint16_t FKey(uint32_t n, uint16_t mods) { return Func(uint16_t(KEY::F1 + n), mods); }

// Kind-3 code of a key known by its scan code.
static uint16_t Scan(uint8_t sc, uint16_t mods) {
  return uint16_t(KEY::KIND_SCAN | mods << 8 | sc);
}

// Key code of character c typed with the modifiers mods; 0 when it has none.
static uint16_t CharKey(uint32_t c, uint16_t mods) {
  if (c == 127) c = 8;  // Backspace, whichever byte the terminal sends for it
  if (c == 9 && (mods & MSHIFT)) return Scan(KEY::SCAN_TAB, mods);  // Shift+Tab
  if (mods & MALT) {
    // The left Alt key loses the character and leaves the key's scan code.
    uint8_t sc = 0;
    if (c >= 0x20 && c <= 0x7E)
      sc = SCAN[c - 0x20] & 0x7F;
    else if (c == 8)
      sc = KEY::SCAN_BACKSPACE;
    else if (c == 9)
      sc = KEY::SCAN_TAB;
    else if (c == 13)
      sc = KEY::SCAN_ENTER;
    else if (c == 27)
      sc = KEY::SCAN_ESC;
    return sc ? Scan(sc, mods) : 0;
  }
  if (mods & MCTRL) {
    if ((c >= '@' && c <= '_') || (c >= 'a' && c <= 'z')) return uint16_t(mods << 8 | (c & 0x1F));
    if (c < 0x20) return uint16_t(mods << 8 | c);
    // Ctrl with a digit or punctuation yields no character: the key's scan code.
    if (c <= 0x7E) return Scan(SCAN[c - 0x20] & 0x7F, mods);
    return 0;
  }
  if (c == 0 || c > 0xFF) return 0;
  return uint16_t(mods << 8 | c);
}

// Key code of one byte that came on its own.
static uint16_t PlainKey(uint8_t b) {
  switch (b) {
    case 0:
      return 0;
    case 8:
    case 127:
      return KEY::BACKSPACE;
    case 9:
    case 13:
    case 27:
      return b;
    case 10:  // keypad Enter inside tmux
      return KEY::ENTER;
  }
  if (b < 0x20) return uint16_t(MCTRL << 8 | b);  // Ctrl with a letter
  return b;
}

// Key code of an ESC followed by the byte b: the Alt key with b's key.
static uint16_t AltKey(uint8_t b) {
  if (b == 10) b = 13;
  if (b >= 0x20 && b <= 0x7E)
    return CharKey(b, uint16_t(MALT | ((SCAN[b - 0x20] & 0x80) ? MSHIFT : 0)));
  if (b == 8 || b == 9 || b == 13 || b == 27 || b == 127) return CharKey(b, MALT);
  if (b > 0 && b < 0x20) return CharKey(b | 0x40, MALT | MCTRL);
  return 0;
}

// Append a key event when the code is a real one.
static int EmitKey(uint16_t code, KeyEvent* out, int cap, int n) {
  if (code == 0 || n >= cap) return n;
  out[n] = KeyEvent{false, code, MouseEvent{}};
  return n + 1;
}

// Append a mouse event for a report of button field cb at 0-based (x, y);
// release says whether an SGR report ended in 'm'. The decoder keeps the set
// of held buttons, because the report itself names only one button.
static int EmitMouse(KeyDecoder& d, uint32_t cb, uint32_t x, uint32_t y, bool release, bool x10,
                     KeyEvent* out, int cap, int n) {
  if (cb & (64 | 128)) return n;  // wheel and extra buttons give nothing
  static const uint16_t BIT[4] = {MOUSELEFT, MOUSEMIDDLE, MOUSERIGHT, 0};
  uint16_t bit = BIT[cb & 3];
  uint16_t held = d.held;
  if (!(cb & 32)) {
    if (x10 && (cb & 3) == 3)
      held = 0;  // an X10 release does not say which button
    else if (release)
      held = uint16_t(held & ~bit);
    else
      held = uint16_t(held | bit);
  }
  uint16_t px = uint16_t(x > 0xFFFF ? 0xFFFF : x), py = uint16_t(y > 0xFFFF ? 0xFFFF : y);
  uint16_t action = 0;
  if (held & ~d.held)
    action = MOUSEPRESS;
  else if (held != d.held)
    action = MOUSERELEASE;
  else if (px != d.lastx || py != d.lasty)
    action = MOUSEMOVE;
  d.held = held;
  d.lastx = px;
  d.lasty = py;
  if (n >= cap) return n;
  out[n] = KeyEvent{true, 0, MouseEvent{held, px, py, action}};
  return n + 1;
}

// Key code of a kitty CSI u key: the keypad's private code points and the
// unshifted letter the protocol reports with Shift.
static uint16_t KittyKey(uint32_t c, uint16_t mods) {
  static const char KEYPAD[] = "0123456789./*-+\r=";  // 57399 .. 57415
  if (c >= 57399 && c <= 57415)
    c = uint8_t(KEYPAD[c - 57399]);
  else if (c >= 57344)
    return 0;  // other private keys: lock and modifier keys alone
  if ((mods & MSHIFT) && c >= 'a' && c <= 'z') c -= 32;
  return CharKey(c, mods);
}

// Key code of CSI p ~ with modifier parameter m; 0 for a number nobody uses.
static uint16_t TildeKey(uint32_t p, uint32_t m) {
  uint16_t mods = Mods(m);
  switch (p) {
    case 1:
    case 7:
      return Func(KEY::HOME, mods);
    case 2:
      return Func(KEY::INS, mods);
    case 3:
      return Func(KEY::DEL, mods);
    case 4:
    case 8:
      return Func(KEY::END, mods);
    case 5:
      return Func(KEY::PGUP, mods);
    case 6:
      return Func(KEY::PGDN, mods);
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
      return FKey(p - 11, mods);
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
      return FKey(p - 12, mods);
    case 23:
    case 24:
      return FKey(p - 13, mods);
  }
  return 0;
}

// Key code of a CSI or SS3 key ending in the letter f, modifier parameter m.
static uint16_t LetterKey(uint8_t f, uint32_t m) {
  uint16_t mods = Mods(m);
  switch (f) {
    case 'A':
      return Func(KEY::UP, mods);
    case 'B':
      return Func(KEY::DOWN, mods);
    case 'C':
      return Func(KEY::RIGHT, mods);
    case 'D':
      return Func(KEY::LEFT, mods);
    case 'H':
      return Func(KEY::HOME, mods);
    case 'F':
      return Func(KEY::END, mods);
    case 'P':
    case 'Q':
    case 'R':
    case 'S':
      return FKey(f - 'P', mods);
    case 'Z':
      return Scan(KEY::SCAN_TAB, uint16_t(mods | MSHIFT));  // Shift+Tab
    // The keypad in application mode, which some terminals keep on.
    case 'M':
      return CharKey(13, mods);
    case 'j':
      return CharKey('*', mods);
    case 'k':
      return CharKey('+', mods);
    case 'm':
      return CharKey('-', mods);
    case 'o':
      return CharKey('/', mods);
  }
  if (f >= 'p' && f <= 'y') return CharKey(uint32_t('0' + f - 'p'), mods);
  return 0;
}

// Numeric parameters of a CSI or SS3 body (bytes between the introducer and
// the final byte): up to four, ';' between them, ':' sub-parameters ignored,
// missing ones 0, each kept below 2^20.
struct Params {
  uint32_t v[4];
  int count;
  uint8_t marker;  // a leading private marker '<' '=' '>' '?', else 0
  bool odd;        // intermediate bytes or more than four parameters
};

static Params Parse(const uint8_t* b, int n) {
  Params p{{0, 0, 0, 0}, 1, 0, false};
  int i = 0;
  if (n > 0 && b[0] >= '<' && b[0] <= '?') p.marker = b[i++];
  bool sub = false;
  for (; i < n; i++) {
    uint8_t c = b[i];
    if (c >= '0' && c <= '9') {
      if (!sub && p.count <= 4) {
        uint32_t& v = p.v[p.count - 1];
        v = v * 10 + (c - '0');
        if (v >= (1u << 20)) v = (1u << 20) - 1;
      }
    } else if (c == ';') {
      sub = false;
      if (++p.count > 4) p.odd = true;
    } else if (c == ':') {
      sub = true;
    } else {
      p.odd = true;  // an intermediate or a marker out of place
    }
  }
  return p;
}

// What a sequence collected so far amounts to.
enum Verdict { MORE, DONE, BAD };

// Look at the escape sequence in d.seq after its last byte came. DONE: the
// events it gives have been appended (possibly none: dropped). BAD: the last
// byte cannot belong to it; the rest is dropped and that byte is read anew.
static Verdict Examine(KeyDecoder& d, KeyEvent* out, int cap, int& n) {
  const uint8_t* s = d.seq;
  int len = d.len;
  uint16_t alt = 0;
  if (len >= 2 && s[1] == ESC) {  // ESC ESC [ ... : Alt with a cursor key
    if (len == 2) return MORE;
    if (s[2] != '[' && s[2] != 'O') {
      // A doubled ESC before anything else: Alt+Esc, then the byte afresh.
      n = EmitKey(CharKey(27, MALT), out, cap, n);
      return BAD;
    }
    alt = MALT;
    s++;
    len--;
  }
  if (len == 1) return MORE;
  uint8_t intro = s[1];
  if (intro != '[' && intro != 'O') {
    if (intro >= 0x80) return BAD;  // not a key of ours: the ESC goes, the byte is read anew
    n = EmitKey(AltKey(intro), out, cap, n);
    return DONE;
  }
  if (len == 2) return MORE;
  const uint8_t* body = s + 2;
  int blen = len - 2;
  uint8_t last = body[blen - 1];
  if (intro == '[' && body[0] == 'M' && !alt) {  // X10 mouse: three raw bytes follow
    if (blen < 4) return MORE;
    uint32_t cb = body[1] < 32 ? 0 : body[1] - 32u;
    uint32_t x = body[2] < 33 ? 0 : body[2] - 33u, y = body[3] < 33 ? 0 : body[3] - 33u;
    if (body[1] >= 32) n = EmitMouse(d, cb, x, y, false, true, out, cap, n);
    return DONE;
  }
  if (intro == '[' && body[0] == '[') {  // the Linux console's F1..F5: ESC [ [ A..E
    if (blen == 1) return MORE;
    if (last >= 'A' && last <= 'E')
      n = EmitKey(FKey(last - 'A', alt), out, cap, n);
    else if (last < 0x20 || last >= 0x7F)
      return BAD;
    return DONE;
  }
  if (last >= 0x20 && last <= 0x3F && !(intro == 'O' && last < 0x30)) return MORE;  // parameters
  if (last < 0x40 || last > 0x7E) return BAD;
  Params p = Parse(body, blen - 1);
  if (p.odd) return DONE;
  uint16_t code = 0;
  if (p.marker == '<' && intro == '[' && (last == 'M' || last == 'm')) {
    if (p.count == 3) {
      uint32_t x = p.v[1] ? p.v[1] - 1 : 0, y = p.v[2] ? p.v[2] - 1 : 0;
      n = EmitMouse(d, p.v[0], x, y, last == 'm', false, out, cap, n);
    }
    return DONE;
  }
  if (p.marker) return DONE;  // replies and private reports: not keys
  if (intro == '[' && last == '~') {
    if (p.v[0] == 27 && p.count == 3)
      code = CharKey(p.v[2], uint16_t(Mods(p.v[1]) | alt));
    else if (p.count <= 2)
      code = TildeKey(p.v[0], p.v[1]);
  } else if (intro == '[' && last == 'u') {
    if (p.count <= 2) code = KittyKey(p.v[0], uint16_t(Mods(p.v[1]) | alt));
  } else if (intro == 'O' && p.count <= 2) {
    // SS3 P, and the older SS3 2P or SS3 1;2P with a modifier
    code = LetterKey(last, p.count == 2 ? p.v[1] : p.v[0]);
  } else if (p.count <= 2 && p.v[0] <= 1) {
    // CSI A and CSI 1;5A: the first parameter only holds the place
    code = LetterKey(last, p.count == 2 ? p.v[1] : 0);
  }
  if (code != 0 && alt && (code & 0xF000) == KEY::KIND_FUNCTION) code |= KEY::MOD_ALT;
  n = EmitKey(code, out, cap, n);
  return DONE;
}

// Settle what is pending as if no more bytes were coming.
static int Settle(KeyDecoder& d, KeyEvent* out, int cap, int n) {
  if (d.len > 0 && d.seq[0] == ESC && !d.discard) {
    if (d.len == 1)
      n = EmitKey(KEY::ESC, out, cap, n);  // the Esc key itself
    else if (d.len == 2)
      n = EmitKey(AltKey(d.seq[1]), out, cap, n);  // Alt+[, Alt+O, Alt+Esc
    else if (d.len == 3 && d.seq[1] == ESC)
      n = EmitKey(AltKey(d.seq[2]), out, cap, n);
  }
  d.len = 0;
  d.discard = false;
  return n;
}

// Length of a UTF-8 sequence from its lead byte; 0 for a byte that cannot lead.
static int Utf8Len(uint8_t b) {
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

// Take one byte.
static int Byte(KeyDecoder& d, uint8_t b, KeyEvent* out, int cap, int n) {
  for (;;) {
    if (d.len == 0) {
      if (b == ESC || Utf8Len(b) > 0) {
        d.seq[0] = b;
        d.len = 1;
        return n;
      }
      if (b >= 0x80) return n;  // a stray continuation byte
      return EmitKey(PlainKey(b), out, cap, n);
    }
    if (d.seq[0] != ESC) {  // a UTF-8 character: Latin-1 ones are kind-0 keys
      if ((b & 0xC0) != 0x80) {
        d.len = 0;
        continue;
      }
      d.seq[d.len++] = b;
      if (d.len < Utf8Len(d.seq[0])) return n;
      uint32_t c = d.seq[0] & 0x1F;
      if (d.len == 2)
        n = EmitKey(c >= 2 && c <= 3 ? CharKey(c << 6 | (b & 0x3F), 0) : 0, out, cap, n);
      d.len = 0;
      return n;
    }
    if (d.discard) {  // swallow an overlong sequence up to its final byte
      if (b >= 0x20 && b <= 0x3F) return n;
      d.len = 0;
      d.discard = false;
      if (b >= 0x40 && b <= 0x7E) return n;
      continue;
    }
    if (d.len == int(sizeof d.seq)) {
      d.discard = true;
      continue;
    }
    d.seq[d.len++] = b;
    switch (Examine(d, out, cap, n)) {
      case MORE:
        return n;
      case DONE:
        d.len = 0;
        return n;
      case BAD:
        d.len = 0;
        continue;
    }
  }
}

void KDRESET(KeyDecoder& d) {
  d.len = 0;
  d.discard = false;
  d.last = 0;
  d.held = 0;
  d.lastx = d.lasty = 0xFFFF;
}

int64_t KDDEADLINE(const KeyDecoder& d) { return d.len > 0 ? d.last + ESCMS : -1; }

int KDTIME(KeyDecoder& d, int64_t now, KeyEvent* out, int cap) {
  if (d.len == 0 || now < d.last + ESCMS) return 0;
  return Settle(d, out, cap, 0);
}

int KDFEED(KeyDecoder& d, const uint8_t* bytes, int n, int64_t now, KeyEvent* out, int cap) {
  int count = KDTIME(d, now, out, cap);
  for (int i = 0; i < n; i++) count = Byte(d, bytes[i], out, cap, count);
  if (n > 0 && d.len > 0) d.last = now;  // the quiet time runs from the last byte
  return count;
}
