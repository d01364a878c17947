// The bundled examples are what the writer writes from their models, byte for byte, so that
// the program and the engine read the same projects. With KORVAL_UPDATE_EXAMPLES=1 in the
// environment the test writes the files instead of comparing them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "example_projects.hpp"
#include "project_fixture.hpp"

namespace korval::app::testing {
namespace {

using ExamplesTest = ProjectTest;

TEST_F(ExamplesTest, FilesAreWhatTheWriterWrites) {
  const char* update = std::getenv("KORVAL_UPDATE_EXAMPLES");
  for (const ExampleProject& example : ExampleProjects()) {
    TProgramData project(tables);
    example.build(project);
    const std::string written = Save(project, example.file);
    const std::filesystem::path file = std::filesystem::path(KORVAL_SOURCE_DIR) / "examples" / example.file;
    if (update && std::string(update) == "1") WriteBytes(file, written);
    EXPECT_EQ(ReadBytes(file), written) << example.file;
  }
}

}  // namespace
}  // namespace korval::app::testing
