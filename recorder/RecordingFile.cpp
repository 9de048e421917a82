// The recording's writer and the folders its file goes into.
#include "recorder/RecordingFile.h"

#include <vector>

#include "platform/os/FileSystem.h"

std::unique_ptr<cv::VideoWriter> CreateVideoWriter(const CRecordingFile& file)
{
    auto writer = std::make_unique<cv::VideoWriter>();
    // OpenCV reports a failed open through isOpened(); it may also throw
    // from a backend, which must not cross into the window's handlers.
    try {
        writer->open(file.m_strPath, cv::CAP_FFMPEG, cv::VideoWriter::fourcc('X', 'V', 'I', 'D'),
                     double(file.m_nFrameRate), cv::Size(file.m_nWidth, file.m_nHeight), true);
    } catch (const cv::Exception&) {
        return nullptr;
    }
    if (!writer->isOpened()) {
        return nullptr;
    }
    return writer;
}

void CreateNestedFolder(const std::string& path)
{
    if (os::IsDirectory(path)) {
        return;
    }
    // Every prefix that ends before a '/', then the whole path. The root of
    // an absolute path is the empty prefix, which is never made.
    std::vector<std::string> prefixes;
    std::string running;
    for (const char c : path) {
        if (c == '/') {
            prefixes.push_back(running);
        }
        running += c;
    }
    prefixes.push_back(running);

    for (const std::string& prefix : prefixes) {
        if (!prefix.empty() && !os::PathExists(prefix) && os::CreateDirectory(prefix)) {
            os::SetNormalAttributes(prefix);
        }
    }
}
