// The command line's choice of what draws the window.
#include "game/command_line.h"

#include <gtest/gtest.h>

#include "engine/host.h"

namespace {

TEST(CommandLine, RendererIsChosenByNameAndAutoUnlessSaid) {
    std::string message;
    CommandLine plain;
    EXPECT_EQ(ParseCommandLine({}, plain, message), ParseResult::Run);
    EXPECT_EQ(plain.host.renderer, RendererChoice::Auto);
    const std::pair<const char*, RendererChoice> named[] = {
        {"software", RendererChoice::Software}, {"opengl", RendererChoice::OpenGL}, {"auto", RendererChoice::Auto}};
    for (const auto& [name, choice] : named) {
        CommandLine cl;
        EXPECT_EQ(ParseCommandLine({"--renderer", name}, cl, message), ParseResult::Run) << name;
        EXPECT_EQ(cl.host.renderer, choice) << name;
    }
    CommandLine bad;
    EXPECT_EQ(ParseCommandLine({"--renderer", "vulkan"}, bad, message), ParseResult::Error);
    EXPECT_NE(message.find("vulkan"), std::string::npos) << message;
    EXPECT_EQ(ParseCommandLine({"--renderer"}, bad, message), ParseResult::Error);
}

}  // namespace
