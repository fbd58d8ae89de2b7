#include <gtest/gtest.h>

#include "engine_on_pipe.h"
#include "term/cp437.h"

namespace {

const std::string E = "\x1b";

TEST(OutputEngine, StartsWithCharsetResetAndClearAndGivesBackOnDestroy) {
  int fds[2];
  ASSERT_EQ(pipe2(fds, O_NONBLOCK), 0);
  std::string sent;
  auto drain = [&] {
    char buf[512];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) sent.append(buf, n);
  };
  {
    TOutput cp437(true, TOutputSetup{fds[1], Charset::Cp437});
    drain();
    EXPECT_EQ(sent, E + "(U" + E + "[0m" + E + "[2J" + E + "[1;1H");
    sent.clear();
  }
  drain();
  EXPECT_EQ(sent, E + "[0m" + E + "(B");  // the console must not keep the PC font mapping
  sent.clear();
  {
    TOutput utf8(true, TOutputSetup{fds[1], Charset::Utf8, 100, 30});
    drain();
    EXPECT_EQ(sent, E + "[0m" + E + "[1;25r" + E + "[2J" + E + "[1;1H");
    sent.clear();
  }
  drain();
  EXPECT_EQ(sent, E + "[0m" + E + "7" + E + "[r" + E + "8");
  close(fds[0]);
  close(fds[1]);
}

TEST(OutputEngine, AttrToAnsiEmitsTheShortestChange) {
  struct Case { uint8_t from, to; std::string sgr; };
  const Case cases[] = {
      {7, 15, E + "[1m"},         {15, 7, E + "[0m"},
      {0x1F, 0x1E, E + "[0;1;33;44m"}, {7, 0x17, E + "[0;44m"},
      {7, 7, ""},                 {7, 0x87, E + "[0;5m"},
      {0x87, 0x07, E + "[0m"},    {7, 0x0C, E + "[1;31m"},
      {0x0C, 0x04, E + "[0;31m"}, {0x04, 0x02, E + "[0;32m"},
      {7, 0x70, E + "[30;47m"},
  };
  EngineOnPipe pipe;
  for (const Case& c : cases) {
    pipe.engine->FTextAttr = c.from;
    EXPECT_EQ(pipe.engine->AttrToAnsi(c.to), c.sgr) << int(c.from) << " -> " << int(c.to);
  }
}

TEST(OutputEngine, SettingTheCurrentAttributeSendsNothing) {
  EngineOnPipe pipe;
  pipe.engine->SetTextAttr(7);
  pipe.engine->BufFlush();
  EXPECT_EQ(pipe.Take(), "");
}

TEST(OutputEngine, CursorMovesAreClampedAndAlwaysSent) {
  EngineOnPipe pipe;
  TOutput& out = *pipe.engine;
  out.CursorXY(0, 0);
  EXPECT_EQ(pipe.Take(), E + "[1;1H");
  out.CursorXY(200, 30);
  EXPECT_EQ(pipe.Take(), E + "[25;80H");
  EXPECT_EQ(out.FCursorX, 80);
  EXPECT_EQ(out.FCursorY, 25);
  out.CursorXY(80, 25);
  EXPECT_EQ(pipe.Take(), E + "[25;80H");
}

TEST(OutputEngine, LineFeedOnTheLastRowDoesNotScrollTheImage) {
  EngineOnPipe pipe;
  TOutput& out = *pipe.engine;
  out.CursorXY(1, 25);
  out.WriteStr("bottom");
  out.WriteChar('\n');
  EXPECT_EQ(out.FCursorY, 25);
  EXPECT_EQ(pipe.Row(25).substr(0, 6), "bottom");
  EXPECT_EQ(pipe.Row(24).substr(0, 6), "      ");
}

