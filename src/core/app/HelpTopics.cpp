#include "core/app/HelpTopics.h"

#include <array>

namespace sorvane::help {

namespace {

constexpr std::array kPages = {
#define SORVANE_HELP_TOPIC(name, number, page) TopicPage{number, page},
#include "core/app/HelpTopics.def"
#undef SORVANE_HELP_TOPIC
};

}  // namespace

std::span<const TopicPage> TopicPages() {
    return kPages;
}

std::string_view PageOf(std::uint32_t context) {
    for (const TopicPage& entry : kPages) {
        if (entry.context == context) return entry.page;
    }
    return {};
}

}  // namespace sorvane::help
