// The program's string table.
#include "res/ProgramResources.h"
#include "res/ResourceData.h"
#include "res/resource.h"

const std::array<StringResource, 1> kProgramStrings{{
    {IDS_ABOUTBOX, "关于 Morvane(&A)..."},
}};
