#pragma once
// The recorder window's handle on the camera: lists the video input devices
// and opens one by index at 640x480.

#include <string>
#include <vector>

#include "capture/CameraGraph.h"

class CCaptureSource {
 public:
  CCaptureSource();
  ~CCaptureSource();
  CCaptureSource(const CCaptureSource&) = delete;
  CCaptureSource& operator=(const CCaptureSource&) = delete;

  // The friendly names of the devices in device order; a device whose name
  // cannot be read is listed as "" at its own position.
  std::vector<std::string> ListDevices();
  // Opens device `index` at the requested size. False for an index past the
  // current device count, for the device that is open now, and when the
  // camera cannot be opened (the selection then stays as it was).
  bool OpenDevice(int index);

  int m_nRequestedWidth;
  int m_nRequestedHeight;
  bool m_bDeviceOpen;
  int m_nDeviceCount;
  int m_nSelectedDevice;
  CCameraGraph* m_pCamera;  // owned
};
