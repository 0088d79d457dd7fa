#pragma once
// The application's control-container manager: every site it makes is a
// CCustomControlSite.

#include "framework/OleControlSite.h"

class CCustomOccManager : public COccManager {
public:
    ~CCustomOccManager() override = default;
    COleControlSite* CreateSite(COleControlContainer* container) override;
};
