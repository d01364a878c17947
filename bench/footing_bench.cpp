// Times whole engine runs of footing projects with 500 frequencies and prints the median.
// Usage: korv3-bench [runs]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "korv3/ikorval.h"

namespace fs = std::filesystem;

namespace {

struct Project {
  const char* name;
  std::string text;
};

// A footing swept over 500 frequencies from 0.2 to 100 Hz, with the constants printed.
std::string footing(const char* foundation, const char* geometry, const char* constants, const char* soil,
                    const char* kind) {
  std::string s = "TITLE=Benchmark footing\nMATRIX\nGRAVITY=9.8\nFOUNDATION=";
  s += foundation;
  s += "\n";
  s += geometry;
  s += "\nMASS\n90 157 157 281 0 0 0\nCONSTANTS\n";
  s += constants;
  s += "\nSOIL\n";
  s += soil;
  s += "\nLOAD\nHARMONIC\nCONSTANTS\n";
  s += kind;
  s += "\n628 1.256 1.256\n5 2 10\n0 0 0\n0 0 0.5\nRUN\n";
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 101;
  const Project projects[] = {
      {"half-space, circular, 500 frequencies",
       footing("HALF-SPACE", "CIRCULAR=2.5", "0 0 1", "CONSTANTS=0\nBELOW=200 18 0.33 0.05", "NONQUADRATIC")},
      {"stratum, rectangular, 500 frequencies",
       footing("STRATUM", "RECTANGULAR=6,4", "0.2 0.1 1 1 12", "CONSTANTS\n200 18 0.33 0.05", "QUADRATIC")},
  };
  std::string templ = (fs::temp_directory_path() / "korv3-bench-XXXXXX").string();
  if (!mkdtemp(templ.data())) return 1;
  const fs::path dir = templ;
  const fs::path here = fs::current_path();
  fs::current_path(dir);
  std::ofstream("names.dat") << "bench\nproject.kvd\nproject.kvo\nproject.kvp\n";
  for (const Project& p : projects) {
    std::ofstream("project.kvd", std::ios::trunc) << p.text;
    std::vector<double> ms;
    int status = 0;
    for (int k = 0; k < runs; ++k) {
      const auto t0 = std::chrono::steady_clock::now();
      status = IKORVAL(0);
      const auto t1 = std::chrono::steady_clock::now();
      ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s status %d  median %8.3f ms  (min %.3f, max %.3f, %d runs)\n", p.name, status,
                ms[ms.size() / 2], ms.front(), ms.back(), runs);
  }
  fs::current_path(here);
  fs::remove_all(dir);
  return 0;
}
