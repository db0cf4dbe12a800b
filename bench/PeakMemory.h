#pragma once

#include <malloc.h>

#include <fstream>
#include <string>

// The rise of the peak resident set while `work` runs, in MiB: memory freed
// back to the system first (making the test files left much of it), then the
// peak set down to the present.
namespace peakMemory {

// A line of /proc/self/status in KiB, e.g. "VmHWM".
inline double statusKiB(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0) return std::stod(line.substr(key.size() + 1));
    return 0;
}

template <typename Work>
double riseMiB(Work work)
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const double before = statusKiB("VmRSS");
    work();
    return (statusKiB("VmHWM") - before) / 1024.0;
}

}  // namespace peakMemory
