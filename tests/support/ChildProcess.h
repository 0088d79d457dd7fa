#pragma once
// Runs a program to its end and collects its standard output.

#include <string>
#include <vector>

struct ChildResult {
    bool finished = false;  // false: started but killed after the timeout, or not started
    unsigned long exitCode = 0;
    std::string output;  // stdout and stderr, as bytes
    unsigned long startError = 0;  // why it could not be started
};

// Runs program with args (each quoted as needed) in directory workDir, with
// extraEnv ("NAME=value") added to this process's environment.
ChildResult RunChild(const std::wstring& program, const std::vector<std::wstring>& args, const std::wstring& workDir,
                     const std::vector<std::wstring>& extraEnv = {}, unsigned long timeoutMs = 60000);