TEST(OutputEngine, EightiethCharacterWrapsAndFlushes) {
  EngineOnPipe pipe;
  TOutput& out = *pipe.engine;
  out.CursorXY(79, 3);
  pipe.Take();
  out.WriteChar('a');
  EXPECT_EQ(pipe.Take(), "");  // no flush point yet
  out.WriteChar('b');
  EXPECT_EQ(pipe.Take(), "ab");
  EXPECT_EQ(out.FCursorX, 1);
  EXPECT_EQ(out.FCursorY, 4);
  out.CursorXY(80, 25);
  out.WriteChar('z');
  EXPECT_EQ(out.FCursorX, 1);
  EXPECT_EQ(out.FCursorY, 25);  // never past the last row
}

TEST(OutputEngine, BufferFlushesAtExactly1024Bytes) {
  EngineOnPipe pipe;
  pipe.engine->BufAddStr(std::string(1023, 'x'));
  EXPECT_EQ(pipe.Take().size(), 0u);
  pipe.engine->BufAddStr("y");
  EXPECT_EQ(pipe.Take().size(), 1024u);
}

TEST(OutputEngine, InactiveEngineSendsOnlyRawWrites) {
  EngineOnPipe pipe({}, false);
  pipe.engine->BufAddStr(std::string(5000, 'x'));  // must not overflow either
  pipe.engine->WriteStr("hidden");
  pipe.engine->CursorXY(3, 3);
  EXPECT_EQ(pipe.Take(), "");
  EXPECT_EQ(pipe.Row(1).substr(0, 6), "hidden");
  pipe.engine->RawWriteStr("raw");
  EXPECT_EQ(pipe.Take(), "raw");
}

TEST(OutputEngine, WritePipeTakesOnlyCodesUpTo23) {
  EngineOnPipe pipe;
  TOutput& out = *pipe.engine;
  out.WritePipe("|14A|20B");
  EXPECT_EQ(pipe.Take(), E + "[1;33mA" + E + "[0;1;33;41mB");
  EXPECT_EQ(out.Buffer[0][0].Attributes, 14);
  EXPECT_EQ(out.Buffer[0][1].Attributes, 0x4E);

  struct Case { std::string text, visible; };
  const Case cases[] = {
      {"a|zz", "a|zz"}, {"a|", "a|"}, {"|24x", "|24x"}, {"|$Fx", "|$Fx"}, {"|&1x", "|&1x"},
      {"|00x", "x"},    {"|-1x", "|-1x"},
  };
  for (const Case& c : cases) {
    out.SetTextAttr(7);
    out.CursorXY(1, 2);
    out.WritePipe(c.text);
    EXPECT_EQ(pipe.Row(2).substr(0, c.visible.size()), c.visible) << c.text;
    EXPECT_EQ(out.FCursorX, 1 + c.visible.size()) << c.text;
  }
}

TEST(OutputEngine, PipeCodesKeepTheBackgroundAndDropBlink) {
  EngineOnPipe pipe;
  TOutput& out = *pipe.engine;
  out.SetTextAttr(0x9F);
  out.WritePipe("|07");
  EXPECT_EQ(out.FTextAttr, 0x17);
  out.WritePipe("|23");
  EXPECT_EQ(out.FTextAttr, 0x77);
}

TEST(OutputEngine, WriteXYPipeTakesEveryPositiveCodeAndRestores) {
  EngineOnPipe pipe;
  TOutput& out = *pipe.engine;
  out.CursorXY(10, 10);
  out.WriteXYPipe(5, 3, 7, 5, "|12Hello world");
  EXPECT_EQ(pipe.Row(3).substr(4, 6), "Hello ");
  for (int x = 5; x <= 9; ++x) EXPECT_EQ(out.ReadAttrXY(x, 3), 12);
  EXPECT_EQ(out.FTextAttr, 7);
  EXPECT_EQ(out.FCursorX, 10);
  EXPECT_EQ(out.FCursorY, 10);

  out.WriteXYPipe(1, 4, 7, 2, "|24a|$Fb");  // both are codes here
  EXPECT_EQ(pipe.Row(4).substr(0, 3), "ab ");
  EXPECT_EQ(out.ReadAttrXY(1, 4), 0x87);
  EXPECT_EQ(out.ReadAttrXY(2, 4), 0x0F);  // a foreground code drops the blink

  out.WriteXYPipe(1, 5, 7, 6, "ab");  // padded to six visible cells
  EXPECT_EQ(pipe.Row(5).substr(0, 7), "ab     ");
  out.WriteXYPipe(1, 6, 7, 0, "abc");  // a zero pad that starts with a character never stops
  EXPECT_EQ(pipe.Row(6).substr(0, 3), "abc");
}

