#pragma once
// The help file's context numbers by name, and the page each one opens.
#include <cstdint>
#include <span>
#include <string_view>

namespace sorvane::help {

#define SORVANE_HELP_TOPIC(name, number, page) inline constexpr std::uint32_t name = number;
#include "core/app/HelpTopics.def"
#undef SORVANE_HELP_TOPIC

struct TopicPage {
    std::uint32_t context;
    std::string_view page;
};

// Every context number with its page, in the order of the list.
std::span<const TopicPage> TopicPages();

// The page of a context number; empty for a number the help file does not know.
std::string_view PageOf(std::uint32_t context);

}  // namespace sorvane::help
