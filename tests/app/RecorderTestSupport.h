#pragma once
// The recorder window opened up for tests: its state is readable and
// settable, as the camera and recording code will set it.

#include "recorder/MorvaneDlg.h"

class TestableMorvaneDlg : public CMorvaneDlg {
public:
    using CMorvaneDlg::m_bRecording;
    using CMorvaneDlg::m_hAppIcon;
    using CMorvaneDlg::m_nMinutes;
    using CMorvaneDlg::m_pDisplayFrame;
    using CMorvaneDlg::m_pIndicator;
    using CMorvaneDlg::m_pRecording;
    using CMorvaneDlg::m_preview;
    using CMorvaneDlg::m_pSource;
    using CMorvaneDlg::m_strAppDir;
};
