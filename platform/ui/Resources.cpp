#include "platform/ui/Resources.h"

#include <array>

namespace {

const ResourceModule* g_pModule = nullptr;

// The framework's own strings.
constexpr std::array<StringResource, 2> kFrameworkStrings{{
    {AFX_IDP_PARSE_INT, "请输入一个整数。"},
    {AFX_IDP_PARSE_INT_RANGE, "请输入一个在 %1 和 %2 之间的整数。"},
}};

const char* FindString(std::span<const StringResource> strings, UINT nID)
{
    for (const StringResource& s : strings) {
        if (s.id == nID) {
            return s.text;
        }
    }
    return nullptr;
}


}  // namespace

void AfxSetResourceHandle(const ResourceModule* module)
{
    g_pModule = module;
}

const ResourceModule* AfxGetResourceHandle()
{
    return g_pModule;
}

const DialogTemplate* AfxFindDialogTemplate(UINT nIDTemplate)
{
    if (g_pModule == nullptr) {
        return nullptr;
    }
    for (const DialogTemplate& t : g_pModule->dialogs) {
        if (t.id == nIDTemplate) {
            return &t;
        }
    }
    return nullptr;
}

BOOL LoadString(UINT nID, std::string& rString)
{
    const char* text = g_pModule != nullptr ? FindString(g_pModule->strings, nID) : nullptr;
    if (text == nullptr) {
        text = FindString(kFrameworkStrings, nID);
    }
    rString = text != nullptr ? text : "";
    return text != nullptr ? TRUE : FALSE;
}

void AfxFormatString2(std::string& rString, UINT nIDS, const char* lpsz1, const char* lpsz2)
{
    std::string format;
    LoadString(nIDS, format);
    // One pass over the format, so a "%1" or "%2" inside an argument stays
    // as it is.
    rString.clear();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size() && (format[i + 1] == '1' || format[i + 1] == '2')) {
            const char* arg = format[i + 1] == '1' ? lpsz1 : lpsz2;
            rString += arg != nullptr ? arg : "";
            ++i;
        } else {
            rString += format[i];
        }
    }
}

std::string IconResourcePath(UINT nID)
{
    return ":/res/images/icon" + std::to_string(nID) + ".bmp";
}

std::string BitmapResourcePath(UINT nID)
{
    return ":/res/images/bitmap" + std::to_string(nID) + ".bmp";
}
