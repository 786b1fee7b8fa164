// The help file: every context number a window gives its controls opens a place that exists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "core/app/HelpTopics.h"

// Builds without the help tools have no help file to check; the check runs the tools of this
// machine, so not under Wine.
#if defined(SORVANE_HELP_SOURCE) && !defined(_WIN32)
#include <unistd.h>

namespace sorvane {
namespace {

namespace fs = std::filesystem;

// Every match of `pattern` in the file: its first group, with its last group.
std::map<std::string, std::string> Captures(const fs::path& file, const char* pattern) {
    std::stringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    const std::string s = text.str();
    std::map<std::string, std::string> found;
    const std::regex re(pattern, std::regex::icase);
    for (auto it = std::sregex_iterator(s.begin(), s.end(), re); it != std::sregex_iterator(); ++it)
        found[(*it)[1]] = (*it)[it->size() - 1];
    return found;
}

TEST(HelpFile, CompiledFileOpensEveryNumbersPlace) {
    const fs::path work = fs::temp_directory_path() / ("sorvane-help-" + std::to_string(getpid()));
    fs::remove_all(work);
    fs::create_directories(work / "files");
    fs::copy_file(SORVANE_HELP_FILE, work / "Sorvane.chm");
    const std::string chmls = SORVANE_CHMLS;
    ASSERT_EQ(std::system(("cd '" + work.string() + "' && " + chmls + " extractalias Sorvane.chm" +
                           " >/dev/null && " + chmls + " extractall Sorvane.chm files >/dev/null")
                              .c_str()),
              0);
    // Each number's alias page forwards to the topic's page, and that place exists.
    auto aliases = Captures(work / "Sorvane.ali", R"(helpid(\d+)=.*/([^/\r\n]+))");
    EXPECT_EQ(aliases.size(), help::TopicPages().size());
    for (const help::TopicPage& topic : help::TopicPages()) {
        const auto forward =
            Captures(work / "files" / aliases[std::to_string(topic.context)], R"(url=([^"]+))");
        ASSERT_EQ(forward.size(), 1u) << topic.context;
        const std::string target = forward.begin()->first;
        EXPECT_EQ(target, topic.page);
        const auto hash = target.find('#');
        const fs::path page = work / "files" / target.substr(0, hash);
        EXPECT_TRUE(
            fs::exists(page) &&
            (hash == std::string::npos ||
             Captures(page, R"((?:id|name)\s*=\s*"([^"]+)\")").contains(target.substr(hash + 1))))
            << target;
    }
    fs::remove_all(work);
}

}  // namespace
}  // namespace sorvane
#endif
