#pragma once
// The record of the running recording: where it goes, its picture size and
// rate, the frame header that borrows each frame's pixels, and the writer
// whose release completes the file. At most one exists at a time.

#include <memory>
#include <opencv2/videoio.hpp>
#include <string>

#include "recorder/ImageHeader.h"

class CRecordingFile {
public:
    std::string m_strPath;
    int m_nWidth = 640;
    int m_nHeight = 480;
    int m_nFrameRate = 25;
    std::unique_ptr<ImageHeader> m_pHeader;
    std::unique_ptr<cv::VideoWriter> m_pWriter;
};

// Opens an XVID AVI writer through FFmpeg for the record's path, size and
// rate, in colour. Null when the file cannot be made (folder missing or not
// writable, encoder not available).
std::unique_ptr<cv::VideoWriter> CreateVideoWriter(const CRecordingFile& file);

// Creates every missing folder along `path`, outermost first. Only '/'
// separates folders; a name that stands already (folder or file) or that
// cannot be made is passed over. Reports nothing.
void CreateNestedFolder(const std::string& path);
