#include "platform/skin/Skin.h"

#include "platform/os/ProgramPath.h"

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace {

// A skin is a page or two of text; anything far larger is not one, and is
// not worth holding in memory to find that out.
constexpr qint64 kMaxSkinBytes = 4 * 1024 * 1024;

std::vector<std::string> Candidates(const std::string& name)
{
    std::vector<std::string> paths{name};
    if (name.front() != '/') {
        const std::string folder = os::ProgramFolder();
        if (!folder.empty()) {
            paths.push_back(folder + "/" + name);
        }
    }
    return paths;
}

// The style sheet text of one candidate, or nothing when the file is
// missing, unreadable, too large or holds only blanks.
std::optional<QString> ReadSkin(const std::string& path)
{
    QFile file(QString::fromLocal8Bit(path.c_str()));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSkinBytes) {
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxSkinBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxSkinBytes) {
        return std::nullopt;
    }
    QString text = QString::fromUtf8(bytes);
    if (text.trimmed().isEmpty()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

int LoadSkin(const char* skinFile, int /*reserved*/)
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr || skinFile == nullptr || *skinFile == '\0') {
        return 0;
    }
    for (const std::string& path : Candidates(skinFile)) {
        if (auto sheet = ReadSkin(path)) {
            app->setStyleSheet(*sheet);
            return 1;
        }
    }
    return 0;
}
