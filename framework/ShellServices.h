#pragma once
// Start-up services of a dialog application. The launcher asks nothing of
// them beyond their existence: the shell manager object, and the native
// Windows look as the default visual manager.

#include <memory>

class CShellManager {};

class CMFCVisualManager {
public:
    virtual ~CMFCVisualManager() = default;

    // Makes a Manager the process's visual manager.
    template <class Manager>
    static void SetDefaultManager()
    {
        Instance().reset(new Manager());
    }
    static CMFCVisualManager* GetInstance() { return Instance().get(); }

private:
    static std::unique_ptr<CMFCVisualManager>& Instance()
    {
        static std::unique_ptr<CMFCVisualManager> manager;
        return manager;
    }
};

// The native look: controls are drawn by the system's themes.
class CMFCVisualManagerWindows : public CMFCVisualManager {};
