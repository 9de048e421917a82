#pragma once
// The tables of the resource files, gathered by ProgramResources().

#include <array>

#include "platform/ui/Resources.h"

extern const std::array<DialogTemplate, 3> kProgramDialogs;
extern const std::array<StringResource, 1> kProgramStrings;
