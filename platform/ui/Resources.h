#pragma once
// Resource lookup. The program's resources (dialog templates, strings) are
// handed to the framework once, before anything is loaded; the framework's
// own strings are looked up after them. Pictures come from Qt's resource
// system: icon n is ":/res/images/icon<n>.bmp", bitmap n
// ":/res/images/bitmap<n>.bmp".

#include <span>
#include <string>

#include "platform/ui/DialogTemplate.h"

struct StringResource {
    UINT id;
    const char* text;  // UTF-8
};

struct ResourceModule {
    std::span<const DialogTemplate> dialogs;
    std::span<const StringResource> strings;
};

// The framework's validation messages.
constexpr UINT AFX_IDP_PARSE_INT = 61712;
constexpr UINT AFX_IDP_PARSE_INT_RANGE = 61714;

void AfxSetResourceHandle(const ResourceModule* module);
const ResourceModule* AfxGetResourceHandle();

// The template with this id; null when there is none.
const DialogTemplate* AfxFindDialogTemplate(UINT nIDTemplate);

// String nID into rString; FALSE (and rString emptied) when there is none.
BOOL LoadString(UINT nID, std::string& rString);

// String nIDS with %1 and %2 replaced by lpsz1 and lpsz2.
void AfxFormatString2(std::string& rString, UINT nIDS, const char* lpsz1, const char* lpsz2);

// Resource paths of the pictures.
std::string IconResourcePath(UINT nID);
std::string BitmapResourcePath(UINT nID);

// Icon nID, shared for the life of the process (never freed by its users);
// null when the picture is missing.
HICON LoadIcon(UINT nIDResource);
