#include "login/LoginTrace.h"

#include <fstream>

void AppendTraceLine(const CStringA& line)
{
    // Opened and closed per line so other programs can read it meanwhile.
    std::ofstream trace("log.txt", std::ios::out | std::ios::app);
    if (!trace)
        return;
    trace.write(line.data(), static_cast<std::streamsize>(line.size()));
    trace << std::endl;
}
