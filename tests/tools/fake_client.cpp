// Stands in for the game client: records the command line it was started
// with in client-commandline.txt beside itself (UTF-8), then ends.

#include "RecordCommandLine.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return RecordCommandLine() ? 0 : 1;
}
