// The entries of this two reading sections.
#pragma once
#include <array>

struct SectionEntry {
  const char* caption;
  const char* name;  // the text resource
  const char* title;
  const char* author;
  const char* category;
};

inline constexpr std::array<SectionEntry, 6> kArticles = {{
    {"d a   n e w s", "news", "news from the scene", "pomb", "info/gossip"},
    {"the fall of hacker groups - [glimmet]", "article1", "the fall of hacker groups", "glimmet",
     "community/groups"},
    {"ansi art is back...", "article2", "ansi art is back", "pomb", "ansi/ascii"},
    {"programmer or googler?", "article3", "programmer or googler", "tarvelo",
     "programming/ethics"},
    {"remembering bbs life at 2400bps", "article7", "remembering bbs life at 2400bps", "mibrask",
     "bbs/history"},
    {"the rise of retrocomputing", "article8", "the rise of retrocomputing", "quoddel",
     "retro/computing"},
}};

inline constexpr std::array<SectionEntry, 6> kTutorials = {{
    {"[bgn] hexeditors", "article4", "hex editor [basic]", "", "cracking/programming"},
    {"[bgn] assembly", "article5", "assembly x01 [basic]", "www.asmkitchen.example", "programming"},
    {"[avg] taskelvorn installation", "article6", "taskelvorn installation", "pomb", "programming"},
    {"[avg] record terminal connection", "tutor1", "record terminal connection", "pomb",
     "script/terminal/bbs"},
    {"[adv] send sms msg, from your bbs", "tutor2", "send sms msg, from your bbs", "pomb",
     "script/terminal/bbs"},
    {"[adv] 3d programming algorithm", "tutor3", "3d programming algorithm", "ferrund",
     "programming/algorithm"},
}};

inline constexpr const char* kBack = "[ b a c k ]";
