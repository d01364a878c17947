// The plot-data file: the curves of a run for the interactive program.
#pragma once

#include "engine/numeric.hpp"
#include "engine/report/output_file.hpp"

namespace korval::engine {

struct StiffnessConstants;

class PlotData {
 public:
  // Creates (or empties) the file, so that a run that writes nothing leaves no stale curves.
  bool open(const char* path) { return file_.open(path); }
  void attach(std::FILE* stream) { file_.attach(stream); }

  // First record: the number of frequencies of the run.
  void count(int nf);
  // The stiffness record and the damping record of one frequency.
  void constants(Real omega, const StiffnessConstants& c);
  // The response amplitudes UOX ... EPOZ at one frequency.
  void amplitudes(Real omega, const Real u[6]);

 private:
  OutputFile file_;
};

}  // namespace korval::engine
