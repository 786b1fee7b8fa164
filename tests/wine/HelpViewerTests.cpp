// HTML Help, loaded when first asked for, opens the compiled help file beside the program.
#include <gtest/gtest.h>

#include <string>

#include "win/framework/HelpViewer.h"
#include "win/platform/Utf.h"

namespace sorvane {
namespace {

std::string BesideProgram(const std::string& name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string program = Narrow(path);
    return program.substr(0, program.find_last_of('\\') + 1) + name;
}

TEST(HelpViewer, OpensTheHelpFileAtANumberOrItsContentsAndFailsWithoutIt) {
    HtmlHelpViewer viewer;
    EXPECT_FALSE(viewer.ShowTopic(nullptr, BesideProgram("Missing.chm"), 31));
    ASSERT_TRUE(viewer.ShowTopic(nullptr, BesideProgram("Sorvane.chm"), 31));
    EXPECT_NE(FindWindowW(nullptr, L"Sorvane Help"), nullptr);
    EXPECT_TRUE(viewer.ShowContents(nullptr, BesideProgram("Sorvane.chm")));
}

}  // namespace
}  // namespace sorvane
