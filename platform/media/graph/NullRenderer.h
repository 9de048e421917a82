#pragma once
// The null renderer: takes any samples and drops them, so a graph can end
// at a grabber.

#include "platform/media/graph/FilterBase.h"

namespace media {

class NullRenderer final : public FilterBase {
 public:
  NullRenderer() { AddPin(input_); }

  bool CheckInputType(const AM_MEDIA_TYPE&) override { return true; }

 private:
  InputPin input_{*this, L"In"};
};

}  // namespace media
