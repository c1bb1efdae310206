#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>

#include "core/cli/card_command.h"
#include "core/controller/command_line.h"

namespace orvaltic {
namespace {

// The page as a reader sees its words: font changes and escapes taken out.
std::string ManText(const std::string& name) {
  std::ifstream file(std::string(ORVALTIC_MAN_DIR) + "/" + name);
  // The alternating-font macros (.BI sim: FILE) join their arguments.
  static const std::regex kAlternating(R"(^\.(?:BI|BR|IB|IR|RB|RI) )");
  std::string text;
  for (std::string line; std::getline(file, line);) {
    if (std::regex_search(line, kAlternating)) {
      line = std::regex_replace(line.substr(4), std::regex(R"([ "]+)"), "");
    }
    text += line + "\n";
  }
  std::string page = std::regex_replace(text, std::regex(R"(\\f[BIRP])"), "");
  page = std::regex_replace(page, std::regex(R"(\\-)"), "-");
  return page;
}

// Every switch, option and word of a command that the usage text names.
std::set<std::string> UsageWords(const std::string& usage) {
  static const std::regex kWord(
      R"((?:^|\s|\[)(--?[a-z]+|/[A-Z]:?|sim(?::FILE)?|port|tune|preset|station|mute|unmute|volume)\b)");
  std::set<std::string> words;
  for (auto it = std::sregex_iterator(usage.begin(), usage.end(), kWord);
       it != std::sregex_iterator(); ++it) {
    words.insert((*it)[1]);
  }
  return words;
}

TEST(ManPagesTest, NameEverySwitchAndOptionOfTheUsageTexts) {
  const struct {
    const char* page;
    std::string usage;
    std::size_t at_least;
  } pages[] = {{"orvaltic.1", UsageText(), 10}, {"orvaltic-card.1", CardCommandUsage(), 10}};
  for (const auto& page : pages) {
    const std::string man = ManText(page.page);
    ASSERT_FALSE(man.empty()) << page.page;
    const std::set<std::string> words = UsageWords(page.usage);
    EXPECT_GE(words.size(), page.at_least) << page.page;
    for (const std::string& word : words) {
      EXPECT_NE(man.find(word), std::string::npos) << page.page << " lacks " << word;
    }
    EXPECT_NE(man.find("ORVALTIC_CARD"), std::string::npos) << page.page;
  }
}

}  // namespace
}  // namespace orvaltic
