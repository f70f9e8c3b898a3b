// What every benchmark program does before and after its measurements: the offscreen platform,
// Google Benchmark's flags, the generated ledger it runs on, the process's peak memory.
#pragma once

#include <QString>

namespace bench {

// Runs windows offscreen unless the caller chose a platform; call before the application exists.
void preferOffscreen();

// Hands the command line to Google Benchmark and answers the ledger named after its flags, or
// `fallback`. Empty, with a message, when that file does not exist.
QString ledgerArgument(int& argc, char** argv, const QString& fallback);

// The peak resident memory of this process so far, in MiB.
double peakRssMiB();

} // namespace bench
