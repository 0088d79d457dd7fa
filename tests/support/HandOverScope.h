#pragma once
// A hand-over's surroundings in a test: the client download served by a
// loopback server, a working directory of its own for the trace, and the
// download address and the launch parameter put back afterwards.

#include "app/LoginApp.h"
#include "login/ClientDownload.h"
#include "support/LoopbackHttpServer.h"
#include "support/TempDir.h"

#include <string>
#include <utility>

class HandOverScope {
public:
    explicit HandOverScope(HttpReply clientReply)
    {
        m_server.Route("/client.exe", std::move(clientReply));
        SetClientDownloadUrl(m_server.Url("/client.exe"));
    }
    HandOverScope(const HandOverScope&) = delete;
    HandOverScope& operator=(const HandOverScope&) = delete;
    ~HandOverScope()
    {
        SetClientDownloadUrl(m_configuredUrl);
        theApp.m_strLaunchParam = m_launchParam;
    }

    std::string Trace() const { return ReadWholeFile(m_dir.File(L"log.txt")); }

private:
    const CString m_configuredUrl = ClientDownloadUrl();
    const CStringA m_launchParam = theApp.m_strLaunchParam;
    LoopbackHttpServer m_server;
    TempDir m_dir;
    WorkingDirectory m_workingDirectory{m_dir.Path()};
};
