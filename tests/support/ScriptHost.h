#pragma once
// Runs JScript with the system's script engine, as a page would: the global
// item "window" has the property "external", the given script object.

#include "framework/ComPtr.h"

#include <oaidl.h>

#include <string>

class ScriptHost {
public:
    explicit ScriptHost(IDispatch* external) : m_external(external) {}

    // Runs code to its end. False with error set to the engine's
    // description when the script raised an error it did not catch (or the
    // engine could not run it).
    bool Run(const std::wstring& code, std::wstring& error);

private:
    ComPtr<IDispatch> m_external;
};
