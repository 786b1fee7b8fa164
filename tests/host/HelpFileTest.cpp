// The help pages: every context number a window gives its controls opens a page that exists,
// at a place that exists on it, and every page can be found from the contents.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/app/HelpTopics.h"

#ifdef SORVANE_HELP_SOURCE
namespace sorvane {
namespace {

namespace fs = std::filesystem;

std::string TextOf(const fs::path& file) {
    std::stringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

TEST(HelpFile, EveryNumberOpensAPlaceThatExistsAndEveryPageIsInTheContents) {
    const fs::path pages = SORVANE_HELP_SOURCE;
    const std::string contents = TextOf(pages / "Sorvane.hhc");
    for (const auto& entry : fs::directory_iterator(pages)) {
        const std::string name = entry.path().filename().string();
        const bool page = entry.path().extension() == ".htm";
        EXPECT_TRUE(!page || contents.find("\"" + name + "\"") != std::string::npos) << name;
    }
    for (const help::TopicPage& topic : help::TopicPages()) {
        const std::string page(topic.page.substr(0, topic.page.find('#')));
        ASSERT_TRUE(fs::exists(pages / page)) << topic.context << " " << page;
        if (page.size() == topic.page.size()) continue;
        const std::string place(topic.page.substr(page.size() + 1));
        const std::string text = TextOf(pages / page);
        EXPECT_TRUE(text.find("id=\"" + place + "\"") != std::string::npos ||
                    text.find("name=\"" + place + "\"") != std::string::npos)
            << topic.context << " " << topic.page;
    }
}

}  // namespace
}  // namespace sorvane
#endif
