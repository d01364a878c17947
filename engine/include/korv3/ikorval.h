/* The analysis engine's only entry point.
 *
 * One call performs one complete analysis. The engine finds its files through "names.dat"
 * in the current folder (version, project file, report file, plot-data file, one per line),
 * writes the report and the plot-data file, and returns:
 *   0  input accepted and computed
 *   1  a file could not be opened or created (message on standard error, or in the report)
 *   2  stopped: STOP was read, or the input ended before RUN
 *   3  fatal input error (listed in the report)
 *   4  internal failure (message on standard error)
 * The engine is not re-entrant: one call at a time per process. */
#ifndef KORV3_IKORVAL_H
#define KORV3_IKORVAL_H

#include <stdint.h>

#if defined(KORV3_BUILDING)
#define KORV3_API __attribute__((visibility("default")))
#else
#define KORV3_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* request: the caller's run-request code; it has no effect on the analysis. */
KORV3_API int32_t IKORVAL(int32_t request);
KORV3_API int32_t _IKORVAL(int32_t request);

#ifdef __cplusplus
}
#endif

#endif
