#include "login/GameClient.h"

#include "framework/ModuleFileName.h"
#include "login/ClientDownload.h"

#include <shlwapi.h>
#include <windows.h>

const wchar_t kClientFileName[] = L"tarvo_vk_launch.exe";

namespace {

const wchar_t kStartFailedText[] = L"启动游戏失败，请重新启动！";
const wchar_t kStartFailedCaption[] = L"【启动失败】";
const int kQuitExitCode = 16;

}  // namespace

CString GetModuleDirectory()
{
    CString path = AfxGetModuleFileName();
    path.Replace(L'\\', L'/');
    const int slash = path.ReverseFind(L'/');
    return slash < 0 ? CString() : path.Left(slash);
}

CString GetClientPath()
{
    return GetModuleDirectory() + L"/" + kClientFileName;
}

CStringA BuildClientCommandLine(const CString& clientPath, const CString& launchParam)
{
    CStringA commandLine(CString(L"\"" + clientPath + L"\""));
    commandLine += CStringA(launchParam);
    return commandLine;
}

void RunGameClient(const CString& launchParam)
{
    const CStringA commandLine = BuildClientCommandLine(GetClientPath(), launchParam);
    if (WinExec(commandLine.GetString(), SW_SHOW) <= 31)
        MessageBoxW(nullptr, kStartFailedText, kStartFailedCaption, MB_OK);
    PostQuitMessage(kQuitExitCode);
}

void LaunchGameClient(const CStringA& launchParam, const DownloadRunner& runDownload)
{
    const CString clientPath = GetClientPath();
    if (!PathFileExistsW(clientPath.c_str())) {
        const DownloadResult result = runDownload ? runDownload(ClientDownloadUrl(), clientPath)
                                                  : DownloadGameClient(ClientDownloadUrl(), clientPath);
        if (!result.succeeded) {
            if (!result.cancelled)
                ReportDownloadFailure(result);
            return;
        }
    }
    RunGameClient(CString(launchParam));
}
