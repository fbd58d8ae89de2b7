#pragma once
#include <cstdint>
#include <string>

// The two reading sections: a list over its background; an entry shows the
// header art with its title, author and category and the text in the viewer.
void OpenArticlesScreen();
void OpenTutorsScreen();

void ExtractArticle(const std::string& name, const std::string& title, const std::string& author,
                    const std::string& cat);

// The text file in a viewer at column x1, row y1, w columns wide (scroll bar
// included), text on rows y1 to y1 + h.
void ViewTextFile(const std::string& fileNm, int32_t x1, int32_t y1, int32_t w, int32_t h);
