#include "capture/CaptureSource.h"

#include <cstring>

CCaptureSource::CCaptureSource()
    : m_nRequestedWidth(640),
      m_nRequestedHeight(480),
      m_bDeviceOpen(false),
      m_nDeviceCount(0),
      m_nSelectedDevice(-1),
      m_pCamera(new CCameraGraph) {}

CCaptureSource::~CCaptureSource() { delete m_pCamera; }

std::vector<std::string> CCaptureSource::ListDevices() {
  std::vector<std::string> names;
  m_nDeviceCount = CCameraGraph::CountDevices();
  for (int i = 0; i < m_nDeviceCount; ++i) {
    char name[kDeviceNameBytes] = {};
    if (CCameraGraph::GetDeviceName(i, name) == 1) names.emplace_back(name, strnlen(name, sizeof name));
  }
  return names;
}

bool CCaptureSource::OpenDevice(int index) {
  m_nDeviceCount = CCameraGraph::CountDevices();
  if (index >= m_nDeviceCount) return false;
  if (index == m_nSelectedDevice && m_bDeviceOpen) return false;
  m_pCamera->Close();
  if (!m_pCamera->Open(index, m_nRequestedWidth, m_nRequestedHeight)) return false;
  m_nSelectedDevice = index;
  m_bDeviceOpen = true;
  return true;
}
