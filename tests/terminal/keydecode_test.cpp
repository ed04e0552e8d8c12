// The key decoder, byte for byte: every key of the program's key table from
// each form terminals send it in, Esc against Alt and unknown sequences, and
// the mouse reports with the held buttons tracked across events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "keydecode.h"

namespace {

// Events from bytes that arrive in one read at time 0, then a quiet second.
std::vector<KeyEvent> Decode(const std::string& bytes, KeyDecoder* state = nullptr) {
  KeyDecoder own;
  KeyDecoder& d = state ? *state : own;
  if (!state) KDRESET(d);
  KeyEvent ev[512];
  int n = KDFEED(d, reinterpret_cast<const uint8_t*>(bytes.data()), int(bytes.size()), 0, ev, 512);
  n += KDTIME(d, 1000, ev + n, 512 - n);
  return std::vector<KeyEvent>(ev, ev + n);
}

// The key codes among them, as hexadecimal text, space-separated.
std::string Keys(const std::string& bytes) {
  std::string s;
  for (const KeyEvent& e : Decode(bytes)) {
    char buf[8];
    snprintf(buf, sizeof buf, "%s%04X", s.empty() ? "" : " ", e.isMouse ? 0xFFFF : e.key);
    s += buf;
  }
  return s;
}

struct Form {
  const char* bytes;
  const char* code;
};

// Checks every form in the table.
void ExpectForms(const std::vector<Form>& forms) {
  for (const Form& f : forms) EXPECT_EQ(Keys(f.bytes), f.code) << "bytes " << testing::PrintToString(std::string(f.bytes));
}

TEST(KeyDecode, PlainBytes) {
  ExpectForms({{"\r", "000D"}, {"\n", "000D"}, {"\t", "0009"}, {"\x7f", "0008"}, {"\b", "0008"},
               {"+", "002B"}, {"-", "002D"}, {"12345678", "0031 0032 0033 0034 0035 0036 0037 0038"},
               {"LlNnOoSsXx", "004C 006C 004E 006E 004F 006F 0053 0073 0058 0078"},
               {"\x01", "0401"}, {"\xc3\xae", "00EE"}, {"\xe2\x82\xac", ""}, {"\x80", ""}, {std::string(1, '\0').c_str(), ""}});
}

TEST(KeyDecode, FunctionAndCursorKeys) {
  ExpectForms({
      // xterm and tmux
      {"\x1bOP", "2001"}, {"\x1bOQ", "2002"}, {"\x1bOR", "2003"}, {"\x1bOS", "2004"},
      {"\x1b[15~", "2005"}, {"\x1b[17~", "2006"}, {"\x1b[18~", "2007"}, {"\x1b[19~", "2008"},
      {"\x1b[20~", "2009"}, {"\x1b[21~", "200A"}, {"\x1b[23~", "200B"}, {"\x1b[24~", "200C"},
      {"\x1b[1;2P", "2301"}, {"\x1b[24;2~", "230C"}, {"\x1b[1;5P", "2401"}, {"\x1b[1;3P", "2801"},
      {"\x1b[1~", "2020"}, {"\x1b[H", "2020"}, {"\x1bOH", "2020"}, {"\x1b[7~", "2020"},
      {"\x1b[4~", "2026"}, {"\x1b[F", "2026"}, {"\x1bOF", "2026"}, {"\x1b[8~", "2026"},
      {"\x1b[5~", "2022"}, {"\x1b[6~", "2028"}, {"\x1b[2~", "2029"}, {"\x1b[3~", "202A"},
      {"\x1b[A", "2021"}, {"\x1b[B", "2027"}, {"\x1b[C", "2025"}, {"\x1b[D", "2023"},
      {"\x1bOA", "2021"}, {"\x1bOB", "2027"}, {"\x1bOC", "2025"}, {"\x1bOD", "2023"},
      {"\x1b[1;5D", "2423"}, {"\x1b[1;2A", "2321"}, {"\x1b[1;8B", "2F27"},
      // kitty with disambiguated keys, older xterm SS3 modifiers, rxvt's F1..F4
      {"\x1b[P", "2001"}, {"\x1b[S", "2004"}, {"\x1bO2P", "2301"}, {"\x1b[11~", "2001"},
      // the Linux console
      {"\x1b[[A", "2001"}, {"\x1b[[E", "2005"},
      // Shift+Tab, keypad in application mode
      {"\x1b[Z", "330F"}, {"\x1bOk", "002B"}, {"\x1bOm", "002D"}, {"\x1bOM", "000D"}, {"\x1bOq", "0031"},
  });
}

TEST(KeyDecode, ExtendedKeyForms) {
  ExpectForms({
      // xterm modifyOtherKeys: CSI 27;m;c~
      {"\x1b[27;5;49~", "3402"}, {"\x1b[27;5;56~", "3409"}, {"\x1b[27;3;110~", "3831"},
      {"\x1b[27;2;78~", "034E"}, {"\x1b[27;4;78~", "3B31"}, {"\x1b[27;2;43~", "032B"},
      {"\x1b[27;5;110~", "040E"}, {"\x1b[27;2;9~", "330F"}, {"\x1b[27;2;13~", "030D"},
      // kitty and tmux: CSI c;m u
      {"\x1b[49;5u", "3402"}, {"\x1b[56;5u", "3409"}, {"\x1b[110;3u", "3831"}, {"\x1b[110;4u", "3B31"},
      {"\x1b[27u", "001B"}, {"\x1b[13u", "000D"}, {"\x1b[9;2u", "330F"}, {"\x1b[127u", "0008"},
      {"\x1b[57414u", "000D"}, {"\x1b[57413u", "002B"}, {"\x1b[57412u", "002D"}, {"\x1b[57441;2u", ""},
      {"\x1b[110:78;3u", "3831"}, {"\x1b[110;67u", "3831"},
  });
}

TEST(KeyDecode, AltAgainstEsc) {
  ExpectForms({
      {"\x1bn", "3831"}, {"\x1bN", "3B31"}, {"\x1bz", "382C"}, {"\x1b~", "3B29"}, {"\x1b/", "3835"}, {"\x1b" "1", "3802"}, {"\x1b\x7f", "380E"}, {"\x1b\r", "381C"},
      {"\x1b", "001B"}, {"\x1b[", "381A"}, {"\x1bO", "3B18"}, {"\x1b\x1b", "3801"},
      {"\x1b\x1b[A", "2821"}, {"\x1b\x1bx", "3801 0078"}, {"\x1b\xc3\xae", "00EE"},
  });
  // Esc alone only once the quiet time has passed; a byte within it makes Alt.
  KeyDecoder d;
  KDRESET(d);
  KeyEvent ev[8];
  const uint8_t esc = 0x1B, n = 'n';
  EXPECT_EQ(KDFEED(d, &esc, 1, 100, ev, 8), 0);
  EXPECT_EQ(KDDEADLINE(d), 100 + ESCMS);
  EXPECT_EQ(KDTIME(d, 100 + ESCMS - 1, ev, 8), 0);
  ASSERT_EQ(KDFEED(d, &n, 1, 100 + ESCMS - 1, ev, 8), 1);
  EXPECT_EQ(ev[0].key, 0x3831);
  EXPECT_EQ(KDFEED(d, &esc, 1, 200, ev, 8), 0);
  ASSERT_EQ(KDTIME(d, 200 + ESCMS, ev, 8), 1);
  EXPECT_EQ(ev[0].key, 0x001B);
  EXPECT_EQ(KDDEADLINE(d), -1);
  // Escape, then n after the quiet time: two keys.
  EXPECT_EQ(KDFEED(d, &esc, 1, 300, ev, 8), 0);
  ASSERT_EQ(KDFEED(d, &n, 1, 300 + ESCMS, ev, 8), 2);
  EXPECT_EQ(ev[0].key, 0x001B);
  EXPECT_EQ(ev[1].key, 0x006E);
}

TEST(KeyDecode, UnknownSequencesAreDroppedWhole) {
  ExpectForms({
      {"\x1b[99;9z", ""}, {"\x1b[?62u", ""}, {"\x1b[>1;2c", ""}, {"\x1b[200~", ""}, {"\x1b[1;2;3;4;5A", ""},
      {"\x1b[1$A", ""}, {"\x1b[I", ""}, {"\x1bOz", ""}, {"\x1b[[Z", ""}, {"\x1b[12", ""}, {"\x1b[<0;1", ""},
      {"\x1b[M ", ""}, {"\x1b[1;5", ""},
      // a broken sequence gives way to what follows it
      {"\x1b[1\r", "000D"}, {"\x1b[1\x1b[A", "2021"}, {"\x1b[99zx", "0078"},
  });
  // An endless parameter list is swallowed up to its final byte.
  EXPECT_EQ(Keys("\x1b[" + std::string(500, '1') + "~y"), "0079");
  EXPECT_EQ(Keys("\x1b[" + std::string(500, ';') + "\ry"), "000D 0079");
}

// One mouse event: buttons held, 0-based cell, action.
void ExpectMouse(const KeyEvent& e, uint16_t buttons, uint16_t x, uint16_t y, uint16_t action) {
  ASSERT_TRUE(e.isMouse);
  EXPECT_EQ(e.mouse.buttons, buttons);
  EXPECT_EQ(e.mouse.x, x);
  EXPECT_EQ(e.mouse.y, y);
  EXPECT_EQ(e.mouse.action, action);
}

TEST(KeyDecode, SgrMouse) {
  KeyDecoder d;
  KDRESET(d);
  // Press and release of the left button merged in one read stay two events.
  auto ev = Decode("\x1b[<0;11;6M\x1b[<0;11;6m", &d);
  ASSERT_EQ(ev.size(), 2u);
  ExpectMouse(ev[0], 1, 10, 5, 1);
  ExpectMouse(ev[1], 0, 10, 5, 2);
  // Left held, right pressed, motion with both, left released, right released.
  ev = Decode("\x1b[<0;80;25M\x1b[<2;80;25M\x1b[<32;3;4M\x1b[<32;3;4M\x1b[<0;3;4m\x1b[<2;3;4m", &d);
  ASSERT_EQ(ev.size(), 6u);
  ExpectMouse(ev[0], 1, 79, 24, 1);
  ExpectMouse(ev[1], 3, 79, 24, 1);
  ExpectMouse(ev[2], 3, 2, 3, 4);
  ExpectMouse(ev[3], 3, 2, 3, 0);  // nothing changed
  ExpectMouse(ev[4], 2, 2, 3, 2);
  ExpectMouse(ev[5], 0, 2, 3, 2);
  // Motion without buttons, middle button, wheel (ignored), modifier bits.
  ev = Decode("\x1b[<35;30;16M\x1b[<1;30;16M\x1b[<64;30;16M\x1b[<1;30;16m\x1b[<16;5;5M", &d);
  ASSERT_EQ(ev.size(), 4u);
  ExpectMouse(ev[0], 0, 29, 15, 4);
  ExpectMouse(ev[1], 4, 29, 15, 1);
  ExpectMouse(ev[2], 0, 29, 15, 2);
  ExpectMouse(ev[3], 1, 4, 4, 1);
  // Huge coordinates saturate instead of wrapping.
  ev = Decode("\x1b[<35;99999999;0M", &d);
  ASSERT_EQ(ev.size(), 1u);
  EXPECT_EQ(ev[0].mouse.y, 0);
  EXPECT_GT(ev[0].mouse.x, 80);
}

TEST(KeyDecode, X10Mouse) {
  KeyDecoder d;
  KDRESET(d);
  // ESC [ M, then 32 + button, 33 + column, 33 + row.
  auto ev = Decode("\x1b[M +&\x1b[M\"+&\x1b[M#+&\x1b[MC4(", &d);
  ASSERT_EQ(ev.size(), 4u);
  ExpectMouse(ev[0], 1, 10, 5, 1);
  ExpectMouse(ev[1], 3, 10, 5, 1);
  ExpectMouse(ev[2], 0, 10, 5, 2);  // a release names no button: all are up
  ExpectMouse(ev[3], 0, 19, 7, 4);
}

TEST(KeyDecode, KeyAndClickInOneRead) {
  auto ev = Decode("\x1b[<0;6;6M\r\x1b[<0;6;6mx");
  ASSERT_EQ(ev.size(), 4u);
  ExpectMouse(ev[0], 1, 5, 5, 1);
  EXPECT_EQ(ev[1].key, 0x000D);
  ExpectMouse(ev[2], 0, 5, 5, 2);
  EXPECT_EQ(ev[3].key, 0x0078);
}

// Bytes split across reads at every point decode the same as one read.
TEST(KeyDecode, SplitReads) {
  const std::string all = "a\x1b[1;5P\x1b[<2;7;8M\x1b[27;3;110~\x1bOk\x1b[M +&z";
  const std::string whole = Keys(all);
  for (size_t cut = 1; cut < all.size(); cut++) {
    KeyDecoder d;
    KDRESET(d);
    KeyEvent ev[64];
    int n = KDFEED(d, reinterpret_cast<const uint8_t*>(all.data()), int(cut), 0, ev, 64);
    n += KDFEED(d, reinterpret_cast<const uint8_t*>(all.data()) + cut, int(all.size() - cut), 10, ev + n, 64 - n);
    n += KDTIME(d, 1000, ev + n, 64 - n);
    std::string s;
    for (int i = 0; i < n; i++) {
      char buf[8];
      snprintf(buf, sizeof buf, "%s%04X", s.empty() ? "" : " ", ev[i].isMouse ? 0xFFFF : ev[i].key);
      s += buf;
    }
    EXPECT_EQ(s, whole) << "cut at " << cut;
  }
}

}  // namespace
