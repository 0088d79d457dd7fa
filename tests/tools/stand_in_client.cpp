// A harmless stand-in for the game client, served by the local operator
// stand-in: it records the command line it was started with in
// client-commandline.txt beside itself (UTF-8), shows it, and ends.

#include "RecordCommandLine.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    RecordCommandLine();
    const std::wstring text = std::wstring(L"Voskar 游戏客户端（本地替身）已启动。\n\n命令行：\n") + GetCommandLineW();
    MessageBoxW(nullptr, text.c_str(), L"Voskar", MB_OK | MB_ICONINFORMATION);
    return 0;
}
