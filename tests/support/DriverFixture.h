#pragma once
// A launcher directory holding a copy of login_driver.exe, and a separate
// working directory, both fresh per test: the driver runs the real login
// code with its own directory as the launcher directory.

#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class DriverFixture : public ::testing::Test {
protected:
    DriverFixture();

    // Puts the stand-in client in place as tarvo_vk_launch.exe.
    void InstallClient();
    // Runs the driver in the working directory; returns its output with
    // line ends as "\n".
    std::string RunDriver(const std::vector<std::wstring>& args, const std::vector<std::wstring>& env = {});
    // The command line the stand-in client recorded, waiting for it to
    // start; empty when it did not start within a few seconds.
    std::string ClientCommandLine(unsigned long waitMs = 10000) const;
    // The client path as the launcher writes it: forward slashes.
    std::string ExpectedClientPath() const;
    std::string Trace() const { return ReadWholeFile(m_work.File(L"log.txt")); }

    static std::string FakeClientBytes();

    TempDir m_launcher;
    TempDir m_work;
};
