#include "capture/CameraGraph.h"

#include "platform/media/dshow.h"

CCameraGraph::CCameraGraph() { CoInitialize(nullptr); }

CCameraGraph::~CCameraGraph() {
  Close();
  CoUninitialize();
}

void CCameraGraph::Close() {
  if (m_bGraphBuilt) m_spControl->Stop();
  m_spCaptureBuilder.Release();
  m_spFilterGraph.Release();
  m_spGrabber.Release();
  m_spControl.Release();
  m_spEvents.Release();
  m_spGrabberFilter.Release();
  m_spSourceFilter.Release();
  m_spSinkFilter.Release();
  m_spGrabberIn.Release();
  m_spGrabberOut.Release();
  m_spSourceOut.Release();
  m_spSinkIn.Release();
  m_pImage.reset();
  m_bGraphBuilt = false;
  m_nFrameWidth = 0;
  m_nFrameHeight = 0;
  m_nSampleBytes = 0;
}
