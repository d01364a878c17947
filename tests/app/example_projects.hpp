// The bundled example projects of examples/, built in the model. The files are what the writer
// writes from these models.
#pragma once

#include <vector>

#include "app/DataUnit.hpp"

namespace korval::app::testing {

struct ExampleProject {
  const char* file;  // name in examples/
  void (*build)(TProgramData& project);  // fills a new project
};

const std::vector<ExampleProject>& ExampleProjects();

}  // namespace korval::app::testing
