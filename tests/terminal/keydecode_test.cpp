// The key decoder, byte for byte: each key and mouse report from every form terminals send it in.
#include "keydecode.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

// Events of reads {ms, bytes} settled at end: keys in hex, mouse as M<buttons>,<x>,<y>,<action>.
static std::string Feed(const std::vector<std::pair<long, std::string>>& rs, long end = 1000) {
  static KeyEvent ev[1024];
  KeyDecoder d;
  KDRESET(d);
  int n = 0;
  for (auto& [t, b] : rs)
    n += KDFEED(d, reinterpret_cast<const uint8_t*>(b.data()), int(b.size()), t, ev + n, 1024 - n);
  n += KDTIME(d, end, ev + n, 1024 - n);
  std::string s;
  char buf[32];
  for (int i = 0; i < n; i++, s += buf) {
    const MouseEvent& m = ev[i].mouse;
    if (ev[i].isMouse)
      snprintf(buf, sizeof buf, " M%d,%d,%d,%d", m.buttons, m.x, m.y, m.action);
    else
      snprintf(buf, sizeof buf, " %04X", ev[i].key);
  }
  return s.empty() ? s : s.substr(1);
}

TEST(KeyDecode, EveryKeyAndMouseReportFromEachForm) {
  const std::pair<std::string, const char*> forms[] = {
      // plain bytes; UTF-8 gives its Latin-1 character or nothing
      {"\r\t\n\t\x7f\b+-", "000D 0009 000D 0009 0008 0008 002B 002D"},
      {"12345678", "0031 0032 0033 0034 0035 0036 0037 0038"},
      {"LlNnOoSsXx", "004C 006C 004E 006E 004F 006F 0053 0073 0058 0078"},
      {"\x01\xc3\xae\xe2\x82\xac\x80" + std::string(1, '\0') + "x", "0401 00EE 0078"},
      // F1-F12 and the cursor block, with modifiers: xterm and tmux, then kitty's F1-F4,
      // older xterm SS3 modifiers, rxvt, the Linux console, Shift+Tab, the application keypad
      {"\x1bOP\x1bOQ\x1bOR\x1bOS", "2001 2002 2003 2004"},
      {"\x1b[15~\x1b[17~\x1b[18~\x1b[19~", "2005 2006 2007 2008"},
      {"\x1b[20~\x1b[21~\x1b[23~\x1b[24~", "2009 200A 200B 200C"},
      {"\x1b[1;2P\x1b[24;2~\x1b[1;5P\x1b[1;3P", "2301 230C 2401 2801"},
      {"\x1b[1~\x1b[H\x1bOH\x1b[7~", "2020 2020 2020 2020"},
      {"\x1b[4~\x1b[F\x1bOF\x1b[8~", "2026 2026 2026 2026"},
      {"\x1b[5~\x1b[6~\x1b[2~\x1b[3~", "2022 2028 2029 202A"},
      {"\x1b[A\x1b[B\x1b[C\x1b[D", "2021 2027 2025 2023"},
      {"\x1bOA\x1bOB\x1bOC\x1bOD", "2021 2027 2025 2023"},
      {"\x1b[1;5D\x1b[1;2A\x1b[1;8B", "2423 2321 2F27"},
      {"\x1b[P\x1b[S\x1bO2P\x1b[11~", "2001 2004 2301 2001"},
      {"\x1b[[A\x1b[[E\x1b[Z", "2001 2005 330F"},
      {"\x1bOk\x1bOm\x1bOM\x1bOq", "002B 002D 000D 0031"},
      // xterm's modifyOtherKeys (CSI 27;m;c~), kitty's and tmux's CSI c;m u; Alt+1 and Alt+8
      // (the depth steps on every terminal); Ctrl+C, Ctrl+\ and Ctrl+Z as sequences (the
      // input layer's signals)
      {"\x1b[27;5;49~\x1b[27;3;49~\x1b[27;3;56~\x1b[49;3u\x1b[56;3u", "3402 3802 3809 3802 3809"},
      {"\x1b[99;5u\x1b[27;5;92~\x1b[122;5u", "0403 041C 041A"},
      {"\x1b[27;5;56~\x1b[27;3;110~\x1b[27;2;78~\x1b[27;4;78~", "3409 3831 034E 3B31"},
      {"\x1b[27;2;43~\x1b[27;5;110~\x1b[27;2;9~\x1b[27;2;13~", "032B 040E 330F 030D"},
      {"\x1b[49;5u\x1b[56;5u\x1b[110;3u\x1b[110;4u", "3402 3409 3831 3B31"},
      {"\x1b[27u\x1b[13u\x1b[9;2u\x1b[127u", "001B 000D 330F 0008"},
      {"\x1b[57414u\x1b[57413u\x1b[57412u\x1b[57441;2u", "000D 002B 002D"},
      {"\x1b[110:78;3u\x1b[110;67u\x1b[110;2u", "3831 3831 034E"},
      // Alt as an ESC prefix; ESC alone, Alt+[ and Alt+O once the quiet time has passed
      {"\x1bn\x1bN\x1bz\x1b~\x1b/", "3831 3B31 382C 3B29 3835"},
      {"\x1b\x31\x1b\x7f\x1b\x38\x1b\r", "3802 380E 3809 381C"},  // Alt+1, BkSp, 8, Enter
      {"\x1b", "001B"},
      {"\x1b[", "381A"},
      {"\x1bO", "3B18"},
      {"\x1b\x1b", "3801"},
      {"\x1b\x1b[A", "2821"},
      {"\x1b\x1bx", "3801 0078"},
      {"\x1b\xc3\xae", "00EE"},
      // unknown or broken sequences, and characters past Latin-1 (U+2021 as kitty sends it), are
      // dropped whole, never taken for Esc or a key
      {"\x1b[99;9zx\x1b[?62ux\x1b[>1;2cx\x1b[200~x\x1b[Ix", "0078 0078 0078 0078 0078"},
      {"\x1b[1;2;3;4;5Ax\x1b[1$Ax\x1bOzx\x1b[[Zx\x1b[8225ux", "0078 0078 0078 0078 0078"},
      {"\x1b[12", ""},
      {"\x1b[<0;1", ""},
      {"\x1b[M ", ""},
      {"\x1b[1;5", ""},
      {"\x1b[1\r", "000D"},
      {"\x1b[1\x1b[A", "2021"},
      {"\x1b[99zx", "0078"},
      {"\x1b[" + std::string(99, '1') + "~y", "0079"},
      {"\x1b[" + std::string(99, ';') + "\ry", "000D 0079"},
      // SGR: press and release in one read; left, right, motion with both, the same again,
      // left up, right up; motion alone, middle, wheel (nothing), modifier bits; saturation
      {"\x1b[<0;11;6M\x1b[<0;11;6m", "M1,10,5,1 M0,10,5,2"},
      {"\x1b[<0;80;25M\x1b[<2;80;25M\x1b[<32;3;4M\x1b[<32;3;4M\x1b[<0;3;4m\x1b[<2;3;4m",
       "M1,79,24,1 M3,79,24,1 M3,2,3,4 M3,2,3,0 M2,2,3,2 M0,2,3,2"},
      {"\x1b[<35;30;16M\x1b[<1;30;16M\x1b[<64;30;16M\x1b[<1;30;16m\x1b[<16;5;5M",
       "M0,29,15,4 M4,29,15,1 M0,29,15,2 M1,4,4,1"},
      {"\x1b[<35;99999999;0M", "M0,65535,0,4"},
      // X10: ESC [ M, 32 + button, 33 + column, 33 + row; a release names no button
      {"\x1b[M +&\x1b[M\"+&\x1b[M#+&\x1b[MC4(", "M1,10,5,1 M3,10,5,1 M0,10,5,2 M0,19,7,4"},
      {"\x1b[<0;6;6M\r\x1b[<0;6;6mx", "M1,5,5,1 000D M0,5,5,2 0078"},  // keys between clicks
  };
  // Each form whole and cut in two reads at every point, 1 ms apart (inside the Esc
  // quiet time): a terminal may split a sequence anywhere.
  for (auto& [b, w] : forms)
    for (size_t i = 0; i < b.size(); i++)
      EXPECT_EQ(Feed({{0, b.substr(0, i)}, {1, b.substr(i)}}), w) << testing::PrintToString(b) << i;
}

// Esc alone only once the quiet time has passed; a byte within it makes Alt.
TEST(KeyDecode, EscWaitsForTheQuietTime) {
  EXPECT_EQ(Feed({{100, "\x1b"}}, 100 + ESCMS - 1), "");
  EXPECT_EQ(Feed({{100, "\x1b"}}, 100 + ESCMS), "001B");
  EXPECT_EQ(Feed({{100, "\x1b"}, {100 + ESCMS - 1, "n"}}), "3831");
  EXPECT_EQ(Feed({{100, "\x1b"}, {100 + ESCMS, "n"}}), "001B 006E");
}
