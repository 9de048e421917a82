#pragma once
// The program's resources, handed to the framework at start-up
// (AfxSetResourceHandle).

#include "platform/ui/Resources.h"

const ResourceModule& ProgramResources();
