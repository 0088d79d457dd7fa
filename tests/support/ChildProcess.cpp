#include "support/ChildProcess.h"

#include <windows.h>

namespace {

std::wstring QuoteArgument(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (const wchar_t ch : arg) {
        if (ch == L'\\') {
            ++backslashes;
            continue;
        }
        if (ch == L'"')
            quoted.append(backslashes * 2 + 1, L'\\');
        else
            quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted += ch;
    }
    quoted.append(backslashes * 2, L'\\');
    quoted += L'"';
    return quoted;
}

std::wstring BuildEnvironment(const std::vector<std::wstring>& extraEnv)
{
    std::wstring block;
    wchar_t* current = GetEnvironmentStringsW();
    for (const wchar_t* entry = current; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text = entry;
        bool replaced = false;
        for (const std::wstring& extra : extraEnv) {
            const std::wstring name = extra.substr(0, extra.find(L'=') + 1);
            if (_wcsnicmp(text.c_str(), name.c_str(), name.size()) == 0)
                replaced = true;
        }
        if (!replaced)
            block += text + L'\0';
    }
    FreeEnvironmentStringsW(current);
    for (const std::wstring& extra : extraEnv)
        block += extra + L'\0';
    block += L'\0';
    return block;
}

}  // namespace

ChildResult RunChild(const std::wstring& program, const std::vector<std::wstring>& args, const std::wstring& workDir,
                     const std::vector<std::wstring>& extraEnv, unsigned long timeoutMs)
{
    ChildResult result;
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE nul =
        CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr);

    std::wstring commandLine = QuoteArgument(program);
    for (const std::wstring& arg : args)
        commandLine += L" " + QuoteArgument(arg);
    std::wstring environment = BuildEnvironment(extraEnv);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nul;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                        CREATE_UNICODE_ENVIRONMENT | DETACHED_PROCESS, environment.data(),
                                        workDir.c_str(), &startup, &process);
    result.startError = started ? 0 : GetLastError();
    CloseHandle(writeEnd);
    if (nul != INVALID_HANDLE_VALUE)
        CloseHandle(nul);
    if (!started) {
        CloseHandle(readEnd);
        return result;
    }

    // Read while the child runs, then what it left in the pipe. Waiting for
    // the end of the pipe instead would also wait for Wine's console helper,
    // which holds it open for a second after the child has gone.
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const bool exited = WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0;
        DWORD available = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            char chunk[4096];
            DWORD read = 0;
            if (!ReadFile(readEnd, chunk, sizeof(chunk), &read, nullptr) || read == 0)
                break;
            result.output.append(chunk, read);
        }
        if (exited) {
            result.finished = true;
            GetExitCodeProcess(process.hProcess, &result.exitCode);
            break;
        }
        if (GetTickCount64() > deadline) {
            TerminateProcess(process.hProcess, 99);
            WaitForSingleObject(process.hProcess, INFINITE);
            break;
        }
        WaitForSingleObject(process.hProcess, 10);
    }
    CloseHandle(readEnd);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
