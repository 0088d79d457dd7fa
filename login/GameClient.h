#pragma once
// Finding, downloading and starting the game client next to the launcher.

#include "framework/AfxString.h"
#include "login/ClientDownload.h"

#include <functional>

extern const wchar_t kClientFileName[];  // "tarvo_vk_launch.exe"

// The directory of the running executable, with forward slashes and no
// trailing separator; empty when the path has no slash.
CString GetModuleDirectory();

// The launcher directory, "/", the client's file name.
CString GetClientPath();

// The quoted client path followed directly by the launch parameter, each
// converted separately with the thread's ANSI code page.
CStringA BuildClientCommandLine(const CString& clientPath, const CString& launchParam);

// Starts the client with the launch parameter; reports a failed start; posts
// the quit request (exit code 16) either way.
void RunGameClient(const CString& launchParam);

// Runs a download of the client to its end (the caller may show its
// progress meanwhile).
using DownloadRunner = std::function<DownloadResult(const CString& url, const CString& clientPath)>;

// Downloads the client when it is missing (through runDownload, or on this
// thread without one), then runs it. When the download fails the user is
// told why (not after cancelling it), and nothing is started or posted, so
// the login windows stay for another try.
void LaunchGameClient(const CStringA& launchParam, const DownloadRunner& runDownload = DownloadRunner());
