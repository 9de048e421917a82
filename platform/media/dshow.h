#pragma once
// Everything the camera code calls of the COM-style capture services.

#include "platform/media/com/ComPtr.h"
#include "platform/media/com/OleString.h"
#include "platform/media/com/Runtime.h"
#include "platform/media/com/Unknown.h"
#include "platform/media/dshow/Capture.h"
#include "platform/media/dshow/DeviceEnum.h"
#include "platform/media/dshow/Filters.h"
#include "platform/media/dshow/Graph.h"
#include "platform/media/dshow/MediaType.h"