TEST(OutputEngine, SavedScreenComesBackWhole) {
  EngineOnPipe pipe;
  TOutput& out = *pipe.engine;
  out.SetTextAttr(0x1E);
  out.CursorXY(3, 2);
  out.WriteStr("saved");
  TConsoleImageRec image;
  out.GetScreenImage(1, 1, 80, 25, image);
  const TConsoleScreenRec before = out.Buffer;
  out.SetTextAttr(0x4F);
  out.ClearScreen();
  out.CursorXY(40, 20);
  out.WriteStr("scribble");
  out.PutScreenImage(image);
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 80; ++x) {
      ASSERT_EQ(out.Buffer[y][x].UnicodeChar, before[y][x].UnicodeChar) << x << "," << y;
      ASSERT_EQ(out.Buffer[y][x].Attributes, before[y][x].Attributes) << x << "," << y;
    }
  }
  EXPECT_EQ(out.FTextAttr, 0x1E);
  EXPECT_EQ(out.FCursorX, 8);
  EXPECT_EQ(out.FCursorY, 2);

  pipe.Take();
  out.PutScreenImage(TConsoleImageRec{});  // never filled: changes nothing
  out.BufFlush();
  EXPECT_EQ(pipe.Take(), "");
}

TEST(OutputEngine, Utf8ModeSendsEveryCellAsItsGlyph) {
  EngineOnPipe pipe(TOutputSetup{0, Charset::Utf8});
  TOutput& out = *pipe.engine;
  for (int b = 0; b < 256; ++b) {
    out.CursorXY(1, 1);
    pipe.Take();
    out.WriteChar(static_cast<uint8_t>(b));
    out.BufFlush();
    std::string expected;
    if (b == 8 || b == 10 || b == 13 || b == 27) {
      expected = std::string(1, static_cast<char>(b));  // moves the cursor or starts a sequence
    } else {
      AppendUtf8(expected, Cp437ToUnicode(static_cast<uint8_t>(b)));
    }
    EXPECT_EQ(pipe.Take(), expected) << "byte " << b;
  }
  EXPECT_EQ(Cp437ToUnicode(0), U' ');
  EXPECT_EQ(Cp437ToUnicode(0xDB), U'\u2588');
  EXPECT_EQ(Cp437ToUnicode(0x7F), U'\u2302');
}

TEST(OutputEngine, Cp437ModeSendsCellsRaw) {
  EngineOnPipe pipe(TOutputSetup{0, Charset::Cp437});
  pipe.engine->WriteStr("\xDB\xB0\x01");
  EXPECT_EQ(pipe.Take(), "\xDB\xB0\x01");
}

TEST(OutputEngine, WiderTerminalWrapsAtColumn80) {
  EngineOnPipe pipe(TOutputSetup{0, Charset::Cp437, 120, 40});
  TOutput& out = *pipe.engine;
  out.CursorXY(79, 5);
  pipe.Take();
  out.WriteStr("abc");
  EXPECT_EQ(pipe.Take(), "ab\r\nc");
  out.CursorXY(80, 6);
  pipe.Take();
  out.WriteStr("x\ry");  // a carriage return ends the pending wrap
  EXPECT_EQ(pipe.Take(), "x\ry");

  // Escape sequences written as text take no cells, and their moves count.
  out.CursorXY(75, 8);
  pipe.Take();
  out.WriteStr("\x1b[1mabcdef");
  EXPECT_EQ(pipe.Take(), "\x1b[1mabcdef");
  out.WriteStr("g");
  EXPECT_EQ(pipe.Take(), "\r\ng");
  out.CursorXY(1, 10);
  pipe.Take();
  out.WriteStr("\x1b[75Cabcdef");
  EXPECT_EQ(pipe.Take(), "\x1b[75Cabcde\r\nf");
}

}  // namespace
