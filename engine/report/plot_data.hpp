// The plot-data file: the curves of a run for the interactive program.
#pragma once

#include <cstdio>

#include "engine/numeric.hpp"

namespace korval::engine {

struct StiffnessConstants;

class PlotData {
 public:
  PlotData() = default;
  PlotData(const PlotData&) = delete;
  PlotData& operator=(const PlotData&) = delete;
  ~PlotData() { close(); }

  // Creates (or empties) the file, so that a run that writes nothing leaves no stale curves.
  bool open(const char* path);
  void attach(std::FILE* stream);
  void close();

  // First record: the number of frequencies of the run.
  void count(int nf);
  // The stiffness record and the damping record of one frequency.
  void constants(Real omega, const StiffnessConstants& c);
  // The response amplitudes UOX ... EPOZ at one frequency.
  void amplitudes(Real omega, const Real u[6]);

 private:
  void line(const char* text, std::size_t n);
  std::FILE* file_ = nullptr;
  bool owned_ = false;
};

}  // namespace korval::engine
