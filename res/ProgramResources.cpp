#include "res/ProgramResources.h"

#include "res/ResourceData.h"

const ResourceModule& ProgramResources()
{
    static const ResourceModule module{kProgramDialogs, kProgramStrings};
    return module;
}
