#pragma once
// In-memory controls: the product's windowless controls, which keep every state a test
// reads back (texts, checks, lists, sliders, focus).

#include "ui/windowless/memory_controls.h"

namespace kestrel::fakes {

using FakeControl = MemoryControl;
using FakeControlSurface = MemoryControls;

}  // namespace kestrel::fakes
