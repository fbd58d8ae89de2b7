// An entry whose header yields fewer than five marker fields still opens in the
// usual area, and both of its files go afterwards. An Esc typed first stops the
// header at its first byte, so the scan finds none of its markers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ansi/templates.h"
#include "app/sections.h"
#include "app/state.h"
#include "tests/support/console_fixture.h"

namespace {

TEST(Entry, AHeaderWithoutItsFiveFieldsStillShowsTheTextInTheUsualArea) {
  const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "rodi_app_entry";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  WorkDir = dir.string() + "/";
  Ascii = "";
  ConsoleOnPipes console{Charset::Utf8};
  console.Type("\x1b\x1b");  // stops the header, then closes the viewer

  ExtractArticle("news", "news from the scene", "pomb", "info/gossip");
  EXPECT_LT(TemplatePos.size(), 5u) << "the header was drawn whole: nothing tested";
  EXPECT_EQ(console.Row(7).substr(0, 20), "  -=-=-=-=-=-=-=-=-=") << "text not at column 1, row 7";
  EXPECT_EQ(console.Row(23).find("-=-=-="), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(dir)) << "news.txt or news_hdr.ans left behind";
  FreeTemplate();
  std::filesystem::remove_all(dir);
}

}  // namespace
