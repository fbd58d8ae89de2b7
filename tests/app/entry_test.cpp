// An entry whose header yields fewer than five marker fields still opens in the
// usual area, and both of its files go afterwards. An Esc typed first stops the
// header at its first byte, so the scan finds none of its markers.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "ansi/templates.h"
#include "app/sections.h"
#include "app/state.h"
#include "tests/support/console_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST(Entry, AHeaderWithoutItsFiveFieldsStillShowsTheTextInTheUsualArea) {
  const fs::path dir = fs::path(testing::TempDir()) / "rodi_app_entry";
  fs::remove_all(dir);
  fs::create_directories(dir);
  WorkDir = dir.string() + "/";
  Ascii = "";
  ConsoleOnPipes console{Charset::Utf8};
  console.Type("\x1b");  // stops the header
  console.Type("\x1b");  // closes the viewer

  ExtractArticle("news", "news from the scene", "pomb", "info/gossip");

  EXPECT_LT(TemplatePos.size(), 5u) << "the header was drawn whole: nothing tested";
  EXPECT_EQ(console.Row(7).substr(0, 20), "  -=-=-=-=-=-=-=-=-=") << "text not at column 1, row 7";
  EXPECT_EQ(console.Row(23).find("-=-=-="), std::string::npos);
  EXPECT_TRUE(fs::is_empty(dir)) << "news.txt or news_hdr.ans left behind";
  FreeTemplate();
  fs::remove_all(dir);
}

}  // namespace
