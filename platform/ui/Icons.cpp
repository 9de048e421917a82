#include <QString>
#include <map>
#include <memory>

#include "platform/ui/GdiHandles.h"
#include "platform/ui/Resources.h"

HICON LoadIcon(UINT nIDResource)
{
    static std::map<UINT, std::unique_ptr<HICON__>> loaded;
    if (const auto it = loaded.find(nIDResource); it != loaded.end()) {
        return it->second.get();
    }
    QImage picture(QString::fromStdString(IconResourcePath(nIDResource)));
    if (picture.isNull()) {
        return nullptr;
    }
    auto icon = std::make_unique<HICON__>();
    icon->image = picture.convertToFormat(QImage::Format_ARGB32);
    return loaded.emplace(nIDResource, std::move(icon)).first->second.get();
}
