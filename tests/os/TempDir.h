#pragma once
// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class TempDir {
public:
    // Under `base`, or under $TMPDIR (else /tmp) when `base` is empty.
    explicit TempDir(std::string base = {})
    {
        if (base.empty()) {
            const char* tmp = std::getenv("TMPDIR");
            base = tmp && *tmp ? tmp : "/tmp";
        }
        std::string pattern = base + "/morvane-os-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~TempDir()
    {
        if (!m_path.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(m_path, ignored);
        }
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool ok() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};
