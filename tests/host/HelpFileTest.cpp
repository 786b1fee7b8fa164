// The help file: every context number a window gives its controls opens a page that exists
// (at a place that exists on it), and every page can be found from the contents.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/app/HelpTopics.h"

// Builds without the help tools have no help file to check; the check runs the tools of this
// machine, so not under Wine.
#if defined(SORVANE_HELP_SOURCE) && !defined(_WIN32)
namespace sorvane {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every match of the pattern's first group.
std::set<std::string> Captures(const std::string& text, const std::string& pattern) {
    std::set<std::string> found;
    const std::regex re(pattern, std::regex::icase);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it) {
        found.insert((*it)[1]);
    }
    return found;
}

// Fails unless `target` ("page.htm" or "page.htm#place") names a page in `folder` and, with a
// place, an id or anchor name on that page.
void ExpectTargetIn(const fs::path& folder, const std::string& target) {
    const auto hash = target.find('#');
    const fs::path page = folder / target.substr(0, hash);
    ASSERT_TRUE(fs::exists(page)) << target;
    if (hash == std::string::npos) return;
    const std::string place = target.substr(hash + 1);
    const std::set<std::string> places = Captures(ReadAll(page), R"((?:id|name)\s*=\s*"([^"]+)\")");
    EXPECT_TRUE(places.contains(place)) << target;
}

// What the help viewer finds in the compiled file: every page, reachable from the contents, and
// for each context number the place it opens.
TEST(HelpFile, CompiledFileOpensEveryNumbersPlace) {
    const fs::path work = fs::temp_directory_path() / ("sorvane-help-" + std::to_string(getpid()));
    fs::remove_all(work);
    fs::create_directories(work / "files");
    fs::copy_file(SORVANE_HELP_FILE, work / "Sorvane.chm");
    const std::string chmls = SORVANE_CHMLS;
    ASSERT_EQ(std::system(("cd '" + work.string() + "' && " + chmls +
                           " extractalias Sorvane.chm >/dev/null && " + chmls +
                           " extractall Sorvane.chm files >/dev/null")
                              .c_str()),
              0);
    // Every page is in the file and in its contents.
    const std::set<std::string> contents =
        Captures(ReadAll(work / "files" / "Sorvane.hhc"), R"(name="Local"\s+value="([^"#]+))");
    for (const auto& entry : fs::directory_iterator(SORVANE_HELP_SOURCE)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(fs::exists(work / "files" / name)) << name;
        if (entry.path().extension() == ".htm") EXPECT_TRUE(contents.contains(name)) << name;
    }
    for (const std::string& listed : contents) EXPECT_TRUE(fs::exists(work / "files" / listed));

    std::map<std::uint32_t, std::string> map;
    const std::string aliases = ReadAll(work / "Sorvane.ali");
    const std::regex line(R"(helpid(\d+)=.*/([^/\r\n]+))");
    for (auto it = std::sregex_iterator(aliases.begin(), aliases.end(), line);
         it != std::sregex_iterator(); ++it) {
        map[static_cast<std::uint32_t>(std::stoul((*it)[1]))] = (*it)[2];
    }
    EXPECT_EQ(map.size(), help::TopicPages().size());
    for (const help::TopicPage& topic : help::TopicPages()) {
        SCOPED_TRACE(topic.context);
        const std::set<std::string> forward =
            Captures(ReadAll(work / "files" / map[topic.context]), R"(url=([^"]+))");
        ASSERT_EQ(forward.size(), 1u);
        EXPECT_EQ(*forward.begin(), topic.page);
        ExpectTargetIn(work / "files", *forward.begin());
    }
    fs::remove_all(work);
}

}  // namespace
}  // namespace sorvane
#endif
