#include "browser/CustomOccManager.h"

#include "browser/CustomControlSite.h"

COleControlSite* CCustomOccManager::CreateSite(COleControlContainer* container)
{
    return new CCustomControlSite(container);
}
